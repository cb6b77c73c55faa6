#pragma once

#include <string>
#include <string_view>

namespace ostrelin::platform::files {

// True when `name` matches `pattern`, where '*' stands for any run of characters (also none) and
// '?' for exactly one. Both are UTF-8; letters compare without regard to case (Unicode simple
// upper-casing, as directory searches on the original platform did). Bytes that are not valid
// UTF-8 match only themselves.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// The code points of a UTF-8 name after Unicode simple upper-casing: two names that differ only in
// case give the same result. Bytes that are not valid UTF-8 are kept apart from every character.
std::u32string FoldedName(std::string_view name);

}  // namespace ostrelin::platform::files
