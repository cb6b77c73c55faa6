#include "platform/richtext/Cp1250.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace ostrelin::platform::richtext {

namespace {

// Stands for the bytes that code page 1250 leaves undefined.
constexpr char32_t kReplacement = 0xFFFD;

// Unicode code points of the bytes 0x80 to 0xFF; the lower half is ASCII.
constexpr std::array<char32_t, 128> kUpperHalf = {
    0x20AC,       kReplacement, 0x201A, kReplacement, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    kReplacement, 0x2030,       0x0160, 0x2039,       0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    kReplacement, 0x2018,       0x2019, 0x201C,       0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    kReplacement, 0x2122,       0x0161, 0x203A,       0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0,       0x02C7,       0x02D8, 0x0141,       0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8,       0x00A9,       0x015E, 0x00AB,       0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0,       0x00B1,       0x02DB, 0x0142,       0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8,       0x0105,       0x015F, 0x00BB,       0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154,       0x00C1,       0x00C2, 0x0102,       0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C,       0x00C9,       0x0118, 0x00CB,       0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110,       0x0143,       0x0147, 0x00D3,       0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158,       0x016E,       0x00DA, 0x0170,       0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155,       0x00E1,       0x00E2, 0x0103,       0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D,       0x00E9,       0x0119, 0x00EB,       0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111,       0x0144,       0x0148, 0x00F3,       0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159,       0x016F,       0x00FA, 0x0171,       0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

// The byte of each code point of the upper half, 0 for those the code page lacks: the rich text
// converts every letter of a document both ways, so this is a lookup rather than a search.
constexpr std::size_t kFromUnicodeSize = [] {
    char32_t highest = 0;
    for (const char32_t code : kUpperHalf) {
        if (code != kReplacement) {
            highest = std::max(highest, code);
        }
    }
    return static_cast<std::size_t>(highest) + 1;
}();
constexpr std::array<std::uint8_t, kFromUnicodeSize> kFromUnicode = [] {
    std::array<std::uint8_t, kFromUnicodeSize> table{};
    for (std::size_t index = kUpperHalf.size(); index-- > 0;) {
        if (kUpperHalf[index] != kReplacement) {
            table[kUpperHalf[index]] = static_cast<std::uint8_t>(0x80 + index);
        }
    }
    return table;
}();

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

char32_t Cp1250ToUnicode(std::uint8_t byte) {
    return byte < 0x80 ? char32_t{byte} : kUpperHalf[byte - 0x80u];
}

std::optional<std::uint8_t> UnicodeToCp1250(char32_t code) {
    if (code < 0x80) {
        return static_cast<std::uint8_t>(code);
    }
    if (code >= kFromUnicode.size() || kFromUnicode[code] == 0) {
        return std::nullopt;
    }
    return kFromUnicode[code];
}

std::string Cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        AppendUtf8(out, Cp1250ToUnicode(static_cast<std::uint8_t>(c)));
    }
    return out;
}

}  // namespace ostrelin::platform::richtext
