#include "app/cycle/ProcessingCycle.h"

#include "platform/Error.h"

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
    // The user may delete the entry while the job prints: keep only its file's name.
    const std::string diskName = queue_.Entries()[*row].DiskName;
    std::unique_ptr<platform::files::ClaimedFile> claim;
    try {
        claim = files_.Claim(spoolDir + diskName, queue_.ClaimPath(*row, spoolDir));
    } catch (const std::exception& error) {
        Fail(diskName, ErrorText(error));
        throw;
    }
    if (!claim) {
        return;
    }
    try {
        decode::ByteStream stream(claim->Load());
        const decode::JobKind kind = decode::ClassifyJob(stream);
        jobs_.HandleJob(kind, stream);
    } catch (const std::exception& error) {
        if (queue_.RowOf(diskName)) {
            claim->GiveBack();
            Fail(diskName, ErrorText(error));
        } else {
            claim->Finish();
        }
        throw;
    }
    claim->Finish();
    queue_.JobEnded(diskName);
}

void ProcessingCycle::Fail(const std::string& diskName, const std::string& reason) {
    if (const auto row = queue_.RowOf(diskName)) {
        queue_.SetFailed(*row, reason);
    }
}

bool ProcessingCycle::HasIdleWork() const {
    return rescanPending_ || (startAllowed_ && !jobBusy_ && FirstWaitingEntry().has_value());
}

}  // namespace ostrelin::app
