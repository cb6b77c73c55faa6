#include "decode/TextJob.h"

#include <cstdint>
#include <optional>
#include <string>

#include "decode/ConversionTables.h"
#include "decode/RecordReaders.h"
#include "decode/TextJobComposition.h"
#include "platform/richtext/RtfWriter.h"
#include "print/TPrintJob.h"

namespace ostrelin::decode {

namespace {

constexpr std::uint8_t kTextRecord = 0;
constexpr std::uint8_t kCommandRecord = 1;
constexpr std::uint8_t kDataRecord = 2;

// Every document starts from the base font, whatever the job's first command.
constexpr std::string_view kStartCommand{"\x64\x00", 2};

// A text record's line end, in either order, which paragraphs make unnecessary.
std::string_view WithoutFinalLineEnd(std::string_view text) {
    if (text.size() >= 2 && (text.ends_with("\r\n") || text.ends_with("\n\r"))) {
        text.remove_suffix(2);
    }
    return text;
}

// The job's document as RTF. The document itself is gone once its RTF is written, so the two
// never take memory beside the page store.
std::string ComposedRtf(ByteStream& stream) {
    TextDocument document;
    ApplyTextCommand(document, kStartCommand);
    while (const std::optional<std::uint8_t> type = stream.ReadByte()) {
        const std::string data =
            *type == kDataRecord ? ReadLongRecord(stream) : ReadShortRecord(stream);
        switch (*type) {
            case kTextRecord:
                AppendTextParagraphs(document,
                                     WithoutFinalLineEnd(ConvertString(data, kCp852ToCp1250Table)));
                break;
            case kCommandRecord:
                ApplyTextCommand(document, data);
                break;
            default:
                AppendTextParagraphs(document, data);
                break;
        }
    }
    return platform::richtext::WriteRtf(document.Document);
}

}  // namespace

void DecodeTextJob(ByteStream& stream, print::PrinterChoice& choice,
                   print::RichTextOutput& output) {
    const std::string rtf = ComposedRtf(stream);
    print::TPrintJob job = print::SpoolJobSettings(kTextJobTitle, choice);
    output.PrintRichTextJob(job, rtf);
}

}  // namespace ostrelin::decode
