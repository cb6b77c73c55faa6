#include "app/cycle/ProcessingCycle.h"

namespace ostrelin::app {

namespace {

// Ends a started job on every way out: no further start until the next tick, and not busy.
class JobEnd {
  public:
    JobEnd(bool& startAllowed, bool& jobBusy) : startAllowed_(startAllowed), jobBusy_(jobBusy) {}
    JobEnd(const JobEnd&) = delete;
    JobEnd& operator=(const JobEnd&) = delete;
    ~JobEnd() {
        startAllowed_ = false;
        jobBusy_ = false;
    }

  private:
    bool& startAllowed_;
    bool& jobBusy_;
};

}  // namespace

ProcessingCycle::ProcessingCycle(SpoolQueue& queue, const platform::files::FileSystem& files,
                                 JobHandler& jobs)
    : queue_(queue), files_(files), jobs_(jobs) {}

void ProcessingCycle::TimerTick() {
    rescanPending_ = true;
    startAllowed_ = true;
}

std::optional<std::size_t> ProcessingCycle::FirstWaitingEntry() const {
    if (!printerEnabled_) {
        return std::nullopt;
    }
    return queue_.FirstWaiting();
}

void ProcessingCycle::StartJob(std::optional<std::size_t> row, const std::string& spoolDir) {
    if (jobBusy_ || !startAllowed_ || !printerEnabled_ || !row) {
        return;
    }
    if (queue_.Entries().at(*row).State == kStatePaused) {
        return;
    }
    jobBusy_ = true;
    const JobEnd jobEnd(startAllowed_, jobBusy_);
    if (queue_.Entries()[*row].State != kStatePrinting) {
        queue_.SetState(*row, kStatePrinting);
    }
    // The entry may be deleted by the user while the job prints: keep only its path.
    const std::string path = queue_.PathOf(*row, spoolDir);
    decode::ByteStream stream(files_.LoadWholeFile(path));
    const decode::JobKind kind = decode::ClassifyJob(stream);
    jobs_.HandleJob(kind, stream);
    files_.DeleteFile(path);
}

bool ProcessingCycle::HasIdleWork() const {
    return rescanPending_ || (startAllowed_ && !jobBusy_ && FirstWaitingEntry().has_value());
}

}  // namespace ostrelin::app
