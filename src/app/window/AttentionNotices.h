#pragma once

#include <string>

#include "platform/desktop/Notifier.h"
#include "platform/printing/PrinterState.h"

namespace ostrelin::app {

// When the spooler tells the desktop that something needs the user: a job that failed, or the
// chosen printer stopping or needing attention, while the window is hidden. One notice per
// change: a state that stays as it was is never told again. A printer's newer notice replaces
// its older one on the desktop; each failed job's notice stays its own.
class AttentionNotices {
  public:
    explicit AttentionNotices(platform::desktop::Notifier& notifier) : notifier_(notifier) {}

    // The topic of the notices about `printer`.
    static std::string PrinterTopic(const std::string& printer);

    // The job shown as `name` failed for `reason`.
    void JobFailed(const std::string& name, const std::string& reason, bool windowHidden);
    // The chosen printer's state as the window shows it now.
    void PrinterState(const platform::printing::PrinterState& state, bool windowHidden);

  private:
    platform::desktop::Notifier& notifier_;
    std::string lastPrinterState_;
};

}  // namespace ostrelin::app
