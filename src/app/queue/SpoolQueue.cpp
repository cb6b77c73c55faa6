#include "app/queue/SpoolQueue.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "app/queue/ClaimNames.h"
#include "app/queue/UpperCase.h"
#include "decode/Cp1250.h"
#include "decode/DescriptionLine.h"

namespace ostrelin::app {

namespace files = platform::files;

namespace {

constexpr std::string_view kSpoolPattern = "*.QSF";
constexpr std::string_view kClaimPattern = ".*.printing-*";

constexpr std::string_view kEndedTwiceText =
    "Tisk této úlohy už dvakrát ukončil program. Úloha zůstává ve frontě; znovu ji povolíte "
    "příkazem Pozastavit/povolit dokument.";

bool IsFolder(const files::FoundFile& file) {
    return (file.Attributes & (files::faDirectory | files::faVolumeID)) != 0;
}

}  // namespace

// A claim that keeps the entry in step with where its file stands, and the name note of a long
// name for exactly as long as the file stands under a shortened name.
class SpoolQueue::EntryClaim final : public files::ClaimedFile {
  public:
    EntryClaim(SpoolQueue& queue, std::unique_ptr<files::ClaimedFile> claim, std::uint64_t id,
               std::string diskName, std::string spoolDir, std::string returnName)
        : queue_(queue),
          claim_(std::move(claim)),
          id_(id),
          diskName_(std::move(diskName)),
          spoolDir_(std::move(spoolDir)),
          returnName_(std::move(returnName)) {}

    std::string Load() override { return claim_->Load(); }

    void Finish() override {
        claim_->Finish();
        queue_.RemoveNameNote(diskName_, spoolDir_);
    }

    bool GiveBack() override {
        if (!claim_->GiveBack()) {
            return false;
        }
        if (const auto row = queue_.RowOf(id_)) {
            queue_.entries_[*row].ClaimName = returnName_;
        }
        if (returnName_.empty()) {
            queue_.RemoveNameNote(diskName_, spoolDir_);
        }
        return true;
    }

  private:
    SpoolQueue& queue_;
    std::unique_ptr<files::ClaimedFile> claim_;
    std::uint64_t id_;
    std::string diskName_;
    std::string spoolDir_;
    std::string returnName_;  // the claim name it came from, empty for its own name
};

SpoolQueue::SpoolQueue(const files::FileSystem& files) : files_(files) {}

void SpoolQueue::Rescan(const std::string& spoolDir, Clock::time_point now) {
    files_.WatchWriters(spoolDir);
    if (!claimsTakenUp_) {
        claimsTakenUp_ = true;
        TakeUpClaims(spoolDir);
    }
    // Entries are told apart by the file's name on disk, byte for byte: files whose names differ
    // only in letter case, or show alike, are jobs of their own. A claimed entry's file stands
    // under its claim name, so a new file under its old name is a new job.
    std::unordered_map<std::string, std::size_t> rowByName;
    rowByName.reserve(entries_.size());
    std::vector<bool> seen(entries_.size(), false);
    const std::vector<std::string> claimFiles = ClaimFilesIfNeeded(spoolDir);
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        const QueueEntry& entry = entries_[row];
        if (entry.ClaimName.empty()) {
            rowByName.emplace(entry.DiskName, row);
        } else {
            seen[row] = std::find(claimFiles.begin(), claimFiles.end(), entry.ClaimName) !=
                        claimFiles.end();
        }
    }
    std::unordered_map<std::string, WriteSnapshot> stillUnsettled;

    for (const files::FoundFile& file :
         files_.FindFiles(spoolDir, std::string(kSpoolPattern), files::faAnyFile)) {
        if (IsFolder(file)) {
            continue;
        }
        if (const auto known = rowByName.find(file.Name); known != rowByName.end()) {
            if (known->second < seen.size()) {
                seen[known->second] = true;
            }
            continue;
        }
        if (file.Size <= 0) {
            continue;
        }
        if (!HasSettled(file, now) || files_.BeingWritten(spoolDir + file.Name)) {
            stillUnsettled.emplace(file.Name, WriteSnapshot{file.Size, file.LastWrite});
            continue;
        }
        int endedRuns = 0;
        if (const auto ended = endedRuns_.find(file.Name); ended != endedRuns_.end()) {
            endedRuns = ended->second;
            endedRuns_.erase(ended);
        }
        rowByName.emplace(file.Name, entries_.size());
        Append(NewEntry(file.Name, file.Size, spoolDir + file.Name, endedRuns));
    }
    unsettled_ = std::move(stillUnsettled);

    for (std::size_t row = seen.size(); row-- > 0;) {
        if (!seen[row]) {
            RemoveAt(row);
        }
    }
}

QueueEntry SpoolQueue::NewEntry(const std::string& diskName, std::int64_t size,
                                const std::string& path, int endedRuns) {
    QueueEntry entry{UpperCaseFileName(diskName),
                     diskName,
                     std::to_string(size),
                     std::string(kStateWaiting),
                     decode::Cp1250ToUtf8(decode::ReadDescriptionLine(files_, path)),
                     {},
                     ++lastId_,
                     {},
                     endedRuns};
    if (endedRuns >= 2) {
        entry.State = kStateFailed;
        entry.ErrorText = kEndedTwiceText;
    }
    return entry;
}

bool SpoolQueue::HasSettled(const files::FoundFile& file, Clock::time_point now) const {
    if (now - file.LastWrite >= kSettleTime) {
        return true;
    }
    // A time stamp in the future never ages; a file unchanged since the last scan has settled.
    const auto earlier = unsettled_.find(file.Name);
    return earlier != unsettled_.end() && earlier->second.Size == file.Size &&
           earlier->second.LastWrite == file.LastWrite;
}

std::vector<std::string> SpoolQueue::ClaimFilesIfNeeded(const std::string& spoolDir) const {
    std::vector<std::string> names;
    if (std::none_of(entries_.begin(), entries_.end(),
                     [](const QueueEntry& entry) { return !entry.ClaimName.empty(); })) {
        return names;
    }
    for (const files::FoundFile& file :
         files_.FindFiles(spoolDir, std::string(kClaimPattern), files::faAnyFile)) {
        if (!IsFolder(file)) {
            names.push_back(file.Name);
        }
    }
    return names;
}

// A claim that no process holds any more is given its name back and listed by the rescan with
// the runs it ended; one whose name another file has taken meanwhile is listed under its claim.
void SpoolQueue::TakeUpClaims(const std::string& spoolDir) {
    std::unordered_set<std::string> stemsInUse;
    for (const files::FoundFile& file :
         files_.FindFiles(spoolDir, std::string(kClaimPattern), files::faAnyFile)) {
        const auto claim = ParseClaimName(file.Name);
        if (IsFolder(file) || !claim) {
            continue;
        }
        std::string diskName = claim->Stem;
        if (IsShortenedStem(claim->Stem)) {
            const std::optional<std::string> note = files_.ReadTextLine(
                spoolDir + NameNoteName(claim->Stem), files::kMaxFileNameBytes + 1);
            if (note && !note->empty() && note->size() <= files::kMaxFileNameBytes &&
                ClaimStem(*note) == claim->Stem) {
                diskName = *note;
            }
        }
        const std::unique_ptr<files::ClaimedFile> left =
            files_.TakeUpClaim(spoolDir + file.Name, spoolDir + diskName);
        if (!left) {
            stemsInUse.insert(claim->Stem);  // a spooler running beside this one prints it
            continue;
        }
        if (left->GiveBack()) {
            endedRuns_[diskName] = std::max(endedRuns_[diskName], claim->Attempt);
            RemoveNameNote(diskName, spoolDir);
            continue;
        }
        stemsInUse.insert(claim->Stem);
        QueueEntry entry = NewEntry(diskName, file.Size, spoolDir + file.Name, claim->Attempt);
        entry.ClaimName = file.Name;
        Append(std::move(entry));
    }
    // Name notes whose claim has ended: the run ended between the two.
    for (const files::FoundFile& file : files_.FindFiles(spoolDir, ".*~*.name", files::faHidden)) {
        const std::string stem = file.Name.substr(1, file.Name.size() - NameNoteName("").size());
        if (!IsFolder(file) && IsShortenedStem(stem) && !stemsInUse.contains(stem) &&
            NameNoteName(stem) == file.Name) {
            files_.DeleteFile(spoolDir + file.Name);
        }
    }
}

std::unique_ptr<files::ClaimedFile> SpoolQueue::Claim(std::size_t row,
                                                      const std::string& spoolDir) {
    QueueEntry& entry = entries_.at(row);
    const std::string claimName = app::ClaimName(entry.DiskName, entry.EndedRuns + 1);
    if (ClaimNeedsNameNote(entry.DiskName)) {
        // Written before the claim, so that a run that ends while printing leaves the whole
        // name for the next one; one left by an earlier attempt still holds it.
        files_.CreateNewFile(spoolDir + NameNoteName(ClaimStem(entry.DiskName)), entry.DiskName);
    }
    std::unique_ptr<files::ClaimedFile> claim =
        files_.Claim(PathOf(row, spoolDir), spoolDir + claimName);
    if (!claim) {
        if (entry.ClaimName.empty()) {
            RemoveNameNote(entry.DiskName, spoolDir);
        }
        SetState(row, kStateWaiting);
        return nullptr;
    }
    std::string returnName = std::exchange(entry.ClaimName, claimName);
    return std::make_unique<EntryClaim>(*this, std::move(claim), entry.Id, entry.DiskName, spoolDir,
                                        std::move(returnName));
}

void SpoolQueue::RemoveNameNote(const std::string& diskName, const std::string& spoolDir) const {
    if (ClaimNeedsNameNote(diskName)) {
        files_.DeleteFile(spoolDir + NameNoteName(ClaimStem(diskName)));
    }
}

std::optional<std::size_t> SpoolQueue::RowOf(std::uint64_t id) const {
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (entries_[row].Id == id) {
            return row;
        }
    }
    return std::nullopt;
}

void SpoolQueue::SetFailed(std::size_t row, std::string errorText) {
    entries_.at(row).ErrorText = std::move(errorText);
    SetState(row, kStateFailed);
}

std::optional<std::size_t> SpoolQueue::FirstWaiting() const {
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (entries_[row].State == kStateWaiting) {
            return row;
        }
    }
    return std::nullopt;
}

void SpoolQueue::SetState(std::size_t row, std::string_view state) {
    entries_.at(row).State = state;
    if (observer_ != nullptr) {
        observer_->EntryChanged(row);
    }
}

void SpoolQueue::ToggleEntry(std::size_t row) {
    const std::string state = entries_.at(row).State;
    if (state == kStateWaiting) {
        SetState(row, kStatePaused);
    } else if (state == kStatePaused || state == kStateFailed) {
        entries_[row].ErrorText.clear();
        SetState(row, kStateWaiting);
    }
}

void SpoolQueue::DeleteEntry(std::size_t row, const std::string& spoolDir) {
    const QueueEntry& entry = entries_.at(row);
    files_.DeleteFile(PathOf(row, spoolDir));
    if (!entry.ClaimName.empty()) {
        RemoveNameNote(entry.DiskName, spoolDir);
    }
    RemoveAt(row);
}

void SpoolQueue::DeleteAll(const std::string& spoolDir) {
    while (!entries_.empty()) {
        DeleteEntry(0, spoolDir);
    }
}

std::string SpoolQueue::PathOf(std::size_t row, const std::string& spoolDir) const {
    const QueueEntry& entry = entries_.at(row);
    return spoolDir + (entry.ClaimName.empty() ? entry.DiskName : entry.ClaimName);
}

void SpoolQueue::Append(QueueEntry entry) {
    const std::size_t row = entries_.size();
    if (observer_ != nullptr) {
        observer_->BeginInsertEntry(row);
    }
    entries_.push_back(std::move(entry));
    if (observer_ != nullptr) {
        observer_->EndInsertEntry();
    }
}

void SpoolQueue::RemoveAt(std::size_t row) {
    if (observer_ != nullptr) {
        observer_->BeginRemoveEntry(row);
    }
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
    if (observer_ != nullptr) {
        observer_->EndRemoveEntry();
    }
}

}  // namespace ostrelin::app
