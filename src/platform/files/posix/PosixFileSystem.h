#pragma once

#include "platform/files/FileSystem.h"

namespace ostrelin::platform::files {

// The file operations on a POSIX file system. A directory search reports regular files and
// directories only (never FIFOs, sockets or devices), follows symbolic links and leaves out
// dangling ones. Attributes: a name starting with '.' is hidden; a file is read-only when it has no
// write permission bit at all or this process may not write it; every regular file carries
// faArchive. Results come sorted by name without regard to case, so that files found together keep
// a stable, alphabetical order rather than the order of the directory's hash table.
class PosixFileSystem final : public FileSystem {
  public:
    std::vector<FoundFile> FindFiles(const std::string& directory, const std::string& pattern,
                                     std::uint32_t attributeMask) const override;
    std::string LoadWholeFile(const std::string& path) const override;
    std::optional<std::string> ReadTextLine(const std::string& path) const override;
    bool DeleteFile(const std::string& path) const override;
};

}  // namespace ostrelin::platform::files
