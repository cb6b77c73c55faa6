#include "platform/desktop/qt/WindowClassServer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <QSocketNotifier>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <optional>

#include "platform/desktop/WindowClassRegistry.h"
#include "platform/desktop/qt/LocalSocket.h"

namespace ostrelin::platform::desktop {
namespace {

using Clock = std::chrono::steady_clock;

// Clients held at once; a new one beyond this many pushes out the oldest that has sent nothing of
// a line yet, so that programs that connect and then stay silent cannot keep others out.
constexpr std::size_t MaxClients = 64;
constexpr std::size_t ReadChunk = 4096;
// Each client has this long from connecting to send its messages, whatever the others do, so that
// programs that connect and then hang or trickle bytes are let go.
constexpr auto ClientTimeLimit = std::chrono::seconds{3};
constexpr auto IdleCheckInterval = std::chrono::seconds{1};

bool SameFile(const std::string& path, dev_t device, ino_t inode) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && info.st_dev == device && info.st_ino == inode;
}

}  // namespace

struct WindowClassServer::Client {
    files::UniqueFd Socket;
    std::unique_ptr<QSocketNotifier> Notifier;
    std::string Pending;  // received bytes not yet ending in a line break
    Clock::time_point Connected;
    bool Finished = false;
};

WindowClassServer::WindowClassServer(const std::string& className, QObject* parent)
    : QObject(parent) {
    socketPath_ = WindowClassSocketPath(className).value_or(std::string{});
    idleCheck_.setInterval(IdleCheckInterval);
    connect(&idleCheck_, &QTimer::timeout, this, &WindowClassServer::DropIdleClients);
    if (!socketPath_.empty() && !Register()) {
        lock_.Reset();
    }
}

bool WindowClassServer::RetryRegistration() {
    if (!IsRegistered() && !socketPath_.empty() && !Register()) {
        lock_.Reset();
    }
    return IsRegistered();
}

WindowClassServer::~WindowClassServer() {
    if (listener_ && SameFile(socketPath_, socketDevice_, socketInode_)) {
        ::unlink(socketPath_.c_str());
    }
}

bool WindowClassServer::Register() {
    // The lock is held while the server lives; the system releases it when the program ends in
    // any way, so it never goes stale.
    lock_.Reset(::open((socketPath_ + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                       S_IRUSR | S_IWUSR));
    if (!lock_ || ::flock(lock_.Get(), LOCK_EX | LOCK_NB) != 0) {
        return false;
    }
    // Someone else (not one of our servers) may listen there without the lock: leave it be.
    if (ConnectLocal(socketPath_).Peer != LocalPeer::Nobody) {
        return false;
    }
    struct stat info {};
    if (::lstat(socketPath_.c_str(), &info) == 0) {
        if (!S_ISSOCK(info.st_mode)) {
            return false;  // not a socket left behind: not ours to remove
        }
        ::unlink(socketPath_.c_str());
    }
    listener_ = ListenLocal(socketPath_);
    if (!listener_ || ::lstat(socketPath_.c_str(), &info) != 0) {
        listener_.Reset();
        return false;
    }
    socketDevice_ = info.st_dev;
    socketInode_ = info.st_ino;
    listenerNotifier_ = std::make_unique<QSocketNotifier>(listener_.Get(), QSocketNotifier::Read);
    connect(listenerNotifier_.get(), &QSocketNotifier::activated, this, &WindowClassServer::Pump);
    return true;
}

// Clients are read in the order they connected, which keeps the order of messages that one
// program posted one after another: its earlier connection was written to before the later one
// was made.
void WindowClassServer::Pump() {
    AcceptClients();
    for (const std::unique_ptr<Client>& client : clients_) {
        if (!client->Finished) {
            ReadFrom(*client);
        }
    }
    for (const std::unique_ptr<Client>& client : clients_) {
        if (client->Finished) {
            Drop(*client);
        }
    }
    std::erase_if(clients_, [](const std::unique_ptr<Client>& client) { return client->Finished; });
    if (clients_.empty()) {
        idleCheck_.stop();
    } else if (!idleCheck_.isActive()) {
        idleCheck_.start();
    }
}

void WindowClassServer::AcceptClients() {
    for (;;) {
        const int socket =
            ::accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0) {
            if (errno == EINTR || errno == ECONNABORTED) {
                continue;
            }
            return;
        }
        auto client = std::make_unique<Client>();
        client->Socket.Reset(socket);
        client->Notifier = std::make_unique<QSocketNotifier>(socket, QSocketNotifier::Read);
        client->Connected = Clock::now();
        connect(client->Notifier.get(), &QSocketNotifier::activated, this,
                &WindowClassServer::Pump);
        // Read at once, so that whether a client has said anything is known before clients are
        // let go for newer ones.
        ReadFrom(*client);
        clients_.push_back(std::move(client));
        if (clients_.size() > MaxClients) {
            DropOldestSilentClient();
        }
    }
}

void WindowClassServer::DropOldestSilentClient() {
    const auto silent =
        std::find_if(clients_.begin(), clients_.end(), [](const std::unique_ptr<Client>& client) {
            return client->Pending.empty() && !client->Finished;
        });
    const auto oldest = silent != clients_.end() ? silent : clients_.begin();
    Drop(**oldest);
    clients_.erase(oldest);
}

void WindowClassServer::ReadFrom(Client& client) {
    std::array<char, ReadChunk> buffer;
    ssize_t count = 0;
    do {
        count = ::recv(client.Socket.Get(), buffer.data(), buffer.size(), 0);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        client.Finished = errno != EAGAIN && errno != EWOULDBLOCK;
        return;
    }
    if (count == 0) {
        // A last line without its line break still counts once the client has closed.
        client.Pending.push_back('\n');
        TakeLines(client);
        client.Finished = true;
        return;
    }
    client.Pending.append(buffer.data(), static_cast<std::size_t>(count));
    TakeLines(client);
}

void WindowClassServer::TakeLines(Client& client) {
    std::size_t start = 0;
    for (std::size_t end = client.Pending.find('\n'); end != std::string::npos;
         end = client.Pending.find('\n', start)) {
        if (end + 1 - start > MaxPostedLineLength) {
            client.Finished = true;
            return;
        }
        const std::string_view line = std::string_view(client.Pending).substr(start, end - start);
        if (const std::optional<PostedMessage> message = ParsePostedMessage(line)) {
            Post(*message);
        }
        start = end + 1;
    }
    client.Pending.erase(0, start);
    if (client.Pending.size() >= MaxPostedLineLength) {
        client.Finished = true;
    }
}

void WindowClassServer::DropIdleClients() {
    const Clock::time_point now = Clock::now();
    for (const std::unique_ptr<Client>& client : clients_) {
        if (now - client->Connected >= ClientTimeLimit) {
            client->Finished = true;
        }
    }
    Pump();
}

// Handing the message over through the event loop means the receiver runs outside the socket
// handling, and a receiver that destroys this server simply cancels the messages still queued.
void WindowClassServer::Post(const PostedMessage& message) {
    QMetaObject::invokeMethod(
        this, [this, message] { emit MessagePosted(message); }, Qt::QueuedConnection);
}

// The notifier may be the one whose signal is being handled right now, so it is deleted later.
void WindowClassServer::Drop(Client& client) {
    client.Notifier->setEnabled(false);
    client.Notifier.release()->deleteLater();
    client.Socket.Reset();
}

}  // namespace ostrelin::platform::desktop
