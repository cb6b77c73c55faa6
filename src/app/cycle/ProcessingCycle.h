#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "app/cycle/JobHandler.h"
#include "app/queue/SpoolQueue.h"

namespace ostrelin::app {

// The flags that decide when the spool directory is rescanned and when the next job starts.
// A timer tick only raises flags; the idle handler rescans in one call and starts the first
// waiting job in a later one, so at most one job starts per timer period.
class ProcessingCycle {
  public:
    ProcessingCycle(SpoolQueue& queue, JobHandler& jobs);

    bool PrinterEnabled() const { return printerEnabled_; }
    bool StartAllowed() const { return startAllowed_; }
    bool RescanPending() const { return rescanPending_; }
    bool JobBusy() const { return jobBusy_; }

    void SetPrinterEnabled(bool enabled) { printerEnabled_ = enabled; }
    void SetRescanPending(bool pending) { rescanPending_ = pending; }

    // A timer tick: a rescan is due and a job may start.
    void TimerTick();

    // The first waiting entry, or none while printing is paused.
    std::optional<std::size_t> FirstWaitingEntry() const;

    // Takes one job from the queue: marks the entry "Tiskne se", claims its file (so that no
    // other spooler takes it), loads it, classifies it and hands it on; the file is deleted only
    // once the job has been handed on, or when the user deleted the entry meanwhile. A file that
    // another spooler has claimed, or that is gone, is left to the next rescan. A failed claim,
    // load or job gives the file its name back, marks the entry "Chyba" with the reason and
    // raises the error; the entry is not tried again until the user says so. Files of other
    // users that the folder does not let this program take are raised once a run, and only
    // marked after that.
    void StartJob(std::optional<std::size_t> row, const std::string& spoolDir);

    // True when an idle call could change something before the next event arrives: a rescan is
    // pending or a job could start now. Otherwise the loop may sleep.
    bool HasIdleWork() const;

  private:
    void Fail(std::uint64_t entryId, const std::string& reason);

    SpoolQueue& queue_;
    JobHandler& jobs_;
    bool printerEnabled_ = false;
    bool startAllowed_ = false;
    bool rescanPending_ = false;
    bool jobBusy_ = false;
    bool foreignFilesTold_ = false;
};

}  // namespace ostrelin::app
