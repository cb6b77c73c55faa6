#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/settings/RegistryDocument.h"

namespace ostrelin::platform::settings {

// The largest settings file that is read or written. Settings are a few short values; anything
// bigger is not ours and is treated as damaged rather than held in memory.
inline constexpr std::size_t MaxRegEditTextSize = 1024 * 1024;

// Why a settings file could not be read: the line (counted from 1; 0 for the file as a whole) and
// what is wrong with it.
struct RegEditDamage {
    std::size_t Line = 0;
    std::string Reason;
};

// What reading a settings file gave: the keys, or the damage that stopped the reading (and then
// no keys at all).
struct RegEditParseResult {
    RegistryDocument Document;
    std::optional<RegEditDamage> Damage;
};

// Reads the text of a settings file in REGEDIT4 form: the line "REGEDIT4", then key sections
// "[path]" each followed by values "name"=data, where the name is "..." or @ and the data is
// "text" (with \\ and \" escaped, UTF-8), dword:1 to 8 hex digits, hex:bytes or hex(type):bytes
// (comma-separated, continued on the next line after a trailing backslash). Blank lines and lines
// starting with ';' are skipped; lines may end in LF or CR LF; a UTF-8 byte order mark is allowed.
// Any other content marks the file as damaged. Runs in time linear in the size of the text.
RegEditParseResult ParseRegEditText(std::string_view text);

// The REGEDIT4 text of `document`, LF line ends. Text values that cannot stand in quotes on one
// line are written as hex(1) bytes, so that every document reads back equal. Throws Error when a
// key path or value name cannot be written (empty or starting with '-' for a key, not UTF-8, or
// holding control characters).
std::string FormatRegEditText(const RegistryDocument& document);

}  // namespace ostrelin::platform::settings
