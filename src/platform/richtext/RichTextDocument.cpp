#include "platform/richtext/RichTextDocument.h"

#include <algorithm>
#include <utility>

namespace ostrelin::platform::richtext {

void AppendText(Paragraph& paragraph, const CharFormat& format, std::string_view text) {
    if (text.empty()) {
        return;
    }
    if (!paragraph.Runs.empty() && paragraph.Runs.back().Format == format) {
        paragraph.Runs.back().Text.append(text);
        return;
    }
    paragraph.Runs.push_back(TextRun{format, std::string(text)});
}

RichTextDocument::RichTextDocument(CharFormat defaultFormat)
    : defaultFormat_(std::move(defaultFormat)) {}

RichTextDocument::RichTextDocument(CharFormat defaultFormat,
                                   const std::vector<Paragraph>& paragraphs)
    : defaultFormat_(std::move(defaultFormat)) {
    for (const Paragraph& paragraph : paragraphs) {
        AppendParagraph(paragraph);
    }
}

void RichTextDocument::AppendParagraph(const Paragraph& paragraph) {
    const auto begin = static_cast<std::uint32_t>(characters_.size());
    if (indents_.empty() ? paragraph.LeftIndentPoints != 0
                         : indents_.back().Points != paragraph.LeftIndentPoints) {
        indents_.push_back({.Begin = begin, .Points = paragraph.LeftIndentPoints});
    }
    for (const TextRun& run : paragraph.Runs) {
        std::string_view text = run.Text;
        for (std::size_t mark = text.find(kParagraphMark); mark != std::string_view::npos;
             mark = text.find(kParagraphMark)) {
            Append(text.substr(0, mark), run.Format);
            text.remove_prefix(mark + 1);
        }
        Append(text, run.Format);
    }
    Append(std::string_view(&kParagraphMark, 1), paragraph.MarkFormat);
}

std::size_t RichTextDocument::ParagraphCount() const {
    return static_cast<std::size_t>(
        std::count(characters_.begin(), characters_.end(), kParagraphMark));
}

void RichTextDocument::Append(std::string_view text, const CharFormat& format) {
    if (text.empty()) {
        return;
    }
    if (runs_.empty() || formats_[runs_.back().Format] != format) {
        runs_.push_back(
            {.Begin = static_cast<std::uint32_t>(characters_.size()), .Format = NumberOf(format)});
    }
    characters_.append(text);
}

// A document uses a handful of formats, so a search through them is the cheapest lookup.
std::uint32_t RichTextDocument::NumberOf(const CharFormat& format) {
    const auto known = std::find(formats_.begin(), formats_.end(), format);
    if (known != formats_.end()) {
        return static_cast<std::uint32_t>(known - formats_.begin());
    }
    formats_.push_back(format);
    return static_cast<std::uint32_t>(formats_.size() - 1);
}

const RichTextDocument::FormatRun& RichTextDocument::RunAt(std::size_t index) const {
    const auto after = std::upper_bound(
        runs_.begin(), runs_.end(), index,
        [](std::size_t wanted, const FormatRun& run) { return wanted < run.Begin; });
    return *(after - 1);
}

std::size_t RichTextDocument::RunEnd(const FormatRun& run) const {
    const auto next = static_cast<std::size_t>(&run - runs_.data()) + 1;
    return next < runs_.size() ? runs_[next].Begin : characters_.size();
}

double RichTextDocument::IndentAt(std::size_t index) const {
    const auto after = std::upper_bound(
        indents_.begin(), indents_.end(), index,
        [](std::size_t wanted, const IndentChange& change) { return wanted < change.Begin; });
    return after == indents_.begin() ? 0 : (after - 1)->Points;
}

void RichTextDocument::ForEachParagraph(const std::function<void(const Paragraph&)>& visit) const {
    Paragraph paragraph;
    std::size_t begin = 0;
    auto run = runs_.begin();
    for (std::size_t index = 0; index < characters_.size(); ++index) {
        while (run + 1 != runs_.end() && (run + 1)->Begin <= index) {
            ++run;
        }
        const CharFormat& format = formats_[run->Format];
        if (characters_[index] != kParagraphMark) {
            // Characters of one format are appended as a whole piece.
            const std::size_t end = std::min(
                characters_.find(kParagraphMark, index),
                run + 1 != runs_.end() ? std::size_t{(run + 1)->Begin} : characters_.size());
            AppendText(paragraph, format, std::string_view(characters_).substr(index, end - index));
            index = end - 1;
            continue;
        }
        paragraph.LeftIndentPoints = IndentAt(begin);
        paragraph.MarkFormat = format;
        visit(paragraph);
        paragraph.Runs.clear();
        begin = index + 1;
    }
}

std::vector<Paragraph> RichTextDocument::Paragraphs() const {
    std::vector<Paragraph> paragraphs;
    paragraphs.reserve(ParagraphCount());
    ForEachParagraph([&](const Paragraph& paragraph) { paragraphs.push_back(paragraph); });
    return paragraphs;
}

}  // namespace ostrelin::platform::richtext
