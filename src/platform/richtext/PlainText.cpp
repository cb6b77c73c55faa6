#include "platform/richtext/PlainText.h"

namespace ostrelin::platform::richtext {

RichTextDocument ReadPlainText(std::string_view text, const CharFormat& format) {
    RichTextDocument document(format);
    std::size_t lineStart = 0;
    const auto addLine = [&](std::size_t lineEnd) {
        Paragraph paragraph{.LeftIndentPoints = 0, .Runs = {}, .MarkFormat = format};
        AppendText(paragraph, format, text.substr(lineStart, lineEnd - lineStart));
        document.AppendParagraph(paragraph);
    };
    for (std::size_t position = 0; position < text.size(); ++position) {
        const char c = text[position];
        if (c != '\r' && c != '\n') {
            continue;
        }
        addLine(position);
        if (c == '\r' && position + 1 < text.size() && text[position + 1] == '\n') {
            ++position;
        }
        lineStart = position + 1;
    }
    if (lineStart < text.size()) {
        addLine(text.size());
    }
    return document;
}

}  // namespace ostrelin::platform::richtext
