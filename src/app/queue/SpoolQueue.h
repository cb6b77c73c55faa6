#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
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
    // process still holds open for writing is not listed. An entry whose file is claimed stays
    // as long as its claim file does. The first rescan first takes up the claims that runs which
    // ended while printing left behind.
    void Rescan(const std::string& spoolDir, Clock::time_point now);

    // Takes the entry's file for its job (see FileSystem::Claim) under a name that counts the
    // runs that ended while printing it; the entry follows its file under that name until the
    // claim gives it back. Nothing when the file has gone or another process holds it: the
    // entry then waits again. Throws what Claim throws.
    std::unique_ptr<platform::files::ClaimedFile> Claim(std::size_t row,
                                                        const std::string& spoolDir);

    // The row of the entry `id`, if it is still listed.
    std::optional<std::size_t> RowOf(std::uint64_t id) const;

    // Marks the entry "Chyba" with the reason.
    void SetFailed(std::size_t row, std::string errorText);

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

    // Full path of the entry's file where it stands now: under its claim name while claimed.
    std::string PathOf(std::size_t row, const std::string& spoolDir) const;

  private:
    class EntryClaim;

    struct WriteSnapshot {
        std::int64_t Size = 0;
        Clock::time_point LastWrite;
    };

    bool HasSettled(const platform::files::FoundFile& file, Clock::time_point now) const;
    void TakeUpClaims(const std::string& spoolDir);
    // The claim files of `spoolDir` by name, when some entry stands under one.
    std::vector<std::string> ClaimFilesIfNeeded(const std::string& spoolDir) const;
    QueueEntry NewEntry(const std::string& diskName, std::int64_t size, const std::string& path,
                        int endedRuns);
    void RemoveNameNote(const std::string& diskName, const std::string& spoolDir) const;
    void Append(QueueEntry entry);
    void RemoveAt(std::size_t row);

    const platform::files::FileSystem& files_;
    QueueObserver* observer_ = nullptr;
    std::vector<QueueEntry> entries_;
    std::uint64_t lastId_ = 0;
    // Files seen at the last scan that were not listed yet because they were still being written.
    std::unordered_map<std::string, WriteSnapshot> unsettled_;
    // Files given their names back at the first rescan (by disk name), and how many runs ended
    // while printing them, until they are listed.
    std::unordered_map<std::string, int> endedRuns_;
    bool claimsTakenUp_ = false;
};

}  // namespace ostrelin::app
