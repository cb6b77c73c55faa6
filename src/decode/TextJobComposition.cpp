#include "decode/TextJobComposition.h"

#include <cstdint>

namespace ostrelin::decode {

namespace {

using platform::richtext::CharFormat;
using platform::richtext::Paragraph;

constexpr const char* kBaseFontName = "Courier New";
constexpr double kBaseFontSize = 10;

// Codes from this one on carry a parameter in the record's second byte.
constexpr std::uint8_t kFirstCodeWithParameter = 100;

enum TextCommand : std::uint8_t {
    kSize16 = 3,
    kSize12 = 4,
    kSize10 = 5,
    kSize8 = 6,
    kBoldOn = 7,
    kBoldOff = 8,
    kItalicOn = 9,
    kItalicOff = 10,
    kUnderlineOn = 11,
    kUnderlineOff = 12,
    kEmptyParagraph = 14,
    kBaseFont = 100,
    kIndent = 101,
};

// One paragraph of `piece`; the document drops the NUL bytes it may hold.
void AppendParagraph(TextDocument& document, std::string_view piece) {
    Paragraph paragraph{.LeftIndentPoints = static_cast<double>(document.IndentPoints),
                        .Runs = {},
                        .MarkFormat = document.Current};
    AppendText(paragraph, document.Current, piece);
    document.Document.AppendParagraph(paragraph);
}

}  // namespace

CharFormat TextJobBaseFont() {
    return CharFormat{.FontName = kBaseFontName,
                      .SizePoints = kBaseFontSize,
                      .Bold = false,
                      .Italic = false,
                      .Underline = false};
}

void ApplyTextCommand(TextDocument& document, std::string_view data) {
    if (data.empty()) {
        return;
    }
    const auto code = static_cast<std::uint8_t>(data[0]);
    const std::uint8_t parameter = code >= kFirstCodeWithParameter && data.size() >= 2
                                       ? static_cast<std::uint8_t>(data[1])
                                       : 0;
    CharFormat& current = document.Current;
    switch (code) {
        case kSize16:
            current.SizePoints = 16;
            break;
        case kSize12:
            current.SizePoints = 12;
            break;
        case kSize10:
            current.SizePoints = 10;
            break;
        case kSize8:
            current.SizePoints = 8;
            break;
        case kBoldOn:
        case kBoldOff:
            current.Bold = code == kBoldOn;
            break;
        case kItalicOn:
        case kItalicOff:
            current.Italic = code == kItalicOn;
            break;
        case kUnderlineOn:
        case kUnderlineOff:
            current.Underline = code == kUnderlineOn;
            break;
        case kEmptyParagraph:
            AppendParagraph(document, {});
            break;
        case kBaseFont:
            document.Document.SetDefaultFormat(TextJobBaseFont());
            current.FontName = kBaseFontName;
            break;
        case kIndent:
            document.IndentPoints = parameter;
            break;
        default:
            break;
    }
}

void AppendTextParagraphs(TextDocument& document, std::string_view text) {
    constexpr std::string_view kLineEnd = "\r\n";
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(kLineEnd, start);
        AppendParagraph(document,
                        text.substr(start, end == std::string_view::npos ? std::string_view::npos
                                                                         : end - start));
        if (end == std::string_view::npos) {
            return;
        }
        start = end + kLineEnd.size();
    }
}

}  // namespace ostrelin::decode
