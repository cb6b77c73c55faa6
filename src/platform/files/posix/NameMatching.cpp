#include "platform/files/posix/NameMatching.h"

#include <locale.h>
#include <wctype.h>

namespace ostrelin::platform::files {
namespace {

// Code points above the Unicode range carry the bytes of invalid UTF-8 sequences, so that such
// bytes compare exactly and are never case-folded.
constexpr char32_t RawByteBase = 0x110000;

char32_t RawByte(unsigned char byte) {
    return RawByteBase + byte;
}

struct LeadByte {
    std::size_t Length = 0;  // bytes in the sequence; 0 for a byte that cannot start one
    char32_t Bits = 0;
    char32_t Minimum = 0;  // smallest code point that needs this length (no overlong forms)
};

LeadByte ClassifyLead(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) {
        return {2, lead & 0x1Fu, 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return {3, lead & 0x0Fu, 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return {4, lead & 0x07u, 0x10000};
    }
    return {};
}

// Splits UTF-8 text into code points; every byte of a malformed sequence becomes a raw byte.
std::u32string DecodeUtf8(std::string_view text) {
    std::u32string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            result.push_back(lead);
            ++i;
            continue;
        }
        const LeadByte form = ClassifyLead(lead);
        char32_t code = form.Bits;
        bool valid = form.Length != 0 && i + form.Length <= text.size();
        for (std::size_t k = 1; valid && k < form.Length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        valid = valid && code >= form.Minimum && code <= 0x10FFFF &&
                !(code >= 0xD800 && code <= 0xDFFF);
        if (valid) {
            result.push_back(code);
            i += form.Length;
        } else {
            result.push_back(RawByte(lead));
            ++i;
        }
    }
    return result;
}

// The character table used for case folding: the built-in UTF-8 locale, independent of the
// process's own locale setting. Null when the C library lacks it; folding is then ASCII only.
locale_t UnicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

char32_t UpperCase(char32_t code, locale_t locale) {
    if (code >= RawByteBase) {
        return code;
    }
    if (locale != locale_t{}) {
        return static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), locale));
    }
    return code >= U'a' && code <= U'z' ? code - U'a' + U'A' : code;
}

}  // namespace

std::u32string FoldedName(std::string_view name) {
    std::u32string codes = DecodeUtf8(name);
    const locale_t locale = UnicodeLocale();
    for (char32_t& code : codes) {
        code = UpperCase(code, locale);
    }
    return codes;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    const std::u32string wanted = FoldedName(pattern);
    const std::u32string given = FoldedName(name);
    constexpr std::size_t None = static_cast<std::size_t>(-1);

    // Greedy scan that remembers the last '*' and, on a mismatch, lets it absorb one more
    // character: linear in practice and never exponential.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = None;
    std::size_t starCovers = 0;
    while (n < given.size()) {
        if (p < wanted.size() && wanted[p] == U'*') {
            starAt = p++;
            starCovers = n;
        } else if (p < wanted.size() && (wanted[p] == U'?' || wanted[p] == given[n])) {
            ++p;
            ++n;
        } else if (starAt != None) {
            p = starAt + 1;
            n = ++starCovers;
        } else {
            return false;
        }
    }
    while (p < wanted.size() && wanted[p] == U'*') {
        ++p;
    }
    return p == wanted.size();
}

}  // namespace ostrelin::platform::files
