#pragma once

#include <string_view>

namespace ostrelin::platform::settings {

// True when `text` is well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view text);

// True when `text` can stand between double quotes on one line of a settings file: well-formed
// UTF-8 without control characters other than the tab.
bool IsQuotableText(std::string_view text);

}  // namespace ostrelin::platform::settings
