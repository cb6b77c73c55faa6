#include "platform/settings/Utf8Text.h"

#include <cstddef>
#include <cstdint>

namespace ostrelin::platform::settings {
namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0u) == 0x80u;
}

}  // namespace

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        std::uint32_t code = 0;
        std::uint32_t smallest = 0;
        if (lead < 0x80u) {
            ++i;
            continue;
        }
        if ((lead & 0xE0u) == 0xC0u) {
            length = 2;
            code = lead & 0x1Fu;
            smallest = 0x80;
        } else if ((lead & 0xF0u) == 0xE0u) {
            length = 3;
            code = lead & 0x0Fu;
            smallest = 0x800;
        } else if ((lead & 0xF8u) == 0xF0u) {
            length = 4;
            code = lead & 0x07u;
            smallest = 0x10000;
        } else {
            return false;
        }
        if (text.size() - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if (!IsContinuation(byte)) {
                return false;
            }
            code = (code << 6) | (byte & 0x3Fu);
        }
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

bool IsQuotableText(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20u && c != '\t') {
            return false;
        }
    }
    return IsUtf8(text);
}

}  // namespace ostrelin::platform::settings
