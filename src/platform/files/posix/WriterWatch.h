#pragma once

#include <string>
#include <unordered_set>

#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::files {

// What inotify(7) tells of the files of one directory since the watch began: which of them were
// created or written and have not been closed by a writer since. It stands in for a read lease on
// files that only their owner may lease. A file opened for writing before the watch began, or
// moved into the directory, is not known; neither is anything when the kernel's event queue ran
// over.
class WriterWatch {
  public:
    // Watches `directory`; a watch that cannot be set up (no inotify, too many watches) knows
    // nothing.
    explicit WriterWatch(const std::string& directory);

    // False once the directory has gone or was never watched.
    bool Active() const { return static_cast<bool>(fd_); }

    // Takes in what happened since the last call and answers whether `name` was created or
    // written and has not been closed by a writer since.
    bool OpenForWriting(const std::string& name);

  private:
    void TakeEvents();

    UniqueFd fd_;
    // Names seen created or written and not closed by a writer since.
    std::unordered_set<std::string> writing_;
};

}  // namespace ostrelin::platform::files
