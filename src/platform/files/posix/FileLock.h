#pragma once

#include <string>

#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::files {

// Locks the open file (flock) for this process alone; false when another process holds a lock
// on it. The lock ends when the last descriptor of this open goes, in whatever way the program
// ends.
bool LockExclusively(int fd);

// Creates the file `path`, which must not exist yet, and locks it before anything else can: a
// run clearing away what ended runs left behind never takes a file while its maker holds it.
// Nothing held when it exists or cannot be created (errno tells why).
UniqueFd CreateLockedFile(const std::string& path);

}  // namespace ostrelin::platform::files
