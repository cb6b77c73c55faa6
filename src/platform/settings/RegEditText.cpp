#include "platform/settings/RegEditText.h"

#include <cstdint>
#include <utility>

#include "platform/Error.h"
#include "platform/settings/Utf8Text.h"

namespace ostrelin::platform::settings {
namespace {

constexpr std::string_view Header = "REGEDIT4";
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t HexBytesPerLine = 25;
constexpr std::size_t DwordDigits = 8;
constexpr std::size_t ByteDigits = 2;

// Thrown inside the reader to stop at the first fault; never leaves this file.
struct DamageFound {
    std::size_t Line;
    const char* Reason;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<unsigned> HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return std::nullopt;
}

// The lines of the text one after another, with their numbers; a CR before the LF is dropped.
class Lines {
  public:
    explicit Lines(std::string_view text) : rest_(text) {}

    // Moves to the next line; false when there is none.
    bool Next(std::string_view& line) {
        if (done_) {
            return false;
        }
        const std::size_t end = rest_.find('\n');
        if (end == std::string_view::npos) {
            line = rest_;
            done_ = true;
        } else {
            line = rest_.substr(0, end);
            rest_.remove_prefix(end + 1);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        ++number_;
        return true;
    }

    std::size_t Number() const { return number_; }

  private:
    std::string_view rest_;
    std::size_t number_ = 0;
    bool done_ = false;
};

// A reading position within one line.
class Cursor {
  public:
    Cursor(std::string_view text, std::size_t line) : text_(text), line_(line) {}

    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
    void Advance() { ++position_; }
    std::size_t Line() const { return line_; }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(Peek())) {
            Advance();
        }
    }

    bool Consume(char c) {
        if (AtEnd() || Peek() != c) {
            return false;
        }
        Advance();
        return true;
    }

    // Consumes `word` (ASCII letters in any case) when the text goes on with it.
    bool ConsumeWord(std::string_view word) {
        if (text_.size() - position_ < word.size() ||
            !SameName(text_.substr(position_, word.size()), word)) {
            return false;
        }
        position_ += word.size();
        return true;
    }

    // Reads 1 to `maxDigits` hex digits; nothing when none stands here.
    std::optional<std::uint32_t> HexNumber(std::size_t maxDigits) {
        std::uint32_t value = 0;
        std::size_t digits = 0;
        while (digits < maxDigits && !AtEnd()) {
            const std::optional<unsigned> digit = HexDigit(Peek());
            if (!digit) {
                break;
            }
            value = (value << 4) | *digit;
            ++digits;
            Advance();
        }
        if (digits == 0) {
            return std::nullopt;
        }
        return value;
    }

    [[noreturn]] void Fail(const char* reason) const { throw DamageFound{line_, reason}; }

    // Only blanks may follow.
    void ExpectEnd() {
        SkipBlanks();
        if (!AtEnd()) {
            Fail("za hodnotou stojí další text");
        }
    }

  private:
    std::string_view text_;
    std::size_t line_;
    std::size_t position_ = 0;
};

// Reads the rest of a quoted text after its opening quote, up to and including the closing one.
std::string ReadQuoted(Cursor& cursor) {
    std::string text;
    while (true) {
        if (cursor.AtEnd()) {
            cursor.Fail("text v uvozovkách není na svém řádku ukončen");
        }
        const char c = cursor.Peek();
        cursor.Advance();
        if (c == '"') {
            break;
        }
        if (c == '\\') {
            const char escaped = cursor.Peek();
            if (escaped != '\\' && escaped != '"') {
                cursor.Fail("za zpětným lomítkem v textu v uvozovkách nestojí \\ ani \"");
            }
            cursor.Advance();
            text.push_back(escaped);
            continue;
        }
        text.push_back(c);
    }
    if (!IsQuotableText(text)) {
        cursor.Fail("text v uvozovkách obsahuje řídicí znaky nebo není v UTF-8");
    }
    return text;
}

// Reads hex bytes "aa,bb,..." to the end of the value, following continuation lines.
std::string ReadHexBytes(Cursor cursor, Lines& lines) {
    std::string bytes;
    cursor.SkipBlanks();
    while (!cursor.AtEnd()) {
        if (cursor.Consume('\\')) {
            cursor.SkipBlanks();
            if (!cursor.AtEnd()) {
                cursor.Fail("za zpětným lomítkem v šestnáctkové hodnotě stojí další text");
            }
            std::string_view next;
            if (!lines.Next(next)) {
                cursor.Fail("šestnáctková hodnota pokračuje za konec souboru");
            }
            cursor = Cursor(TrimBlanks(next), lines.Number());
            continue;
        }
        const std::optional<std::uint32_t> byte = cursor.HexNumber(ByteDigits);
        if (!byte) {
            cursor.Fail("šestnáctková hodnota obsahuje něco jiného než šestnáctkové bajty");
        }
        bytes.push_back(static_cast<char>(*byte));
        cursor.SkipBlanks();
        if (cursor.Consume(',')) {
            cursor.SkipBlanks();
        } else if (!cursor.AtEnd() && cursor.Peek() != '\\') {
            cursor.Fail("šestnáctkové bajty nejsou odděleny čárkami");
        }
    }
    return bytes;
}

// Reads the data after "name"= into `value`.
void ReadData(Cursor& cursor, Lines& lines, RegistryValue& value) {
    if (cursor.Consume('"')) {
        value.Type = REG_SZ;
        value.Data = ReadQuoted(cursor);
        cursor.ExpectEnd();
        return;
    }
    if (cursor.ConsumeWord("dword:")) {
        const std::optional<std::uint32_t> number = cursor.HexNumber(DwordDigits);
        if (!number || HexDigit(cursor.Peek())) {
            cursor.Fail("hodnota dword nemá 1 až 8 šestnáctkových číslic");
        }
        value = IntegerValue(std::move(value.Name), *number);
        cursor.ExpectEnd();
        return;
    }
    if (cursor.ConsumeWord("hex")) {
        value.Type = REG_BINARY;
        if (cursor.Consume('(')) {
            const std::optional<std::uint32_t> type = cursor.HexNumber(DwordDigits);
            if (!type || !cursor.Consume(')')) {
                cursor.Fail("typ šestnáctkové hodnoty není šestnáctkové číslo v závorkách");
            }
            value.Type = *type;
        }
        if (!cursor.Consume(':')) {
            cursor.Fail("šestnáctkové hodnotě chybí dvojtečka");
        }
        value.Data = ReadHexBytes(cursor, lines);
        return;
    }
    if (cursor.Peek() == '-') {
        cursor.Fail("soubor odstraňuje hodnotu, což soubor nastavení nesmí");
    }
    cursor.Fail("data hodnoty nejsou žádného známého druhu");
}

// Reads a line "name"=data or @=data (and its continuation lines) into a value.
RegistryValue ReadValue(Cursor& cursor, Lines& lines) {
    RegistryValue value;
    if (!cursor.Consume('@')) {
        cursor.Consume('"');
        value.Name = ReadQuoted(cursor);
    }
    cursor.SkipBlanks();
    if (!cursor.Consume('=')) {
        cursor.Fail("za názvem hodnoty nestojí '='");
    }
    cursor.SkipBlanks();
    ReadData(cursor, lines, value);
    return value;
}

// The key path of a section line "[path]", checked.
std::string_view ReadKeyPath(std::string_view line, std::size_t number) {
    if (line.back() != ']' || line.size() < 2) {
        throw DamageFound{number, "řádek klíče nekončí znakem ']'"};
    }
    const std::string_view path = line.substr(1, line.size() - 2);
    if (path.empty()) {
        throw DamageFound{number, "klíč nemá název"};
    }
    if (path.front() == '-') {
        throw DamageFound{number, "soubor odstraňuje klíč, což soubor nastavení nesmí"};
    }
    if (!IsQuotableText(path)) {
        throw DamageFound{number, "název klíče obsahuje řídicí znaky nebo není v UTF-8"};
    }
    return path;
}

RegistryDocument ReadDocument(std::string_view text) {
    if (text.size() > MaxRegEditTextSize) {
        throw DamageFound{0, "soubor je větší než 1 MiB"};
    }
    if (text.substr(0, ByteOrderMark.size()) == ByteOrderMark) {
        text.remove_prefix(ByteOrderMark.size());
    }
    Lines lines(text);
    std::string_view line;
    if (!lines.Next(line) || TrimBlanks(line) != Header) {
        throw DamageFound{1, "soubor nezačíná řádkem REGEDIT4"};
    }
    RegistryDocument document;
    RegistryKey* key = nullptr;
    while (lines.Next(line)) {
        line = TrimBlanks(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            key = &document.Key(ReadKeyPath(line, lines.Number()));
            continue;
        }
        if (line.front() != '"' && line.front() != '@') {
            throw DamageFound{lines.Number(), "řádek není klíč ani hodnota"};
        }
        if (key == nullptr) {
            throw DamageFound{lines.Number(), "hodnota stojí před prvním klíčem"};
        }
        Cursor cursor(line, lines.Number());
        key->Values.Set(ReadValue(cursor, lines));
    }
    return document;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (const char c : text) {
        if (c == '\\' || c == '"') {
            out.push_back('\\');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendHex(std::string& out, std::uint32_t number, std::size_t minDigits) {
    constexpr std::string_view Digits = "0123456789abcdef";
    std::string digits;
    do {
        digits.insert(digits.begin(), Digits[number & 0xFu]);
        number >>= 4;
    } while (number != 0);
    if (digits.size() < minDigits) {
        digits.insert(0, minDigits - digits.size(), '0');
    }
    out += digits;
}

void AppendData(std::string& out, const RegistryValue& value) {
    if (value.Type == REG_SZ && IsQuotableText(value.Data)) {
        AppendQuoted(out, value.Data);
        return;
    }
    if (value.Type == REG_DWORD && value.Data.size() == 4) {
        out += "dword:";
        AppendHex(out, DwordOf(value.Data), DwordDigits);
        return;
    }
    if (value.Type == REG_BINARY) {
        out += "hex:";
    } else {
        out += "hex(";
        AppendHex(out, value.Type, 1);
        out += "):";
    }
    for (std::size_t i = 0; i < value.Data.size(); ++i) {
        if (i > 0) {
            out += (i % HexBytesPerLine == 0) ? ",\\\n  " : ",";
        }
        AppendHex(out, static_cast<unsigned char>(value.Data[i]), ByteDigits);
    }
}

}  // namespace

RegEditParseResult ParseRegEditText(std::string_view text) {
    try {
        return RegEditParseResult{ReadDocument(text), std::nullopt};
    } catch (const DamageFound& damage) {
        return RegEditParseResult{{}, RegEditDamage{damage.Line, damage.Reason}};
    }
}

std::string FormatRegEditText(const RegistryDocument& document) {
    std::string out(Header);
    out += "\n\n";
    for (const RegistryKey& key : document.Keys()) {
        if (key.Path.empty() || key.Path.front() == '-' || !IsQuotableText(key.Path)) {
            throw Error("Název klíče „" + key.Path + "“ nelze do souboru nastavení zapsat.");
        }
        out += '[';
        out += key.Path;
        out += "]\n";
        for (const RegistryValue& value : key.Values.Values()) {
            if (value.Name.empty()) {
                out += '@';
            } else if (IsQuotableText(value.Name)) {
                AppendQuoted(out, value.Name);
            } else {
                throw Error("Název hodnoty „" + value.Name +
                            "“ nelze do souboru nastavení zapsat.");
            }
            out += '=';
            AppendData(out, value);
            out += '\n';
        }
        out += '\n';
    }
    return out;
}

}  // namespace ostrelin::platform::settings
