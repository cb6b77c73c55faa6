#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Error.h"

namespace ostrelin::platform::files {

// The longest name, in bytes, that a file of a directory may have.
inline constexpr std::size_t kMaxFileNameBytes = 255;

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

// Raised when a file cannot be taken because it belongs to another user and the folder lets only
// a file's owner rename or delete it (a sticky folder).
class ForeignFileError : public Error {
  public:
    using Error::Error;
};

struct FoundFile {
    std::string Name;  // as stored on disk, without the directory
    std::int64_t Size = 0;
    std::uint32_t Attributes = 0;
    std::chrono::system_clock::time_point LastWrite;
};

// A file taken for one job: it stands under its claim name, a name outside the spool pattern, and
// is locked while the object lives, so that no other process takes it. Dropped without Finish or
// GiveBack, the claim file stays for a later run to take up.
class ClaimedFile {
  public:
    virtual ~ClaimedFile() = default;

    // The whole content. Throws Error("Cannot open file <path>") when it cannot be read.
    virtual std::string Load() = 0;
    // Deletes the file: its job is done.
    virtual void Finish() = 0;
    // Gives the file its name back: its job is kept. False when another file has taken that name
    // meanwhile; the file then stays under its claim name.
    virtual bool GiveBack() = 0;
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
    // at most `maxBytes` of them: the rest of a longer line is never read. Nothing when the file
    // cannot be read.
    virtual std::optional<std::string> ReadTextLine(const std::string& path,
                                                    std::size_t maxBytes) const = 0;

    // Creates the file `path` with `content`; false when it exists already or cannot be written.
    virtual bool CreateNewFile(const std::string& path, const std::string& content) const = 0;

    // Deletes a file; false when it could not be deleted.
    virtual bool DeleteFile(const std::string& path) const = 0;

    // Takes the file `path` for one job: locks it and renames it to `claimPath` in the same
    // folder, in one step that no other process can come between. Nothing when the file has gone
    // or another process holds it. Throws Error("Cannot open file <path>") when it cannot be
    // read, and Error naming the file and the cause when it cannot be renamed (no right to write
    // in the folder); ForeignFileError when the folder lets only a file's owner rename it.
    virtual std::unique_ptr<ClaimedFile> Claim(const std::string& path,
                                               const std::string& claimPath) const = 0;

    // Takes up the claim file `claimPath` that no process holds any more, a run having ended
    // while it printed; GiveBack then names it `originalPath`. Nothing while it is held.
    virtual std::unique_ptr<ClaimedFile> TakeUpClaim(const std::string& claimPath,
                                                     const std::string& originalPath) const = 0;

    // Begins to notice which files of `directory` are opened for writing and closed again, for
    // the files whose writers BeingWritten cannot ask the system about. Calling it again for the
    // same directory changes nothing.
    virtual void WatchWriters(const std::string& directory) const = 0;

    // True while some process holds the file open for writing. Where the system cannot tell (a
    // file of another owner, some network file systems), true when the directory's watch saw the
    // file written and not closed since; false for files it has seen nothing of.
    virtual bool BeingWritten(const std::string& path) const = 0;

    // Deletes the file unless a process holds it locked; false when it was kept or could not be
    // deleted.
    virtual bool DeleteUnlessLocked(const std::string& path) const = 0;
};

}  // namespace ostrelin::platform::files
