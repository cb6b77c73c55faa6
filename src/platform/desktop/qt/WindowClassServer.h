#pragma once

#include <QMetaType>
#include <QObject>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/desktop/PostedMessage.h"
#include "platform/files/posix/UniqueFd.h"

class QSocketNotifier;

namespace ostrelin::platform::desktop {

// Registers this program under a window class name for as long as the object lives, so that
// FindWindowByClass finds it and PostMessageToClass reaches it (see WindowClassRegistry.h).
//
// Registration never takes the name from a live program: a lock file held for the server's
// lifetime keeps a second server of ours away, and a socket that still answers is left alone.
// Only a socket file left behind by a program that has ended is replaced.
//
// Every message received is emitted as MessagePosted from the event loop, in the order the
// messages were posted, never from inside the socket handling. Lines that are not messages are
// ignored; a client that sends an overlong line or takes too long (3 s from connecting) is
// disconnected. Every waiting client is accepted at once; of more than a few dozen, the oldest
// silent ones are let go, so that no number of idle clients keeps a message from arriving.
class WindowClassServer : public QObject {
    Q_OBJECT

  public:
    explicit WindowClassServer(const std::string& className, QObject* parent = nullptr);
    ~WindowClassServer() override;

    // True when this object holds the name; false when another live program holds it or the
    // socket could not be made.
    bool IsRegistered() const { return static_cast<bool>(listener_); }

    // Tries once more to take the name, when this object does not hold it yet; true once it
    // does.
    bool RetryRegistration();

    // The socket file that stands for the class name (empty for a name that cannot be used).
    const std::string& SocketPath() const { return socketPath_; }

  signals:
    void MessagePosted(ostrelin::platform::desktop::PostedMessage message);

  private:
    struct Client;

    bool Register();
    void Pump();
    void AcceptClients();
    void DropOldestSilentClient();
    void ReadFrom(Client& client);
    void TakeLines(Client& client);
    void DropIdleClients();
    void Post(const PostedMessage& message);
    void Drop(Client& client);

    std::string socketPath_;
    files::UniqueFd lock_;
    files::UniqueFd listener_;
    dev_t socketDevice_ = 0;
    ino_t socketInode_ = 0;
    std::unique_ptr<QSocketNotifier> listenerNotifier_;
    QTimer idleCheck_;
    std::vector<std::unique_ptr<Client>> clients_;  // in the order they connected
};

}  // namespace ostrelin::platform::desktop

Q_DECLARE_METATYPE(ostrelin::platform::desktop::PostedMessage)
