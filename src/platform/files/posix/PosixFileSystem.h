#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/files/FileSystem.h"
#include "platform/files/posix/WriterWatch.h"

namespace ostrelin::platform::files {

// The file operations on a POSIX file system. A directory search reports regular files and
// directories only (never symbolic links, FIFOs, sockets or devices), and no file is opened
// through a symbolic link. Attributes: a name starting with '.' is hidden; a file is read-only when
// it has no write permission bit at all or this process may not write it; every regular file
// carries faArchive. Results come sorted by name without regard to case, so that files found
// together keep a stable, alphabetical order rather than the order of the directory's hash table.
class PosixFileSystem final : public FileSystem {
  public:
    std::vector<FoundFile> FindFiles(const std::string& directory, const std::string& pattern,
                                     std::uint32_t attributeMask) const override;
    std::string LoadWholeFile(const std::string& path) const override;
    std::optional<std::string> ReadTextLine(const std::string& path,
                                            std::size_t maxBytes) const override;
    bool CreateNewFile(const std::string& path, const std::string& content) const override;
    bool DeleteFile(const std::string& path) const override;
    // Locks are flock(2) locks, which end with the process that holds them. "Being written" is
    // told by a read lease (fcntl(2) F_SETLEASE), which the kernel refuses while any process has
    // the file open for writing; only the file's owner can take one, so for other owners' files
    // the directory's WriterWatch answers.
    std::unique_ptr<ClaimedFile> Claim(const std::string& path,
                                       const std::string& claimPath) const override;
    std::unique_ptr<ClaimedFile> TakeUpClaim(const std::string& claimPath,
                                             const std::string& originalPath) const override;
    void WatchWriters(const std::string& directory) const override;
    bool BeingWritten(const std::string& path) const override;
    bool DeleteUnlessLocked(const std::string& path) const override;

  private:
    // What the watch of the file's directory says, false without one.
    bool WatchSeesWriter(const std::string& path) const;

    mutable std::mutex watchesLock_;
    // By directory, as WatchWriters named it (ending with '/').
    mutable std::map<std::string, std::unique_ptr<WriterWatch>> watches_;
};

}  // namespace ostrelin::platform::files
