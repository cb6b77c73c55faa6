#include "platform/desktop/WindowClassRegistry.h"

#include <sys/un.h>

#include <QStandardPaths>

#include "platform/desktop/qt/LocalSocket.h"

namespace ostrelin::platform::desktop {
namespace {

// A class name becomes a file name in the runtime directory, so it may not leave that directory.
bool IsPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

}  // namespace

std::optional<std::string> WindowClassSocketPath(const std::string& className) {
    if (!IsPlainFileName(className)) {
        return std::nullopt;
    }
    // Qt refuses a runtime directory that belongs to someone else and makes ours private (0700)
    // before handing it out, so nobody else can create or replace the socket there.
    const QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty()) {
        return std::nullopt;
    }
    std::string path = directory.toStdString() + '/' + className;
    if (path.size() >= sizeof(sockaddr_un{}.sun_path)) {
        return std::nullopt;
    }
    return path;
}

bool FindWindowByClass(const std::string& className) {
    const std::optional<std::string> path = WindowClassSocketPath(className);
    return path && ConnectLocal(*path).Peer != LocalPeer::Nobody;
}

bool PostMessageToClass(const std::string& className, const PostedMessage& message) {
    const std::optional<std::string> path = WindowClassSocketPath(className);
    if (!path) {
        return false;
    }
    const LocalConnection connection = ConnectLocal(*path);
    return connection.Peer == LocalPeer::Listening &&
           SendAll(connection.Socket.Get(), FormatPostedMessage(message));
}

}  // namespace ostrelin::platform::desktop
