#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrelin::platform::richtext {

// The Unicode code point of a code page 1250 byte. The five bytes that code page 1250 leaves
// undefined (0x81, 0x83, 0x88, 0x90, 0x98) give U+FFFD, so that a stray byte shows as a mark.
char32_t Cp1250ToUnicode(std::uint8_t byte);

// The code page 1250 byte of a Unicode code point, or none when the code page lacks it.
std::optional<std::uint8_t> UnicodeToCp1250(char32_t code);

// The code page 1250 text `bytes` as UTF-8.
std::string Cp1250ToUtf8(std::string_view bytes);

}  // namespace ostrelin::platform::richtext
