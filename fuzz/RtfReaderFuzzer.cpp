// Feeds arbitrary bytes to the rich-text control's readers: RTF, and plain text as its fallback.
// A document read from RTF must survive being written and read again unchanged.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "platform/richtext/PlainText.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrelin;
    namespace richtext = platform::richtext;
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    if (const std::optional<richtext::RichTextDocument> document = richtext::ReadRtf(input)) {
        const std::string written = richtext::WriteRtf(*document);
        const std::optional<richtext::RichTextDocument> again = richtext::ReadRtf(written);
        fuzz::Require(again.has_value(), "a document written as RTF reads back");
        fuzz::Require(*again == *document, "a document read from RTF is written without loss");
    }

    const richtext::RichTextDocument plain =
        richtext::ReadPlainText(input, {.FontName = "Courier New", .SizePoints = 10});
    plain.ForEachParagraph([](const richtext::Paragraph& paragraph) {
        for (const richtext::TextRun& run : paragraph.Runs) {
            fuzz::Require(run.Text.find_first_of("\r\n") == std::string::npos,
                          "plain text's line ends separate paragraphs and stay out of them");
        }
    });
    return 0;
}
