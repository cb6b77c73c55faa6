#include "app/queue/SpoolQueue.h"

#include "app/queue/UpperCase.h"
#include "decode/Cp1250.h"
#include "decode/DescriptionLine.h"

namespace ostrelin::app {

namespace files = platform::files;

namespace {
constexpr std::string_view kSpoolPattern = "*.QSF";
}

SpoolQueue::SpoolQueue(const files::FileSystem& files) : files_(files) {}

void SpoolQueue::Rescan(const std::string& spoolDir, Clock::time_point now) {
    std::unordered_map<std::string, std::size_t> rowByName;
    rowByName.reserve(entries_.size());
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        rowByName.emplace(entries_[row].FileName, row);
    }
    std::vector<bool> seen(entries_.size(), false);
    std::unordered_map<std::string, WriteSnapshot> stillUnsettled;

    for (const files::FoundFile& file :
         files_.FindFiles(spoolDir, std::string(kSpoolPattern), files::faAnyFile)) {
        if ((file.Attributes & (files::faDirectory | files::faVolumeID)) != 0) {
            continue;
        }
        std::string upperName = UpperCaseFileName(file.Name);
        if (const auto known = rowByName.find(upperName); known != rowByName.end()) {
            if (known->second < seen.size()) {
                seen[known->second] = true;
            }
            continue;
        }
        if (file.Size <= 0) {
            continue;
        }
        if (!HasSettled(file, now)) {
            stillUnsettled.emplace(file.Name, WriteSnapshot{file.Size, file.LastWrite});
            continue;
        }
        const std::string description =
            decode::Cp1250ToUtf8(decode::ReadDescriptionLine(files_, spoolDir + file.Name));
        rowByName.emplace(upperName, entries_.size());
        Append(QueueEntry{std::move(upperName), file.Name, std::to_string(file.Size),
                          std::string(kStateWaiting), description});
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
    } else if (state == kStatePaused) {
        SetState(row, kStateWaiting);
    }
}

void SpoolQueue::DeleteEntry(std::size_t row, const std::string& spoolDir) {
    files_.DeleteFile(PathOf(row, spoolDir));
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
