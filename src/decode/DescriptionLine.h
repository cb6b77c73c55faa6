#pragma once

#include <cstddef>
#include <string>

#include "platform/files/FileSystem.h"

namespace ostrelin::decode {

// The most of a first line that is read for its description: more than the queue's column, its
// tool tip or a notice can show, and a bound on what any spool file, however long its first line,
// costs to list. Every byte of code page 852 is a character of its own, so a cut never splits one.
inline constexpr std::size_t kDescriptionMaxBytes = 256;

// The description a spool file carries on its first line, for the queue: the bytes before the
// first CR or SUB, at most kDescriptionMaxBytes of them, converted to code page 1250 and without
// leading control bytes (0 to 31). Reads only that much from disk. Never fails: an unreadable file
// gives an empty description.
std::string ReadDescriptionLine(const platform::files::FileSystem& files, const std::string& path);

}  // namespace ostrelin::decode
