#pragma once

#include <QObject>
#include <memory>

#include "platform/files/posix/UniqueFd.h"

class QSocketNotifier;

namespace ostrelin::app {

// Tells when the desktop session ends the program: SIGTERM, SIGHUP or SIGINT (a logout, a closed
// terminal, Ctrl+C) or the session manager asking the program to save its work. Each is turned
// into Ended() from the event loop, so that the program ends the way its Quit command ends it,
// storing its settings. Only one object may exist at a time: it owns the signals' handlers.
class SessionEnd final : public QObject {
    Q_OBJECT

  public:
    explicit SessionEnd(QObject* parent = nullptr);
    ~SessionEnd() override;

  signals:
    void Ended();

  private:
    void SignalArrived();

    platform::files::UniqueFd readEnd_;
    platform::files::UniqueFd writeEnd_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace ostrelin::app
