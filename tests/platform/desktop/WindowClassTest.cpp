#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <QProcess>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/TempDir.h"
#include "platform/desktop/WindowClassRegistry.h"
#include "platform/desktop/qt/LocalSocket.h"
#include "platform/desktop/qt/WindowClassServer.h"

namespace ostrelin::platform::desktop {
namespace {

// Every message a server emits, in order.
class Inbox {
  public:
    explicit Inbox(WindowClassServer& server) {
        QObject::connect(&server, &WindowClassServer::MessagePosted,
                         [this](const PostedMessage& message) { messages_.push_back(message); });
    }

    // Lets the event loop run until `count` messages are in (or a generous deadline passes).
    const std::vector<PostedMessage>& WaitFor(std::size_t count) {
        (void)QTest::qWaitFor([&] { return messages_.size() >= count; }, 10'000);
        return messages_;
    }

    // Lets the event loop run for a moment so that anything already sent is handled.
    const std::vector<PostedMessage>& Settle() {
        QTest::qWait(50);
        return messages_;
    }

  private:
    std::vector<PostedMessage> messages_;
};

std::string ClassName() {
    return std::string("TestClass-") +
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// A raw client connection, for sending what PostMessageToClass never would.
files::UniqueFd RawClient(const std::string& className) {
    LocalConnection connection = ConnectLocal(*WindowClassSocketPath(className));
    EXPECT_EQ(connection.Peer, LocalPeer::Listening);
    return std::move(connection.Socket);
}

// Waits until the server has closed the client's connection.
bool ClosedByServer(const files::UniqueFd& client) {
    return QTest::qWaitFor(
        [&] {
            char byte = 0;
            return ::recv(client.Get(), &byte, 1, MSG_DONTWAIT) == 0;
        },
        10'000);
}

// A socket file with nobody behind it, as a program that crashed leaves it.
void LeaveStaleSocket(const std::string& path) {
    files::UniqueFd socket{::socket(AF_UNIX, SOCK_STREAM, 0)};
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
}

TEST(WindowClass, UnusableNamesAreRefused) {
    for (const std::string& name : {std::string(), std::string("."), std::string(".."),
                                    std::string("a/b"), std::string(200, 'n')}) {
        EXPECT_EQ(WindowClassSocketPath(name), std::nullopt) << name;
        EXPECT_FALSE(FindWindowByClass(name)) << name;
        EXPECT_FALSE(WindowClassServer(name).IsRegistered()) << name;
    }
}

// Whoever may write in the runtime directory could take the name over: a directory that is not
// private is not used (Qt then falls back to a private one of its own).
TEST(WindowClass, SocketsLiveOnlyInAPrivateDirectory) {
    const std::string ownRuntimeDir = ::getenv("XDG_RUNTIME_DIR");
    const ostrelin::testing::TempDir shared;
    std::filesystem::permissions(shared.Path(), std::filesystem::perms::all);
    ::setenv("XDG_RUNTIME_DIR", shared.Path().c_str(), 1);
    const std::optional<std::string> path = WindowClassSocketPath("Name");
    ::setenv("XDG_RUNTIME_DIR", ownRuntimeDir.c_str(), 1);
    if (path) {
        const std::filesystem::path directory = std::filesystem::path(*path).parent_path();
        EXPECT_NE(directory, shared.Path());
        EXPECT_EQ(std::filesystem::status(directory).permissions(),
                  std::filesystem::perms::owner_all);
    }
}

TEST(WindowClass, FoundWhileTheServerLivesAndPrivateToTheUser) {
    const std::string name = ClassName();
    EXPECT_FALSE(FindWindowByClass(name));
    EXPECT_FALSE(PostMessageToClass(name, {WM_USER, 1, 2}));
    const std::string path = *WindowClassSocketPath(name);
    {
        WindowClassServer server(name);
        ASSERT_TRUE(server.IsRegistered());
        EXPECT_EQ(server.SocketPath(), path);
        EXPECT_TRUE(FindWindowByClass(name));

        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_TRUE(S_ISSOCK(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        ASSERT_EQ(::stat(std::filesystem::path(path).parent_path().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    EXPECT_FALSE(FindWindowByClass(name));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(WindowClass, PostedMessagesArriveInOrder) {
    const std::string name = ClassName();
    WindowClassServer server(name);
    Inbox inbox(server);
    std::vector<PostedMessage> posted;
    for (int i = 0; i < 100; ++i) {
        posted.push_back({static_cast<std::uint32_t>(i % 3 == 0 ? WM_USER : WM_QUIT), i, -i});
        ASSERT_TRUE(PostMessageToClass(name, posted.back()));
    }
    EXPECT_EQ(inbox.WaitFor(posted.size()), posted);
    EXPECT_EQ(inbox.Settle().size(), posted.size());
}

TEST(WindowClass, LinesThatAreNotMessagesAreIgnored) {
    const std::string name = ClassName();
    WindowClassServer server(name);
    Inbox inbox(server);
    {
        const files::UniqueFd client = RawClient(name);
        ASSERT_TRUE(
            SendAll(client.Get(), "1 2 3\ngarbage\n\n\xff\xfe\n1024 123456 123456\r\n9 9\n7 8 9"));
    }
    const std::vector<PostedMessage> expected = {{1, 2, 3}, {1024, 123456, 123456}, {7, 8, 9}};
    EXPECT_EQ(inbox.WaitFor(3), expected);
    EXPECT_EQ(inbox.Settle(), expected);
}

TEST(WindowClass, OverlongLineDropsTheClientAndNothingAfterIt) {
    const std::string name = ClassName();
    WindowClassServer server(name);
    Inbox inbox(server);
    const files::UniqueFd flooder = RawClient(name);
    ASSERT_TRUE(SendAll(flooder.Get(), "5 5 5\n" + std::string(300, '7') + "\n6 6 6\n"));
    EXPECT_TRUE(ClosedByServer(flooder));

    const files::UniqueFd endless = RawClient(name);
    ASSERT_TRUE(SendAll(endless.Get(), std::string(1000, ' ')));
    EXPECT_TRUE(ClosedByServer(endless));

    ASSERT_TRUE(PostMessageToClass(name, {WM_USER, 1, 1}));
    const std::vector<PostedMessage> expected = {{5, 5, 5}, {WM_USER, 1, 1}};
    EXPECT_EQ(inbox.WaitFor(2), expected);
    EXPECT_EQ(inbox.Settle(), expected);
}

TEST(WindowClass, SilentClientDoesNotHoldUpOthers) {
    const std::string name = ClassName();
    WindowClassServer server(name);
    Inbox inbox(server);
    const files::UniqueFd silent = RawClient(name);
    ASSERT_TRUE(SendAll(silent.Get(), "1024 1"));
    ASSERT_TRUE(PostMessageToClass(name, {WM_QUIT, 0, 0}));
    EXPECT_EQ(inbox.WaitFor(1), (std::vector<PostedMessage>{{WM_QUIT, 0, 0}}));

    // The half line is still completed by its sender.
    ASSERT_TRUE(SendAll(silent.Get(), " 2\n"));
    EXPECT_EQ(inbox.WaitFor(2).back(), (PostedMessage{1024, 1, 2}));
}

// Programs that connect and say nothing, however many, neither keep a message out nor hold the
// server's descriptors.
TEST(WindowClass, ThousandsOfSilentClientsDoNotKeepAMessageOut) {
    rlimit files{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &files), 0);
    files.rlim_cur = std::min<rlim_t>(files.rlim_max, 8192);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &files), 0);
    ASSERT_GE(files.rlim_cur, 4200u) << "too few file descriptors for the test";

    const std::string name = ClassName();
    WindowClassServer server(name);
    Inbox inbox(server);
    std::vector<files::UniqueFd> silent;
    for (int i = 0; i < 2000; ++i) {
        silent.push_back(RawClient(name));
        ASSERT_TRUE(silent.back()) << i;
    }
    ASSERT_TRUE(PostMessageToClass(name, {WM_QUIT, 0, 0}));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(inbox.WaitFor(1), (std::vector<PostedMessage>{{WM_QUIT, 0, 0}}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3))
        << "the message waited behind the silent clients";
}

TEST(WindowClass, AClientThatTricklesIsDroppedWithinSeconds) {
    const std::string name = ClassName();
    WindowClassServer server(name);
    const files::UniqueFd trickling = RawClient(name);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 4 && !QTest::qWaitFor([] { return false; }, 900); ++i) {
        SendAll(trickling.Get(), "1");  // a byte now and then, never a whole line
    }
    EXPECT_TRUE(ClosedByServer(trickling));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
}

TEST(WindowClass, ASecondServerTakesTheNameOnceTheFirstHasGone) {
    const std::string name = ClassName();
    auto first = std::make_unique<WindowClassServer>(name);
    WindowClassServer second(name);
    EXPECT_FALSE(second.RetryRegistration());
    first.reset();
    EXPECT_TRUE(second.RetryRegistration());
    Inbox inbox(second);
    ASSERT_TRUE(PostMessageToClass(name, {WM_USER, 5, 6}));
    EXPECT_EQ(inbox.WaitFor(1), (std::vector<PostedMessage>{{WM_USER, 5, 6}}));
}

TEST(WindowClass, StaleSocketFileDoesNotBlockAStart) {
    const std::string name = ClassName();
    LeaveStaleSocket(*WindowClassSocketPath(name));
    EXPECT_FALSE(FindWindowByClass(name));

    WindowClassServer server(name);
    ASSERT_TRUE(server.IsRegistered());
    Inbox inbox(server);
    ASSERT_TRUE(PostMessageToClass(name, {WM_USER, 123456, 123456}));
    EXPECT_EQ(inbox.WaitFor(1).size(), 1u);
}

TEST(WindowClass, LiveServerKeepsItsNameAgainstASecondOne) {
    const std::string name = ClassName();
    WindowClassServer first(name);
    ASSERT_TRUE(first.IsRegistered());
    Inbox inbox(first);
    {
        const WindowClassServer second(name);
        EXPECT_FALSE(second.IsRegistered());
    }
    ASSERT_TRUE(PostMessageToClass(name, {WM_USER, 3, 4}));
    EXPECT_EQ(inbox.WaitFor(1), (std::vector<PostedMessage>{{WM_USER, 3, 4}}));
}

TEST(WindowClass, NeverRemovesWhatIsNotALeftOverSocket) {
    const std::string name = ClassName();
    const std::string path = *WindowClassSocketPath(name);

    // Another program listening there without taking part in our locking.
    files::UniqueFd foreign = ListenLocal(path);
    ASSERT_TRUE(foreign);
    EXPECT_FALSE(WindowClassServer(name).IsRegistered());
    EXPECT_TRUE(FindWindowByClass(name));
    foreign.Reset();
    std::filesystem::remove(path);

    // An ordinary file of that name.
    std::ofstream(path) << "keep me";
    EXPECT_FALSE(WindowClassServer(name).IsRegistered());
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
    std::filesystem::remove(path);
}

TEST(WindowClass, ReceiverMayDestroyTheServerWhileMessagesWait) {
    const std::string name = ClassName();
    auto server = std::make_unique<WindowClassServer>(name);
    std::vector<PostedMessage> received;
    QObject::connect(server.get(), &WindowClassServer::MessagePosted,
                     [&](const PostedMessage& message) {
                         received.push_back(message);
                         server.reset();
                     });
    ASSERT_TRUE(PostMessageToClass(name, {WM_QUIT, 0, 0}));
    ASSERT_TRUE(PostMessageToClass(name, {WM_USER, 0, 0}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server == nullptr; }, 10'000));
    QTest::qWait(50);
    EXPECT_EQ(received, (std::vector<PostedMessage>{{WM_QUIT, 0, 0}}));
    EXPECT_FALSE(FindWindowByClass(name));
}

// The command-line tool posts through the same registry; its exit status tells what happened.
TEST(WindowClass, PostToolReportsDeliveryAbsenceAndBadUsage) {
    const std::string name = ClassName();
    const auto run = [](const QStringList& arguments) {
        QProcess tool;
        tool.start(QStringLiteral(OSTRELIN_POST_TOOL), arguments);
        EXPECT_TRUE(tool.waitForFinished(30'000));
        return tool.exitCode();
    };
    const QString className = QString::fromStdString(name);

    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"1024", "x", "1"}), 2);
    EXPECT_EQ(run({"-5", "1", "1"}), 2);
    EXPECT_EQ(run({"1024", "1", "1", "a/b"}), 2);
    EXPECT_EQ(run({"1024", "123456", "123456", className}), 1);

    WindowClassServer server(name);
    Inbox inbox(server);
    EXPECT_EQ(run({"1024", "123456", "-123456", className}), 0);
    EXPECT_EQ(inbox.WaitFor(1), (std::vector<PostedMessage>{{WM_USER, 123456, -123456}}));
}

}  // namespace
}  // namespace ostrelin::platform::desktop
