#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/queue/QueueEntry.h"
#include "app/queue/QueueObserver.h"
#include "platform/files/FileSystem.h"

namespace ostrelin::app {

// The print jobs waiting in the spool directory, in the order in which they were first seen.
// The directory is the only storage: a rescan keeps known entries in place, appends new spool
// files and drops entries whose file has gone.
class SpoolQueue {
  public:
    using Clock = std::chrono::system_clock;

    // A file written within this time is taken to be still growing and is listed later.
    static constexpr std::chrono::milliseconds kSettleTime{1000};

    explicit SpoolQueue(const platform::files::FileSystem& files);

    // The observer (or none) told about every change of the entries.
    void SetObserver(QueueObserver* observer) { observer_ = observer; }

    const std::vector<QueueEntry>& Entries() const { return entries_; }
    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

    // Brings the entries up to date with the `*.QSF` files of `spoolDir` (ending with '/'),
    // taking `now` as the current time for the still-being-written test. A file that some
    // process still holds open for writing is not listed. The first rescan first takes up the
    // claims that runs which ended while printing left behind (see ClaimPath).
    void Rescan(const std::string& spoolDir, Clock::time_point now);

    // Where the entry's file stands while its job prints: a hidden name outside the spool
    // pattern that also counts the runs that ended while printing it.
    std::string ClaimPath(std::size_t row, const std::string& spoolDir) const;

    // The row of the entry whose file is `diskName`, if it is still listed.
    std::optional<std::size_t> RowOf(std::string_view diskName) const;

    // Marks the entry "Chyba" with the reason.
    void SetFailed(std::size_t row, std::string errorText);

    // Forgets the runs that ended while printing the file: its job has ended now.
    void JobEnded(std::string_view diskName);

    // The first entry from the top whose state is "Čeká", if any.
    std::optional<std::size_t> FirstWaiting() const;

    // Sets the state text of one entry.
    void SetState(std::size_t row, std::string_view state);

    // Turns a waiting entry into a paused one and back, and a failed one into a waiting one (the
    // user's retry); a printing entry stays as it is.
    void ToggleEntry(std::size_t row);

    // Deletes the entry's file (a failure is ignored) and removes the entry.
    void DeleteEntry(std::size_t row, const std::string& spoolDir);

    // Deletes the files of all entries, whatever their state, and empties the queue.
    void DeleteAll(const std::string& spoolDir);

    // Full path of the entry's spool file.
    std::string PathOf(std::size_t row, const std::string& spoolDir) const;

  private:
    struct WriteSnapshot {
        std::int64_t Size = 0;
        Clock::time_point LastWrite;
    };

    bool HasSettled(const platform::files::FoundFile& file, Clock::time_point now) const;
    void TakeUpClaims(const std::string& spoolDir);
    void Append(QueueEntry entry);
    void RemoveAt(std::size_t row);

    const platform::files::FileSystem& files_;
    QueueObserver* observer_ = nullptr;
    std::vector<QueueEntry> entries_;
    // Files seen at the last scan that were not listed yet because they were still being written.
    std::unordered_map<std::string, WriteSnapshot> unsettled_;
    // Files whose printing ended a run (by disk name), and how many runs it ended.
    std::unordered_map<std::string, int> endedRuns_;
    bool claimsTakenUp_ = false;
};

}  // namespace ostrelin::app
