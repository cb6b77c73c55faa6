#pragma once

#include <string>

namespace ostrelin::platform::files {

// Renames `from` to `to` within one file system, never replacing a file that has the new name
// (on file systems without an exclusive rename, by a new link). False with errno set when it
// could not: EEXIST when `to` exists.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);

}  // namespace ostrelin::platform::files
