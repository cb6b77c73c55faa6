// Feeds arbitrary bytes to the path a spool file takes as a raster job: the queue's description
// line, classification, decoding into a picture and the picture's device form on an A4 page at
// 300 dpi and at 30 dpi, built in bands as the printer receives it.

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "OneFileSystem.h"
#include "decode/ByteStream.h"
#include "decode/ClassifyJob.h"
#include "decode/Cp1250.h"
#include "decode/DescriptionLine.h"
#include "decode/RasterJob.h"
#include "platform/settings/Utf8Text.h"
#include "print/BitmapOutput.h"
#include "print/PrinterChoice.h"
#include "print/RasterDeviceBand.h"

namespace ostrelin::fuzz {
namespace {

using platform::canvas::DeviceBitmap;
using platform::canvas::Rect;

constexpr std::string_view kSpoolDirectory = "/spool/";

// A sheet of A4 at 300 dpi, where pictures are mostly enlarged, and at 30 dpi, where even small
// pictures are reduced in both directions; pieces small enough that most pictures come in several.
// (At 600 dpi every run would spend four times as long filling white pixels, for no new paths.)
constexpr Rect kA4At300Dpi{0, 0, 2480, 3508};
constexpr Rect kA4At30Dpi{0, 0, 248, 351};
constexpr std::size_t kBandBytes = 4096;

// A stream buffer that only counts what is written to it.
class CountingBuffer final : public std::streambuf {
  public:
    std::streamsize Count() const { return count_; }

  protected:
    std::streamsize xsputn(const char*, std::streamsize count) override {
        count_ += count;
        return count;
    }
    int_type overflow(int_type c) override {
        ++count_;
        return traits_type::not_eof(c);
    }

  private:
    std::streamsize count_ = 0;
};

bool PictureHasBlack(const print::RasterBitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.Row(y).find_first_not_of('\0') != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// Whether a device piece has a black pixel (colour 0, a clear bit) inside its width.
bool PieceHasBlack(const DeviceBitmap& piece) {
    const auto wholeBytes = static_cast<std::size_t>(piece.Width / 8);
    const auto lastBits = static_cast<unsigned>(piece.Width % 8);
    const auto lastMask = static_cast<std::uint8_t>(0xFF00u >> lastBits);
    for (int y = 0; y < piece.Height; ++y) {
        const std::uint8_t* row = piece.Bits.data() + static_cast<std::size_t>(y) * piece.Stride();
        for (std::size_t k = 0; k < wholeBytes; ++k) {
            if (row[k] != 0xFF) {
                return true;
            }
        }
        if (lastBits != 0 && (row[wholeBytes] & lastMask) != lastMask) {
            return true;
        }
    }
    return false;
}

void CheckPbm(const print::RasterBitmap& bitmap) {
    CountingBuffer buffer;
    std::ostream out(&buffer);
    bitmap.WritePbm(out);
    const std::string header =
        "P4\n" + std::to_string(bitmap.Width()) + ' ' + std::to_string(bitmap.Height()) + '\n';
    Require(bitmap.Width() % 8 == 0, "a picture is a whole number of bytes wide");
    Require(buffer.Count() == static_cast<std::streamsize>(header.size()) +
                                  std::streamsize{bitmap.Width() / 8} * bitmap.Height(),
            "the PBM holds every row padded to the picture's width");
}

// Plans the bands of `page` and checks that they tile it from the top to the bottom.
print::DeviceBandPlan PlanPage(const print::RasterBitmap& bitmap, const Rect& page) {
    print::DeviceBandPlan plan = print::PlanDeviceBands(bitmap, page, kBandBytes);
    Require(plan.Size.Width <= page.Width() && plan.Size.Height <= page.Height(),
            "the picture is never drawn larger than the page before the device stretches it");
    int nextRow = 0;
    int nextTop = page.Top;
    for (const print::DeviceBand& band : plan.Bands) {
        Require(band.FirstRow == nextRow && band.EndRow > band.FirstRow,
                "bands take the rows in order, each at least one");
        Require(band.Destination.Top == nextTop && band.Destination.Left == page.Left &&
                    band.Destination.Right == page.Right,
                "bands meet without gap or overlap across the whole width");
        nextRow = band.EndRow;
        nextTop = band.Destination.Bottom;
    }
    if (!plan.Bands.empty()) {
        Require(nextRow == plan.Size.Height && nextTop == page.Bottom,
                "the bands end with the last row at the bottom of the page");
    }
    return plan;
}

// Builds the device form of the picture for `page` band by band, as the printer receives it.
void PrintOnPage(const print::RasterBitmap& bitmap, bool pictureHasBlack, const Rect& page) {
    const print::DeviceBandPlan plan = PlanPage(bitmap, page);
    bool deviceBlack = false;
    for (const print::DeviceBand& band : plan.Bands) {
        const DeviceBitmap piece =
            print::RenderDeviceBand(bitmap, plan.Size, band.FirstRow, band.EndRow);
        Require(piece.Width == plan.Size.Width && piece.Height == band.EndRow - band.FirstRow &&
                    piece.Bits.size() == static_cast<std::size_t>(piece.Stride()) * piece.Height,
                "a band is as wide as the plan and as high as its rows");
        deviceBlack = deviceBlack || PieceHasBlack(piece);
    }
    Require(deviceBlack == pictureHasBlack,
            "the device form keeps every picture's black and adds none");
}

// The printer side of a raster job: the picture as PBM and in device bands on two devices.
class DevicePageOutput final : public print::BitmapOutput {
  public:
    bool PrintBitmapJob(print::TPrintJob& job, const print::RasterBitmap& bitmap) override {
        Require(job.Title == decode::kRasterJobTitle && job.PrinterIndex == -1,
                "a raster job goes to the default printer under its own title");
        CheckPbm(bitmap);
        const bool pictureHasBlack = PictureHasBlack(bitmap);
        PrintOnPage(bitmap, pictureHasBlack, kA4At300Dpi);
        PrintOnPage(bitmap, pictureHasBlack, kA4At30Dpi);
        return true;
    }
};

void CheckDescriptionLine(const platform::files::FileSystem& files) {
    for (const platform::files::FoundFile& found :
         files.FindFiles(std::string(kSpoolDirectory), "*.QSF", platform::files::faAnyFile)) {
        const std::string description =
            decode::ReadDescriptionLine(files, std::string(kSpoolDirectory) + found.Name);
        Require(description.find_first_of("\r\x1A") == std::string::npos,
                "a description ends before the first CR or SUB");
        Require(description.empty() || static_cast<unsigned char>(description.front()) >= 32,
                "a description never starts with a control byte");
        Require(platform::settings::IsUtf8(decode::Cp1250ToUtf8(description)),
                "a description shows as well-formed UTF-8");
    }
}

}  // namespace
}  // namespace ostrelin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ostrelin;
    const std::string path = std::string(fuzz::kSpoolDirectory) + "JOB.QSF";
    const fuzz::OneFileSystem files(path, {reinterpret_cast<const char*>(data), size});
    fuzz::CheckDescriptionLine(files);
    fuzz::Require(platform::settings::IsUtf8(decode::Cp1250ToUtf8(files.LoadWholeFile(path))),
                  "any code page 1250 text shows as well-formed UTF-8");

    decode::ByteStream stream(files.LoadWholeFile(path));
    if (decode::ClassifyJob(stream) == decode::JobKind::Raster) {
        // Nothing selected, as after the window's list was refilled, so that every decoded job
        // also takes the path that selects the system's default printer.
        print::HeldPrinterChoice choice;
        fuzz::DevicePageOutput output;
        decode::DecodeRasterJob(stream, choice, output);
    }
    return 0;
}
