#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ostrelin::platform::richtext {

// How a run of characters looks.
struct CharFormat {
    std::string FontName;
    double SizePoints = 12;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// Characters that share one format. The text is in code page 1250, one byte per character.
struct TextRun {
    CharFormat Format;
    std::string Text;
    friend bool operator==(const TextRun&, const TextRun&) = default;
};

// One paragraph: its runs, the format of its end mark (which gives an empty paragraph its
// height) and the distance of every one of its lines from the left edge.
struct Paragraph {
    double LeftIndentPoints = 0;
    std::vector<TextRun> Runs;
    CharFormat MarkFormat;
    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

// A formatted document: paragraphs in order and the format that unformatted text takes.
struct RichTextDocument {
    CharFormat DefaultFormat;
    std::vector<Paragraph> Paragraphs;
    friend bool operator==(const RichTextDocument&, const RichTextDocument&) = default;
};

// Appends `text` in `format` at the end of `paragraph`, extending its last run when that run has
// the same format; an empty text changes nothing. Amortised linear in the text appended.
void AppendText(Paragraph& paragraph, const CharFormat& format, std::string_view text);

// The number of characters in the paragraph's runs, without its end mark.
std::size_t ParagraphTextLength(const Paragraph& paragraph);

// The document's length in characters, each paragraph's end mark counting as one character:
// the range of the character indexes that layout works with.
std::size_t TextLength(const RichTextDocument& document);

}  // namespace ostrelin::platform::richtext
