#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ostrelin::platform::files {

// Attribute bits of a directory entry, with the values the spool directory scan asks for.
enum FileAttribute : std::uint32_t {
    faReadOnly = 1,
    faHidden = 2,
    faSysFile = 4,
    faVolumeID = 8,
    faDirectory = 16,
    faArchive = 32,
    faAnyFile = 63,
};

struct FoundFile {
    std::string Name;  // as stored on disk, without the directory
    std::int64_t Size = 0;
    std::uint32_t Attributes = 0;
    std::chrono::system_clock::time_point LastWrite;
};

// The file operations the spooler needs. Paths are UTF-8 with '/' separators.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Entries of `directory` whose names match the wildcard `pattern` ('*' and '?', not
    // case-sensitive) and whose attributes lie within `attributeMask`; ordinary files are always
    // included. A missing or unreadable directory gives no entries.
    virtual std::vector<FoundFile> FindFiles(const std::string& directory,
                                             const std::string& pattern,
                                             std::uint32_t attributeMask) const = 0;

    // The whole content of a file. Throws Error("Cannot open file <path>") when it cannot be read.
    virtual std::string LoadWholeFile(const std::string& path) const = 0;

    // The bytes from the start of a file up to, not including, its first CR or SUB (or its end),
    // read without loading the file whole; nothing when the file cannot be read.
    virtual std::optional<std::string> ReadTextLine(const std::string& path) const = 0;

    // Deletes a file; false when it could not be deleted.
    virtual bool DeleteFile(const std::string& path) const = 0;
};

}  // namespace ostrelin::platform::files
