#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "decode/ByteStream.h"
#include "decode/CaseName.h"
#include "decode/ClassifyJob.h"
#include "decode/RasterJob.h"
#include "decode/TextJob.h"
#include "platform/printing/fake/FakePrintingSystem.h"
#include "platform/richtext/fake/FixedTextMetrics.h"
#include "print/AllocationProbe.h"
#include "print/RecordingWaitCursor.h"
#include "print/TPrintQReport.h"

namespace ostrelin::print {
namespace {

using namespace std::string_literals;

constexpr std::size_t kMiB = std::size_t{1} << 20;

// Spool file builders.
std::string SpoolFile(const std::string& records) {
    return "Job\r\n\0\0"s + records;
}
std::string Escape(const std::string& afterEsc) {
    return "\x03"s + static_cast<char>(afterEsc.size() + 1) + "\x1b" + afterEsc;
}
std::string Data(const std::string& bytes) {
    return "\x02"s + static_cast<char>(bytes.size() & 0xff) + static_cast<char>(bytes.size() >> 8) +
           bytes;
}
std::string Repeated(const std::string& piece, std::size_t count) {
    std::string out;
    out.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        out += piece;
    }
    return out;
}
const std::string kSignature150 = "\x03\x07\x1b*t150R"s;
const std::string kLongRow(65535, '\x80');

struct HostileFile {
    std::string name;
    std::string bytes;
    friend void PrintTo(const HostileFile& file, std::ostream* out) { *out << file.name; }
};

std::vector<HostileFile> HostileFiles() {
    return {
        {"RasterLongRowThenMillionEmptyRows",
         SpoolFile(kSignature150 + Escape("*b65535W") + Data(kLongRow) +
                   Repeated(Escape("*b0W") + Data(""), 1'000'000))},
        {"RasterLongestRowsRepeated",
         SpoolFile(kSignature150 + Repeated(Escape("*b65535W") + Data(kLongRow), 160))},
        {"TextLongestDataRecordsOfAsciiLetters",
         SpoolFile(Repeated(Data(std::string(65535, 'x')), 160))},
        {"TextMillionEmptyTextRecords", SpoolFile(Repeated("\x00\x00"s, 1'000'000))},
        {"TextMillionEmptyParagraphCommands", SpoolFile(Repeated("\x01\x01\x0e"s, 1'000'000))},
        {"TextMillionStyleCommands",
         SpoolFile(Repeated("\x01\x01\x07\x01\x01\x08"s, 500'000) + Data("x"))},
        {"TextLineEndsOnly", SpoolFile(Repeated(Data(Repeated("\r\n", 32'767)), 64))},
        {"TextOneLetterLinesInChangingStyles",
         SpoolFile(
             Repeated("\x01\x01\x07\x00\x01a\x01\x01\x08\x00\x01b\x01\x02\x65\x07"s, 300'000))},
        {"TextShortLines", SpoolFile(Repeated(Data(Repeated("ab cd\r\n", 9'362)), 64))},
        {"WholeFileOneDescriptionLine", std::string(8'000'000, 'x')},
    };
}

// The report form printing on a 600 dpi printer that sends every page on once it ends, as the
// built-in PDF printer and CUPS queues do; the page being drawn counts.
class MemoryBoundTest : public ::testing::TestWithParam<HostileFile> {
  protected:
    MemoryBoundTest()
        : printing({{.Name = "Laser", .KeepsPages = false}}, "Laser"),
          metrics(0.6, 1.2),
          form(printing, metrics, cursor) {}

    // The most heap held at one time while `file` is loaded, classified, decoded and printed.
    std::size_t PeakHeapWhilePrinting(const std::string& file) {
        const ostrelin::testing::AllocationProbe probe;
        {
            decode::ByteStream stream(file);
            HeldPrinterChoice choice;
            if (decode::ClassifyJob(stream) == decode::JobKind::Raster) {
                decode::DecodeRasterJob(stream, choice, form);
            } else {
                decode::DecodeTextJob(stream, choice, form);
            }
        }
        return probe.PeakBytes();
    }

    platform::printing::fake::FakePrintingSystem printing;
    platform::richtext::FixedTextMetrics metrics;
    testing::RecordingWaitCursor cursor;
    TPrintQReport form;
};

// Whatever a spool file holds, printing it needs at most four times its size and 64 MiB.
TEST_P(MemoryBoundTest, PeakHeapStaysWithinFourTimesTheFileAnd64MiB) {
    const std::string& file = GetParam().bytes;
    const std::size_t peak = PeakHeapWhilePrinting(file);
    ASSERT_EQ(printing.Log().Documents.size(), 1u);
    ASSERT_FALSE(printing.Log().Documents.front()->Pages.empty());
    const std::size_t bound = 4 * file.size() + 64 * kMiB;
    RecordProperty("PeakHeap", std::to_string(peak));
    RecordProperty("Bound", std::to_string(bound));
    EXPECT_LT(peak, bound) << "file of " << file.size() << " bytes";
}

INSTANTIATE_TEST_SUITE_P(HostileSpoolFiles, MemoryBoundTest, ::testing::ValuesIn(HostileFiles()),
                         decode::testing::CaseName());

}  // namespace
}  // namespace ostrelin::print
