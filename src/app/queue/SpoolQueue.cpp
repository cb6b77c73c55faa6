#include "app/queue/SpoolQueue.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "app/queue/UpperCase.h"
#include "decode/Cp1250.h"
#include "decode/DescriptionLine.h"

namespace ostrelin::app {

namespace files = platform::files;

namespace {

constexpr std::string_view kSpoolPattern = "*.QSF";
// A claimed file is named ".<name>.printing-<attempt>": hidden, and outside the spool pattern.
constexpr std::string_view kClaimPattern = ".*.printing-*";
constexpr std::string_view kClaimMark = ".printing-";

constexpr std::string_view kEndedTwiceText =
    "Tisk této úlohy už dvakrát ukončil program. Úloha zůstává ve frontě; znovu ji povolíte "
    "příkazem Pozastavit/povolit dokument.";

// The spool file's name and the attempt of a claim file's name; nothing for other names.
std::optional<std::pair<std::string, int>> ParseClaimName(const std::string& name) {
    const auto mark = name.rfind(kClaimMark);
    if (name.size() < 2 || name.front() != '.' || mark == std::string::npos || mark < 2) {
        return std::nullopt;
    }
    int attempt = 0;
    const char* const digits = name.data() + mark + kClaimMark.size();
    const char* const end = name.data() + name.size();
    const auto [stop, error] = std::from_chars(digits, end, attempt);
    if (error != std::errc() || stop != end || attempt < 1) {
        return std::nullopt;
    }
    return std::pair{name.substr(1, mark - 1), attempt};
}

}  // namespace

SpoolQueue::SpoolQueue(const files::FileSystem& files) : files_(files) {}

void SpoolQueue::Rescan(const std::string& spoolDir, Clock::time_point now) {
    if (!claimsTakenUp_) {
        claimsTakenUp_ = true;
        TakeUpClaims(spoolDir);
    }
    std::unordered_map<std::string, std::size_t> rowByName;
    rowByName.reserve(entries_.size());
    // Entries are told apart by the file's name on disk, byte for byte: files whose names differ
    // only in letter case, or show alike, are jobs of their own.
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        rowByName.emplace(entries_[row].DiskName, row);
    }
    std::vector<bool> seen(entries_.size(), false);
    std::unordered_map<std::string, WriteSnapshot> stillUnsettled;

    for (const files::FoundFile& file :
         files_.FindFiles(spoolDir, std::string(kSpoolPattern), files::faAnyFile)) {
        if ((file.Attributes & (files::faDirectory | files::faVolumeID)) != 0) {
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
        const std::string description =
            decode::Cp1250ToUtf8(decode::ReadDescriptionLine(files_, spoolDir + file.Name));
        rowByName.emplace(file.Name, entries_.size());
        QueueEntry entry{UpperCaseFileName(file.Name), file.Name,   std::to_string(file.Size),
                         std::string(kStateWaiting),   description, {}};
        if (const auto ended = endedRuns_.find(file.Name);
            ended != endedRuns_.end() && ended->second >= 2) {
            entry.State = kStateFailed;
            entry.ErrorText = kEndedTwiceText;
        }
        Append(std::move(entry));
    }
    unsettled_ = std::move(stillUnsettled);

    for (std::size_t row = seen.size(); row-- > 0;) {
        if (!seen[row]) {
            RemoveAt(row);
        }
    }
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

void SpoolQueue::TakeUpClaims(const std::string& spoolDir) {
    for (const files::FoundFile& file :
         files_.FindFiles(spoolDir, std::string(kClaimPattern), files::faAnyFile)) {
        const auto claim = ParseClaimName(file.Name);
        if ((file.Attributes & files::faDirectory) != 0 || !claim) {
            continue;
        }
        const auto& [diskName, attempt] = *claim;
        // Held: a spooler running beside this one is printing it.
        if (const auto left = files_.TakeUpClaim(spoolDir + file.Name, spoolDir + diskName);
            left && left->GiveBack()) {
            endedRuns_[diskName] = std::max(endedRuns_[diskName], attempt);
        }
    }
}

std::string SpoolQueue::ClaimPath(std::size_t row, const std::string& spoolDir) const {
    const std::string& diskName = entries_.at(row).DiskName;
    const auto ended = endedRuns_.find(diskName);
    const int attempt = (ended == endedRuns_.end() ? 0 : ended->second) + 1;
    return spoolDir + "." + diskName + std::string(kClaimMark) + std::to_string(attempt);
}

std::optional<std::size_t> SpoolQueue::RowOf(std::string_view diskName) const {
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        if (entries_[row].DiskName == diskName) {
            return row;
        }
    }
    return std::nullopt;
}

void SpoolQueue::SetFailed(std::size_t row, std::string errorText) {
    entries_.at(row).ErrorText = std::move(errorText);
    SetState(row, kStateFailed);
}

void SpoolQueue::JobEnded(std::string_view diskName) {
    endedRuns_.erase(std::string(diskName));
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
    files_.DeleteFile(PathOf(row, spoolDir));
    JobEnded(entries_.at(row).DiskName);
    RemoveAt(row);
}

void SpoolQueue::DeleteAll(const std::string& spoolDir) {
    while (!entries_.empty()) {
        DeleteEntry(0, spoolDir);
    }
}

std::string SpoolQueue::PathOf(std::size_t row, const std::string& spoolDir) const {
    return spoolDir + entries_.at(row).DiskName;
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
