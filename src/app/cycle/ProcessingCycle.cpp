#include "app/cycle/ProcessingCycle.h"

#include "platform/Error.h"
#include "platform/files/FileSystem.h"

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

ProcessingCycle::ProcessingCycle(SpoolQueue& queue, JobHandler& jobs)
    : queue_(queue), jobs_(jobs) {}

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
    // The user may delete the entry while the job prints, and a new file may come under its
    // name: the entry is followed by what tells it apart from every other one.
    const std::uint64_t id = queue_.Entries()[*row].Id;
    std::unique_ptr<platform::files::ClaimedFile> claim;
    try {
        claim = queue_.Claim(*row, spoolDir);
    } catch (const platform::files::ForeignFileError& error) {
        Fail(id, ErrorText(error));
        // The folder's setting is to blame, not the job: told once, not for every such job.
        if (!foreignFilesTold_) {
            foreignFilesTold_ = true;
            throw;
        }
        return;
    } catch (const std::exception& error) {
        Fail(id, ErrorText(error));
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
        if (queue_.RowOf(id)) {
            claim->GiveBack();
            Fail(id, ErrorText(error));
        } else {
            claim->Finish();
        }
        throw;
    }
    claim->Finish();
}

void ProcessingCycle::Fail(std::uint64_t id, const std::string& reason) {
    if (const auto row = queue_.RowOf(id)) {
        queue_.SetFailed(*row, reason);
    }
}

bool ProcessingCycle::HasIdleWork() const {
    return rescanPending_ || (startAllowed_ && !jobBusy_ && FirstWaitingEntry().has_value());
}

}  // namespace ostrelin::app
