#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "decode/CaseName.h"
#include "decode/ClassifyJob.h"
#include "decode/RasterJob.h"
#include "print/AllocationProbe.h"
#include "print/RasterDeviceBand.h"

namespace ostrelin::decode {
namespace {

using namespace std::string_literals;

// Record builders for the raster record stream.
std::string Escape(const std::string& afterEsc) {
    return "\x03"s + static_cast<char>(afterEsc.size() + 1) + "\x1b" + afterEsc;
}
std::string Data(const std::string& bytes) {
    return "\x02"s + static_cast<char>(bytes.size() & 0xff) + static_cast<char>(bytes.size() >> 8) +
           bytes;
}
std::string Short(char type, const std::string& bytes) {
    return std::string(1, type) + static_cast<char>(bytes.size()) + bytes;
}
const std::string kSignature150 = "\x03\x07\x1b*t150R"s;

class RecordingOutput : public print::BitmapOutput {
  public:
    bool PrintBitmapJob(print::TPrintJob& job, const print::RasterBitmap& bitmap) override {
        Jobs.push_back(job);
        Bitmaps.push_back(bitmap);
        return true;
    }
    std::vector<print::TPrintJob> Jobs;
    std::vector<print::RasterBitmap> Bitmaps;
};

// Decodes a bare record stream and returns the one picture handed to the output.
print::RasterBitmap Decode(const std::string& records) {
    ByteStream stream(records);
    print::HeldPrinterChoice choice(0);
    RecordingOutput output;
    DecodeRasterJob(stream, choice, output);
    EXPECT_EQ(output.Bitmaps.size(), 1u);
    return output.Bitmaps.at(0);
}

struct RowCase {
    std::string name;
    std::string records;
    int width;
    std::vector<std::string> rows;
};

// Names a failing case by its name rather than by its bytes.
void PrintTo(const RowCase& c, std::ostream* out) {
    *out << c.name;
}

class RasterRowsTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(RasterRowsTest, AnnouncedDataRecordsBecomeRows) {
    const RowCase& c = GetParam();
    const print::RasterBitmap picture = Decode(c.records);
    EXPECT_EQ(picture.Width(), c.width);
    ASSERT_EQ(picture.Height(), static_cast<int>(c.rows.size()));
    for (int y = 0; y < picture.Height(); ++y) {
        EXPECT_EQ(picture.Row(y), c.rows[static_cast<std::size_t>(y)]) << "row " << y;
    }
}

const std::string kRow = "\x5a"s;

INSTANTIATE_TEST_SUITE_P(
    Cases, RasterRowsTest,
    ::testing::Values(
        RowCase{"Empty", "", 0, {}},
        RowCase{"OneRow", Escape("*b3W") + Data("\x80\x00\x01"s), 24, {"\x80\x00\x01"s}},
        RowCase{"RowsOfDifferentLengths",
                Escape("*b2W") + Data("\xff\x01"s) + Escape("*b5W") +
                    Data("\x01\x02\x03\x04\x05"s) + Escape("*b3W") + Data("\x80\x80\x80"s),
                40,
                {"\xff\x01"s, "\x01\x02\x03\x04\x05"s, "\x80\x80\x80"s}},
        RowCase{"ZeroLengthRowAddsWhiteRow",
                Escape("*b2W") + Data("\xff\xff"s) + Escape("*b0W") + Data(""),
                16,
                {"\xff\xff"s, ""}},
        RowCase{"UnannouncedDataIgnored", Data(kRow) + Escape("*b1W") + Data(kRow), 8, {kRow}},
        RowCase{"SecondDataAfterOneAnnouncementIgnored",
                Escape("*b1W") + Data(kRow) + Data("\xff\xff"s),
                8,
                {kRow}},
        RowCase{"DigitsValueIgnored", Escape("*b12W") + Data(kRow), 8, {kRow}},
        RowCase{"BytesAfterWIgnored", Escape("*b1Wxyz") + Data(kRow), 8, {kRow}},
        RowCase{
            "ReannouncedRowCountsOnce", Escape("*b1W") + Escape("*b1W") + Data(kRow), 8, {kRow}},
        RowCase{"CompressionModeClears", Escape("*b1W") + Escape("*b0M") + Data(kRow), 0, {}},
        RowCase{"VerticalOffsetClears", Escape("*b1W") + Escape("*b12Y") + Data(kRow), 0, {}},
        RowCase{"NoDigitsClears", Escape("*b1W") + Escape("*bW") + Data(kRow), 0, {}},
        RowCase{"EndAfterPrefixClears", Escape("*b1W") + Escape("*b") + Data(kRow), 0, {}},
        RowCase{"EndAfterDigitsClears", Escape("*b1W") + Escape("*b12") + Data(kRow), 0, {}},
        RowCase{"OtherEscapeKeeps", Escape("*b1W") + Escape("*rB") + Data(kRow), 8, {kRow}},
        RowCase{"SignatureKeeps", Escape("*b1W") + kSignature150 + Data(kRow), 8, {kRow}},
        RowCase{"EscapeWithoutEscByteKeeps",
                Escape("*b1W") + Short('\x03', "*b0M") + Data(kRow),
                8,
                {kRow}},
        RowCase{"TextAndCommandRecordsKeep",
                Escape("*b1W") + Short('\x00', "\x03\x05\x1b*b0M"s) + Short('\x01', "d\x00"s) +
                    Data(kRow),
                8,
                {kRow}},
        RowCase{"TypeNineStandsAlone", Escape("*b1W") + "\x09" + Data(kRow), 8, {kRow}},
        RowCase{"TruncatedRowKeepsWhatCame",
                Escape("*b4W") + "\x02\x04\x00\xf0\x0f"s,
                16,
                {"\xf0\x0f"s}},
        RowCase{"SeveralPagesStackUp",
                Escape("E") + Escape("*r1A") + Escape("*b1W") + Data("\x01"s) + Escape("*rB") +
                    Escape("E") + Escape("*r1A") + Escape("*b2W") + Data("\x02\x03"s) +
                    Escape("*rB") + Escape("E"),
                16,
                {"\x01"s, "\x02\x03"s}}),
    testing::CaseName{});

TEST(RasterJobTest, RowBitsLandLeftmostFirst) {
    const print::RasterBitmap picture = Decode(Escape("*b3W") + Data("\x80\x00\x01"s));
    for (int x = 0; x < 24; ++x) {
        EXPECT_EQ(picture.IsBlack(x, 0), x == 0 || x == 23) << x;
    }
}

TEST(RasterJobTest, WholeSpoolFileFromItsRecordStream) {
    // The two bytes after the description line are the gap; a 2 there must not start a record.
    const std::string file = "Plan 1\r\n\x02\x01"s + kSignature150 + Escape("*r1A") +
                             Escape("*b1W") + Data("\xc0"s) + Escape("*rB");
    ByteStream stream(file);
    ASSERT_EQ(ClassifyJob(stream), JobKind::Raster);
    print::HeldPrinterChoice choice(1);
    RecordingOutput output;
    DecodeRasterJob(stream, choice, output);
    ASSERT_EQ(output.Bitmaps.size(), 1u);
    EXPECT_EQ(output.Bitmaps[0].Height(), 1);
    EXPECT_EQ(output.Bitmaps[0].Row(0), "\xc0"s);
}

TEST(RasterJobTest, JobSettingsAskForAStretchedCentredPortraitPage) {
    struct Case {
        std::optional<int> selected;
        int position;
        int printerIndex;
    };
    for (const Case c : {Case{std::nullopt, 0, -1}, Case{0, 0, -1}, Case{3, 3, 2}}) {
        ByteStream stream("");
        print::HeldPrinterChoice choice(c.selected);
        RecordingOutput output;
        DecodeRasterJob(stream, choice, output);
        EXPECT_EQ(choice.SelectedPosition(), c.position);
        ASSERT_EQ(output.Jobs.size(), 1u);
        const print::TPrintJob& job = output.Jobs[0];
        EXPECT_EQ(job.Title, "Tarvok Ostrelin - tisk nářezového plánu");
        EXPECT_TRUE(job.CenterImage);
        EXPECT_TRUE(job.StretchImage);
        EXPECT_EQ(job.OrientationMode, 0);
        EXPECT_EQ(job.PrinterIndex, c.printerIndex);
        EXPECT_EQ(job.Copies, 1);
        EXPECT_EQ(job.FirstPage, 1);
        EXPECT_EQ(job.LastPage, 9999);
        EXPECT_EQ(output.Bitmaps[0].Width(), 0);
        EXPECT_EQ(output.Bitmaps[0].Height(), 0);
    }
}

// Draws the picture into an A4 page at 600 dpi in pieces, as the picture output does, and
// notes what it saw.
class BandedOutput : public print::BitmapOutput {
  public:
    static constexpr std::size_t kBandBytes = 4 << 20;

    bool PrintBitmapJob(print::TPrintJob&, const print::RasterBitmap& bitmap) override {
        Width = bitmap.Width();
        Height = bitmap.Height();
        MemoryBytes = bitmap.MemoryBytes();
        const ostrelin::testing::AllocationProbe probe;
        const print::DeviceBandPlan plan =
            print::PlanDeviceBands(bitmap, {0, 0, 4961, 7016}, kBandBytes);
        Size = plan.Size;
        for (const print::DeviceBand& band : plan.Bands) {
            const platform::canvas::DeviceBitmap piece =
                print::RenderDeviceBand(bitmap, plan.Size, band.FirstRow, band.EndRow);
            for (int y = 0; y < piece.Height; ++y) {
                for (int x = 0; x < piece.Width; ++x) {
                    const auto byte =
                        piece.Bits[static_cast<std::size_t>(y * piece.Stride() + x / 8)];
                    if (((byte >> (7 - x % 8)) & 1) == 0) {
                        Black.push_back({x, band.FirstRow + y});
                    }
                }
            }
        }
        PeakDeviceBytes = probe.PeakBytes();
        return true;
    }

    int Width = 0;
    int Height = 0;
    std::size_t MemoryBytes = 0;
    print::DeviceSize Size;
    std::vector<std::pair<int, int>> Black;
    std::size_t PeakDeviceBytes = 0;
};

TEST(RasterJobTest, OneLongRowAndManyEmptyOnesStayWithinTheFilesSize) {
    std::string row(65535, '\0');
    row.front() = '\x80';
    row.back() = '\x01';
    std::string file = "Plan\r\n\0\0"s + kSignature150 + Escape("*b65535W") + Data(row);
    for (int i = 0; i < 100000; ++i) {
        file += Escape("*b0W") + Data("");
    }
    ByteStream stream(file);
    ASSERT_EQ(ClassifyJob(stream), JobKind::Raster);
    print::HeldPrinterChoice choice(0);
    BandedOutput output;
    DecodeRasterJob(stream, choice, output);

    EXPECT_EQ(output.Width, 524280);
    EXPECT_EQ(output.Height, 100001);
    // As a rectangle this picture is 6.5 GB.
    EXPECT_LT(output.MemoryBytes, 4 * file.size() + 4096);
    EXPECT_EQ(output.Size, (print::DeviceSize{4961, 7016}));
    EXPECT_EQ(output.Black, (std::vector<std::pair<int, int>>{{0, 0}, {4960, 0}}));
    EXPECT_LT(output.PeakDeviceBytes, 2 * BandedOutput::kBandBytes + (1 << 20));
}

}  // namespace
}  // namespace ostrelin::decode
