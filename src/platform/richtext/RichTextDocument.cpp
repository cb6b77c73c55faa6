#include "platform/richtext/RichTextDocument.h"

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

std::size_t ParagraphTextLength(const Paragraph& paragraph) {
    std::size_t length = 0;
    for (const TextRun& run : paragraph.Runs) {
        length += run.Text.size();
    }
    return length;
}

std::size_t TextLength(const RichTextDocument& document) {
    std::size_t length = 0;
    for (const Paragraph& paragraph : document.Paragraphs) {
        length += ParagraphTextLength(paragraph) + 1;
    }
    return length;
}

}  // namespace ostrelin::platform::richtext
