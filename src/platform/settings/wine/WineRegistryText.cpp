#include "platform/settings/wine/WineRegistryText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/settings/Utf8Text.h"

namespace ostrelin::platform::settings {

namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 units to UTF-8; a lone surrogate becomes U+FFFD, as it has no UTF-8 form.
std::string Utf16ToUtf8(const std::vector<char16_t>& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t unit = units[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit < 0xE000) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reading position in one logical line.
struct Cursor {
    std::string_view text;
    std::size_t at = 0;

    bool AtEnd() const { return at >= text.size(); }
    char Peek() const { return AtEnd() ? '\0' : text[at]; }
    bool Take(std::string_view expected) {
        if (text.substr(at, expected.size()) != expected)
            return false;
        at += expected.size();
        return true;
    }
};

// Reads escaped text up to the unescaped `terminator`, which is consumed. Nothing when the
// terminator is missing. Raw bytes other than escapes are taken as UTF-8 and kept as they are.
std::optional<std::string> ReadEscaped(Cursor& cursor, char terminator) {
    std::string out;
    std::vector<char16_t> units;  // escaped UTF-16 units waiting to be joined into UTF-8
    auto flush = [&] {
        out += Utf16ToUtf8(units);
        units.clear();
    };
    while (!cursor.AtEnd()) {
        const char c = cursor.text[cursor.at++];
        if (c == terminator) {
            flush();
            return out;
        }
        if (c != '\\') {
            flush();
            out += c;
            continue;
        }
        if (cursor.AtEnd())
            return std::nullopt;
        const char e = cursor.text[cursor.at++];
        switch (e) {
            case 'a':
                units.push_back(u'\a');
                break;
            case 'b':
                units.push_back(u'\b');
                break;
            case 'e':
                units.push_back(0x1B);
                break;
            case 'f':
                units.push_back(u'\f');
                break;
            case 'n':
                units.push_back(u'\n');
                break;
            case 'r':
                units.push_back(u'\r');
                break;
            case 't':
                units.push_back(u'\t');
                break;
            case 'v':
                units.push_back(u'\v');
                break;
            case 'x': {
                std::uint32_t value = 0;
                int digits = 0;
                while (digits < 4 && HexDigit(cursor.Peek()) >= 0) {
                    value =
                        value * 16 + static_cast<std::uint32_t>(HexDigit(cursor.text[cursor.at++]));
                    ++digits;
                }
                if (digits == 0) {
                    units.push_back(u'x');
                } else {
                    units.push_back(static_cast<char16_t>(value));
                }
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    std::uint32_t value = static_cast<std::uint32_t>(e - '0');
                    for (int digits = 1; digits < 3 && cursor.Peek() >= '0' && cursor.Peek() <= '7';
                         ++digits) {
                        value =
                            value * 8 + static_cast<std::uint32_t>(cursor.text[cursor.at++] - '0');
                    }
                    units.push_back(static_cast<char16_t>(value));
                } else {
                    units.push_back(static_cast<unsigned char>(e));
                }
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ReadHexNumber(Cursor& cursor, int maxDigits) {
    std::uint32_t value = 0;
    int digits = 0;
    while (digits < maxDigits && HexDigit(cursor.Peek()) >= 0) {
        value = value * 16 + static_cast<std::uint32_t>(HexDigit(cursor.text[cursor.at++]));
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return value;
}

// Comma-separated hex bytes up to the end of the (joined) line.
std::optional<std::string> ReadHexBytes(Cursor& cursor) {
    std::string bytes;
    while (!cursor.AtEnd()) {
        while (cursor.Peek() == ' ' || cursor.Peek() == '\t')
            ++cursor.at;
        if (cursor.AtEnd())
            break;
        const std::optional<std::uint32_t> byte = ReadHexNumber(cursor, 2);
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
        while (cursor.Peek() == ' ' || cursor.Peek() == '\t')
            ++cursor.at;
        if (cursor.AtEnd())
            break;
        if (!cursor.Take(","))
            return std::nullopt;
    }
    return bytes;
}

// Text values kept as bytes hold UTF-16LE; they are given as UTF-8 like quoted text.
std::string TextOfUtf16Bytes(std::string_view bytes) {
    std::vector<char16_t> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    while (!units.empty() && units.back() == 0)
        units.pop_back();
    return Utf16ToUtf8(units);
}

// The value on one joined line; the damage reason when it is not one.
std::optional<RegistryValue> ReadValue(Cursor& cursor, std::string& reason) {
    RegistryValue value;
    if (cursor.Take("@")) {
        value.Name.clear();
    } else if (cursor.Take("\"")) {
        std::optional<std::string> name = ReadEscaped(cursor, '"');
        if (!name) {
            reason = "jméno hodnoty nemá konec";
            return std::nullopt;
        }
        value.Name = std::move(*name);
    } else {
        reason = "čeká se klíč v [ ], hodnota \"jméno\"= nebo @=";
        return std::nullopt;
    }
    if (!cursor.Take("=")) {
        reason = "za jménem hodnoty chybí =";
        return std::nullopt;
    }
    std::optional<std::uint32_t> textType;
    if (cursor.Take("\"")) {
        textType = REG_SZ;
    } else if (cursor.Take("str(")) {
        textType = ReadHexNumber(cursor, 8);
        if (!textType || !cursor.Take("):\"")) {
            reason = "chybný zápis str(typ):\"text\"";
            return std::nullopt;
        }
    }
    if (textType) {
        std::optional<std::string> text = ReadEscaped(cursor, '"');
        if (!text || !cursor.AtEnd()) {
            reason = "text hodnoty nemá konec";
            return std::nullopt;
        }
        value.Type = *textType;
        value.Data = std::move(*text);
        return value;
    }
    if (cursor.Take("dword:")) {
        const std::size_t start = cursor.at;
        const std::optional<std::uint32_t> number = ReadHexNumber(cursor, 8);
        if (!number || !cursor.AtEnd() || cursor.at - start != 8) {
            reason = "dword: čeká osm šestnáctkových číslic";
            return std::nullopt;
        }
        return IntegerValue(std::move(value.Name), *number);
    }
    std::uint32_t type = REG_BINARY;
    if (cursor.Take("hex(")) {
        const std::optional<std::uint32_t> number = ReadHexNumber(cursor, 8);
        if (!number || !cursor.Take(")")) {
            reason = "chybný zápis hex(typ):";
            return std::nullopt;
        }
        type = *number;
        if (!cursor.Take(":")) {
            reason = "chybný zápis hex(typ):";
            return std::nullopt;
        }
    } else if (!cursor.Take("hex:")) {
        reason = "neznámý zápis dat hodnoty";
        return std::nullopt;
    }
    std::optional<std::string> bytes = ReadHexBytes(cursor);
    if (!bytes) {
        reason = "chybné šestnáctkové bajty";
        return std::nullopt;
    }
    value.Type = type;
    value.Data =
        type == REG_SZ || type == REG_EXPAND_SZ ? TextOfUtf16Bytes(*bytes) : std::move(*bytes);
    return value;
}

std::string_view WithoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

}  // namespace

RegEditParseResult ParseWineRegistryText(std::string_view text) {
    RegEditParseResult result;
    auto damaged = [&](std::size_t line, std::string reason) {
        result.Document = {};
        result.Damage = RegEditDamage{line, std::move(reason)};
        return std::move(result);
    };
    if (text.size() > MaxRegEditTextSize * 64) {
        return damaged(0, "soubor je příliš velký");
    }

    std::size_t lineNumber = 0;
    std::size_t at = 0;
    auto nextLine = [&](std::string_view& line) {
        if (at >= text.size())
            return false;
        const std::size_t end = text.find('\n', at);
        line = WithoutLineEnd(
            text.substr(at, end == std::string_view::npos ? text.size() - at : end - at));
        at = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        return true;
    };

    std::string_view line;
    if (!nextLine(line) || line != kHeader) {
        return damaged(1, "chybí záhlaví „WINE REGISTRY Version 2“");
    }
    RegistryKey* key = nullptr;
    while (nextLine(line)) {
        const std::size_t firstLine = lineNumber;
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            Cursor cursor{line, 1};
            std::optional<std::string> path = ReadEscaped(cursor, ']');
            if (!path || path->empty()) {
                return damaged(firstLine, "klíč bez ukončující ]");
            }
            key = &result.Document.Key(*path);
            continue;
        }
        std::string joined(line);
        // hex data goes on over lines that end with a backslash
        if (joined.find("=hex") != std::string::npos) {
            while (!joined.empty() && joined.back() == '\\') {
                joined.pop_back();
                std::string_view more;
                if (!nextLine(more))
                    break;
                while (!more.empty() && (more.front() == ' ' || more.front() == '\t')) {
                    more.remove_prefix(1);
                }
                joined += more;
            }
        }
        if (!key) {
            return damaged(firstLine, "hodnota před prvním klíčem");
        }
        Cursor cursor{joined, 0};
        std::string reason;
        std::optional<RegistryValue> value = ReadValue(cursor, reason);
        if (!value) {
            return damaged(firstLine, reason);
        }
        if ((value->Type == REG_SZ || value->Type == REG_EXPAND_SZ) && !IsUtf8(value->Data)) {
            return damaged(firstLine, "text hodnoty není v UTF-8");
        }
        key->Values.Set(std::move(*value));
    }
    return result;
}

}  // namespace ostrelin::platform::settings
