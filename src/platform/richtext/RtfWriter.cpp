#include "platform/richtext/RtfWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/richtext/Cp1250.h"

namespace ostrelin::platform::richtext {

namespace {

// The font family and pitch words that tell other readers what to substitute for a missing font.
std::string_view FontFamilyWords(std::string_view name) {
    if (name.find("Courier") != std::string_view::npos ||
        name.find("Mono") != std::string_view::npos) {
        return "\\fmodern\\fprq1";
    }
    if (name.find("Arial") != std::string_view::npos ||
        name.find("Helvetica") != std::string_view::npos) {
        return "\\fswiss\\fprq2";
    }
    if (name.find("Times") != std::string_view::npos) {
        return "\\froman\\fprq2";
    }
    return "\\fnil";
}

void AppendHexByte(std::string& out, std::uint8_t byte) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    out += "\\'";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

// Text with RTF's special characters escaped; control bytes and letters above ASCII as
// escapes, the latter with their Unicode value first.
void AppendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += c;
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendHexByte(out, byte);
        } else if (byte < 0x80) {
            out += c;
        } else {
            const char32_t code = Cp1250ToUnicode(byte);
            if (UnicodeToCp1250(code)) {
                // RTF keeps \u values as signed 16-bit numbers.
                const auto value = static_cast<std::int16_t>(static_cast<std::uint16_t>(code));
                out += "\\u" + std::to_string(value);
            }
            AppendHexByte(out, byte);
        }
    }
}

// Numbers the fonts in order of first use, the default format's font first.
class FontTable {
  public:
    explicit FontTable(const RichTextDocument& document) {
        Add(document.DefaultFormat().FontName);
        for (const CharFormat& format : document.Formats()) {
            Add(format.FontName);
        }
    }

    std::size_t NumberOf(const std::string& name) const {
        return static_cast<std::size_t>(std::find(names_.begin(), names_.end(), name) -
                                        names_.begin());
    }

    void Write(std::string& out) const {
        out += "{\\fonttbl";
        for (std::size_t number = 0; number < names_.size(); ++number) {
            out += "{\\f" + std::to_string(number);
            out += FontFamilyWords(names_[number]);
            out += "\\fcharset238 ";
            AppendEscaped(out, names_[number]);
            out += ";}";
        }
        out += "}\n";
    }

  private:
    void Add(const std::string& name) {
        if (std::find(names_.begin(), names_.end(), name) == names_.end()) {
            names_.push_back(name);
        }
    }

    std::vector<std::string> names_;
};

// The character formatting words of `format` as they apply after \plain.
std::string FormatWords(const CharFormat& format, const FontTable& fonts) {
    std::string words = "\\f" + std::to_string(fonts.NumberOf(format.FontName));
    words += "\\fs" + std::to_string(std::lround(format.SizePoints * 2));
    if (format.Bold) {
        words += "\\b";
    }
    if (format.Italic) {
        words += "\\i";
    }
    if (format.Underline) {
        words += "\\ul";
    }
    return words;
}

// Writes the paragraphs one at a time into `out_`, repeating character formatting only where it
// changes and paragraph formatting only where the indent changes: both hold across \\par.
class BodyWriter {
  public:
    BodyWriter(std::string& out, const FontTable& fonts) : out_(out), fonts_(fonts) {}

    void Write(const Paragraph& paragraph) {
        const long twips = std::lround(paragraph.LeftIndentPoints * 20);
        if (twips != indentTwips_) {
            Word("\\pard");
            if (twips != 0) {
                Word("\\li" + std::to_string(twips));
            }
            indentTwips_ = twips;
        }
        for (const TextRun& run : paragraph.Runs) {
            Switch(run.Format);
            Text(run.Text);
        }
        Switch(paragraph.MarkFormat);
        Word("\\par");
        out_ += '\n';
        delimit_ = false;
    }

  private:
    void Switch(const CharFormat& format) {
        if (current_ != format) {
            Word("\\plain" + FormatWords(format, fonts_));
            current_ = format;
        }
    }

    void Word(const std::string& word) {
        out_ += word;
        delimit_ = true;
    }

    // A control word swallows one space after it, so text right after one needs that space.
    void Text(std::string_view text) {
        if (delimit_ && !text.empty()) {
            out_ += ' ';
        }
        AppendEscaped(out_, text);
        delimit_ = false;
    }

    std::string& out_;
    const FontTable& fonts_;
    std::optional<CharFormat> current_;
    // The indent in force; none before the first paragraph, which always sets its own.
    std::optional<long> indentTwips_;
    bool delimit_ = false;
};

// Hands the document's RTF to `emit` piece by piece: the header, then a paragraph at a time.
void WritePieces(const RichTextDocument& document,
                 const std::function<void(std::string_view)>& emit) {
    const FontTable fonts(document);
    std::string piece = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029\n";
    fonts.Write(piece);
    piece += "{\\stylesheet{" + FormatWords(document.DefaultFormat(), fonts) + " Normal;}}\n";
    piece += "\\viewkind4\\uc1\n";
    emit(piece);
    BodyWriter body(piece, fonts);
    document.ForEachParagraph([&](const Paragraph& paragraph) {
        piece.clear();
        body.Write(paragraph);
        emit(piece);
    });
    emit("}\n");
}

}  // namespace

// Written twice, first only to count: a long job's RTF is several times its text, and a string
// grown by doubling would hold up to twice that.
std::string WriteRtf(const RichTextDocument& document) {
    std::size_t length = 0;
    WritePieces(document, [&](std::string_view piece) { length += piece.size(); });
    std::string out;
    out.reserve(length);
    WritePieces(document, [&](std::string_view piece) { out += piece; });
    return out;
}

}  // namespace ostrelin::platform::richtext
