#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrelin::platform::settings {

// What reading a small file found.
struct SmallFileRead {
    bool Exists = false;  // false when the file (or a folder on its way) does not exist
    std::string Content;  // at most limit + 1 bytes, so that an oversized file is noticed
    std::string Failure;  // why an existing file could not be read; empty when it could
};

// Reads a regular file of at most `limit` bytes whole; of a bigger file only the first
// limit + 1 bytes.
SmallFileRead ReadSmallFile(const std::filesystem::path& path, std::size_t limit);

// Replaces the file at `path` (the file a symbolic link points to, if it is one) with `content`
// so that at no moment, not even after a crash, does the path hold a partly written file: the
// content goes into a new file in the same folder, is flushed to the disk and then renamed over
// the old one. Missing folders on the way are created. A replaced file keeps its permissions; a
// new one gets `newFilePermissions`. Throws Error, with the old file left as it was, when any step
// fails.
void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view content,
                           std::filesystem::perms newFilePermissions);

}  // namespace ostrelin::platform::settings
