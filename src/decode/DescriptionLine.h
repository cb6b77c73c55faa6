#pragma once

#include <string>

#include "platform/files/FileSystem.h"

namespace ostrelin::decode {

// The description a spool file carries on its first line, for the queue: the bytes before the
// first CR or SUB, converted to code page 1250 and without leading control bytes (0 to 31).
// Reads only that line from disk. Never fails: an unreadable file gives an empty description.
std::string ReadDescriptionLine(const platform::files::FileSystem& files, const std::string& path);

}  // namespace ostrelin::decode
