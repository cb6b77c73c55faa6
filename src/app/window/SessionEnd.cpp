#include "app/window/SessionEnd.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <cstdlib>
#include <utility>

namespace ostrelin::app {

namespace {

constexpr std::array kSessionSignals{SIGTERM, SIGHUP, SIGINT};

// Where the signal handler writes; a signal handler can reach nothing else.
int signalPipe = -1;
// The object whose exit handler runs at exit, if it still lives then; set once an object has
// registered the hook, which stays registered for the process.
SessionEnd* exitingSession = nullptr;
bool exitHookRegistered = false;

void WriteSignalByte(int signal) {
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe, &byte, 1);
}

}  // namespace

SessionEnd::SessionEnd(QObject* parent) : QObject(parent) {
    std::array<int, 2> ends{-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends.data()) != 0) {
        return;
    }
    readEnd_.Reset(ends[0]);
    writeEnd_.Reset(ends[1]);
    signalPipe = writeEnd_.Get();
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_.Get(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SessionEnd::SignalArrived);
    struct sigaction action {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSessionSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    exitingSession = this;
    if (!exitHookRegistered) {
        exitHookRegistered = std::atexit(&SessionEnd::RunProcessExitHandler) == 0;
    }
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, &SessionEnd::Ended);
    }
}

SessionEnd::~SessionEnd() {
    if (exitingSession == this) {
        exitingSession = nullptr;
    }
    if (signalPipe == writeEnd_.Get() && writeEnd_) {
        for (const int signal : kSessionSignals) {
            std::signal(signal, SIG_DFL);
        }
        signalPipe = -1;
    }
}

void SessionEnd::RunProcessExitHandler() {
    SessionEnd* const session = std::exchange(exitingSession, nullptr);
    if (session != nullptr && session->processExit_) {
        session->processExit_();
    }
}

void SessionEnd::SignalArrived() {
    std::array<char, 16> bytes{};
    while (::read(readEnd_.Get(), bytes.data(), bytes.size()) > 0) {
    }
    emit Ended();
}

}  // namespace ostrelin::app
