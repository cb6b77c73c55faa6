#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrelin::app {

// Job states as the queue list shows them; entries are compared by these exact texts.
inline constexpr std::string_view kStateWaiting = "Čeká";
inline constexpr std::string_view kStatePaused = "Pozastaveno";
inline constexpr std::string_view kStatePrinting = "Tiskne se";
// A job that failed: it keeps its file and waits until the user lets it print again.
inline constexpr std::string_view kStateFailed = "Chyba";

// One row of the queue list: one spool file in the spool directory.
// An entry is its file, not its name: once the job is claimed the entry follows the claim, and a
// new file under the same name is a job of its own.
struct QueueEntry {
    std::string FileName;     // upper-case name as listed
    std::string DiskName;     // the name as it stands on disk, used to open and delete the file
    std::string Size;         // decimal byte count taken when the entry was added
    std::string State;        // one of the state texts
    std::string Description;  // description line, UTF-8 for display
    std::string ErrorText;    // why the job failed, while its state is "Chyba"
    std::uint64_t Id = 0;     // tells the entry apart from every other one of this run
    std::string ClaimName;    // the name the file stands under while claimed; empty otherwise
    int EndedRuns = 0;        // runs of the program that ended while printing the file
};

}  // namespace ostrelin::app
