#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>

#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::files {

// Opens a regular file for reading; nothing held for a missing file, a directory, a FIFO, a
// device or a symbolic link (a link in a folder that several users write to could otherwise hand
// one user's private file to another). O_NONBLOCK keeps the open itself from waiting on a FIFO
// that has no writer.
UniqueFd OpenRegularFile(const std::string& path);

// One read that retries when a signal interrupts it; the byte count, 0 at the end, -1 on failure.
ssize_t ReadSome(int fd, char* buffer, std::size_t size);

// Everything from the descriptor's position to the end of the file; nothing when a read fails.
std::optional<std::string> ReadToEnd(int fd);

}  // namespace ostrelin::platform::files
