#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
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

// One paragraph as it is built and read: its runs, the format of its end mark (which gives an
// empty paragraph its height) and the distance of every one of its lines from the left edge.
struct Paragraph {
    double LeftIndentPoints = 0;
    std::vector<TextRun> Runs;
    CharFormat MarkFormat;
    friend bool operator==(const Paragraph&, const Paragraph&) = default;
};

// Appends `text` in `format` at the end of `paragraph`, extending its last run when that run has
// the same format; an empty text changes nothing. Amortised linear in the text appended.
void AppendText(Paragraph& paragraph, const CharFormat& format, std::string_view text);

// A formatted document: paragraphs in order and the format that unformatted text takes.
//
// A spool job may hold millions of tiny paragraphs, so the document keeps no object per
// paragraph or run. All characters sit in one string, each paragraph followed by a NUL as its
// end mark (NUL never reaches a document as text), so that a character's index is its place in
// that string. Formats are kept once each and referred to by number; a run is recorded only
// where the format changes, an indent only where it changes from the paragraph before.
class RichTextDocument {
  public:
    static constexpr char kParagraphMark = '\0';

    // Where one format starts: it holds up to the next run's start.
    struct FormatRun {
        std::uint32_t Begin = 0;
        std::uint32_t Format = 0;
        friend bool operator==(const FormatRun&, const FormatRun&) = default;
    };

    RichTextDocument() = default;
    explicit RichTextDocument(CharFormat defaultFormat);

    // A document of `paragraphs`, each appended as AppendParagraph does.
    RichTextDocument(CharFormat defaultFormat, const std::vector<Paragraph>& paragraphs);

    const CharFormat& DefaultFormat() const { return defaultFormat_; }
    void SetDefaultFormat(CharFormat format) { defaultFormat_ = std::move(format); }

    // Appends a paragraph. NUL bytes of its text are dropped: they would end the text wherever
    // it passed through C strings, and print as nothing.
    void AppendParagraph(const Paragraph& paragraph);

    // The number of paragraphs: one end mark each.
    std::size_t ParagraphCount() const;

    // Every character, each paragraph's end mark counting as one: the index range that layout
    // works with.
    std::string_view Characters() const { return characters_; }
    std::size_t Length() const { return characters_.size(); }

    // The format of the character (or end mark) at `index`, which must be below Length().
    const CharFormat& FormatAt(std::size_t index) const { return formats_[RunAt(index).Format]; }
    // The run that holds `index`, and the index its format ends at.
    const FormatRun& RunAt(std::size_t index) const;
    std::size_t RunEnd(const FormatRun& run) const;
    const CharFormat& FormatOf(const FormatRun& run) const { return formats_[run.Format]; }

    // The formats of the text and the end marks, in order of first use.
    const std::vector<CharFormat>& Formats() const { return formats_; }

    // The left indent of the paragraph that holds `index`.
    double IndentAt(std::size_t index) const;

    // Calls `visit` with every paragraph in order, rebuilt one at a time.
    void ForEachParagraph(const std::function<void(const Paragraph&)>& visit) const;
    // All paragraphs rebuilt; for small documents.
    std::vector<Paragraph> Paragraphs() const;

    friend bool operator==(const RichTextDocument&, const RichTextDocument&) = default;

  private:
    struct IndentChange {
        std::uint32_t Begin = 0;  // the first character of the paragraph it starts at
        double Points = 0;
        friend bool operator==(const IndentChange&, const IndentChange&) = default;
    };

    void Append(std::string_view text, const CharFormat& format);
    std::uint32_t NumberOf(const CharFormat& format);

    CharFormat defaultFormat_;
    std::string characters_;
    std::vector<CharFormat> formats_;
    std::vector<FormatRun> runs_;
    std::vector<IndentChange> indents_;
};

}  // namespace ostrelin::platform::richtext
