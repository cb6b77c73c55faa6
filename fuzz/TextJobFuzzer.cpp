// Feeds arbitrary bytes to the path a spool file takes as a text job: classification,
// composition into a document, its RTF text, and the layout of that text over A4 pages at
// 600 dpi as the report prints it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "decode/ByteStream.h"
#include "decode/ClassifyJob.h"
#include "decode/TextJob.h"
#include "platform/canvas/metafile/RecordingCanvas.h"
#include "platform/richtext/RichEditControl.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/richtext/fake/FixedTextMetrics.h"
#include "print/PrinterChoice.h"
#include "print/RichTextOutput.h"

namespace ostrelin::fuzz {
namespace {

namespace richtext = platform::richtext;

// A4 at 600 dpi with margins of 1 cm, each page drawn onto a page metafile of its own.
constexpr platform::canvas::Rect kPrintableArea{236, 236, 4725, 6780};
constexpr int kPageWidth = 4961;
constexpr int kPageHeight = 7016;
constexpr int kDpi = 600;

// Lays the document out page after page until all of it is drawn. A text job's sizes are at most
// 16 points, so every page takes at least one line.
void PrintPages(std::string_view rtf) {
    richtext::FixedTextMetrics metrics(0.6, 1.2);
    richtext::RichEditControl control(metrics);
    control.LoadFromStream(rtf);
    int first = 0;
    while (first < control.TextLength()) {
        platform::canvas::RecordingCanvas page(kPageWidth, kPageHeight, kDpi, kDpi);
        const richtext::FormatRangeResult drawn = control.Render(first, kPrintableArea, page);
        Require(drawn.NextCharacter > first && drawn.NextCharacter <= control.TextLength(),
                "every page of a text job takes some of its text");
        Require(drawn.Bottom <= kPrintableArea.Bottom, "a page's text ends inside its area");
        first = drawn.NextCharacter;
    }
}

// The report form's side of a text job: the RTF read back and printed.
class LayoutOutput final : public print::RichTextOutput {
  public:
    bool PrintRichTextJob(print::TPrintJob& job, std::string_view rtf) override {
        Require(job.Title == decode::kTextJobTitle && job.PrinterIndex == -1,
                "a text job goes to the default printer under its own title");
        const std::optional<richtext::RichTextDocument> document = richtext::ReadRtf(rtf);
        Require(document.has_value(), "a composed document's RTF reads back");
        Require(richtext::WriteRtf(*document) == rtf,
                "a composed document reads back as the same document");
        PrintPages(rtf);
        return true;
    }
};

}  // namespace
}  // namespace ostrelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrelin;
    decode::ByteStream stream(std::string(reinterpret_cast<const char*>(data), size));
    if (decode::ClassifyJob(stream) == decode::JobKind::Text) {
        // Nothing selected, as after the window's list was refilled, so that every decoded job
        // also takes the path that selects the system's default printer.
        print::HeldPrinterChoice choice;
        fuzz::LayoutOutput output;
        decode::DecodeTextJob(stream, choice, output);
    }
    return 0;
}
