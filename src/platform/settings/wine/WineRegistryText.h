#pragma once

#include <string_view>

#include "platform/settings/RegEditText.h"

namespace ostrelin::platform::settings {

// Reads a registry file that Wine keeps in a prefix (user.reg, system.reg): the line "WINE
// REGISTRY Version 2", then keys "[path] time" with their values "name"=data or @=data. Names,
// paths and strings use Wine's escapes (\\, \", \n, \t and the other C letters, \xHHHH for a
// UTF-16 unit, \ooo octal); the data is "text", str(n):"text" (type n), dword:HHHHHHHH,
// hex:bytes or hex(n):bytes, continued after a trailing backslash. Lines starting with ';' or '#'
// (comments, the architecture, times, links, classes) are skipped. Key paths are given as the file
// holds them, relative to the file's root (e.g. "Software\Vendor\Product"); text is UTF-8, and
// REG_SZ/REG_EXPAND_SZ values kept as hex UTF-16 come out as UTF-8 text too. Any other content
// marks the file as damaged.
RegEditParseResult ParseWineRegistryText(std::string_view text);

}  // namespace ostrelin::platform::settings
