#pragma once

#include <string>
#include <string_view>

namespace ostrelin::decode {

// The code page 1250 text `bytes` as UTF-8, for showing it in the window. The five byte values that
// code page 1250 leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) become U+FFFD, so that a stray
// byte shows as a visible replacement mark.
std::string Cp1250ToUtf8(std::string_view bytes);

}  // namespace ostrelin::decode
