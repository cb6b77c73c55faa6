#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <utility>

#include "platform/files/posix/UniqueFd.h"

class QSocketNotifier;

namespace ostrelin::app {

// Tells when the desktop session ends the program: SIGTERM, SIGHUP or SIGINT (a logout, a closed
// terminal, Ctrl+C) or the session manager asking the program to save its work. Each is turned
// into Ended() from the event loop, so that the program ends the way its Quit command ends it,
// storing its settings. When the display goes away, Qt ends the process at once with exit();
// only what runs at exit can still store anything then, so the object also calls the handler
// given to OnProcessExit when the process exits while the object lives. Only one object may
// exist at a time: it owns the signals' handlers and the exit hook.
class SessionEnd final : public QObject {
    Q_OBJECT

  public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

    // Sets what runs when the process exits while this object lives.
    void OnProcessExit(std::function<void()> handler) { processExit_ = std::move(handler); }

  signals:
    void Ended();

  private:
    void SignalArrived();
    static void RunProcessExitHandler();

    std::function<void()> processExit_;
    platform::files::UniqueFd readEnd_;
    platform::files::UniqueFd writeEnd_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace ostrelin::app
