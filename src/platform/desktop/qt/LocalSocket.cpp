#include "platform/desktop/qt/LocalSocket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace ostrelin::platform::desktop {
namespace {

std::optional<sockaddr_un> SocketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

const sockaddr* AsSockaddr(const sockaddr_un& address) {
    return reinterpret_cast<const sockaddr*>(&address);
}

}  // namespace

LocalConnection ConnectLocal(const std::string& path) {
    const std::optional<sockaddr_un> address = SocketAddress(path);
    if (!address) {
        return {};
    }
    // Non-blocking: connecting to a program whose queue of connections is full would otherwise
    // wait for as long as that program does not accept.
    files::UniqueFd socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)};
    if (!socket) {
        return {};
    }
    int result = 0;
    do {
        result = ::connect(socket.Get(), AsSockaddr(*address), sizeof *address);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        return {LocalPeer::Listening, std::move(socket)};
    }
    if (errno == EAGAIN) {
        return {LocalPeer::Busy, {}};
    }
    return {};
}

files::UniqueFd ListenLocal(const std::string& path) {
    const std::optional<sockaddr_un> address = SocketAddress(path);
    if (!address) {
        return {};
    }
    files::UniqueFd socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)};
    if (!socket || ::bind(socket.Get(), AsSockaddr(*address), sizeof *address) != 0) {
        return {};
    }
    if (::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(socket.Get(), SOMAXCONN) != 0) {
        ::unlink(path.c_str());
        return {};
    }
    return socket;
}

bool SendAll(int socket, std::string_view data) {
    while (!data.empty()) {
        const ssize_t sent = ::send(socket, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

}  // namespace ostrelin::platform::desktop
