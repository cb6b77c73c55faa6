#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include "platform/printing/fake/FakePrintingSystem.h"
#include "report/TQRImage.h"
#include "report/TQRReport.h"

namespace ostrelin::report {
namespace {

namespace pp = platform::printing;
namespace pc = platform::canvas;

// At 254 dots per inch a device pixel is a tenth of a millimetre, so an element's device
// rectangle reads as its position on the sheet. A picture pixel at 96 pixels per inch is then
// 254 / 96 device pixels: 96 × 48 picture pixels are 254 × 127 device pixels.
pp::fake::FakePrinterSetup Printer254(std::optional<pc::Point> offset = std::nullopt) {
    pp::fake::FakePrinterSetup printer;
    printer.Name = "Alpha";
    printer.Dpi = {254, 254};
    printer.PrintingOffset = offset;
    return printer;
}

pc::DeviceBitmap MonoBitmap(int width, int height) {
    pc::DeviceBitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = height;
    bitmap.ColorTable = {pc::kBlack, pc::kWhite};
    bitmap.Bits.assign(static_cast<std::size_t>(bitmap.Stride() * height), 0x5A);
    return bitmap;
}

pc::DeviceBitmap ColourBitmap(int width, int height) {
    pc::DeviceBitmap bitmap;
    bitmap.Width = width;
    bitmap.Height = height;
    bitmap.BitsPerPixel = 24;
    bitmap.Bits.assign(static_cast<std::size_t>(bitmap.Stride() * height), 0x80);
    return bitmap;
}

// What an image leaves on a page: its clip, stretch-mode and bitmap commands in order.
using Drawn = std::vector<pc::CanvasCommand>;

class ImageOnReport : public ::testing::Test {
  protected:
    explicit ImageOnReport(std::optional<pc::Point> offset = std::nullopt)
        : system({Printer254(offset)}, "Alpha"), report(system) {
        report.SetShowProgress(false);
        report.SetUnits(TQRUnit::Native);
    }

    TQRImage& Place(double left, double top, double width, double height) {
        image = std::make_unique<TQRImage>(&report);
        image->Size().SetLeft(left);
        image->Size().SetTop(top);
        image->Size().SetWidth(width);
        image->Size().SetHeight(height);
        return *image;
    }

    Drawn PrintAndCollect() {
        system.Log().Documents.clear();
        report.PrintReport();
        Drawn drawn;
        EXPECT_EQ(system.Log().Documents.size(), 1u);
        const auto& pages = system.Log().Documents.at(0)->Pages;
        EXPECT_EQ(pages.size(), 1u);
        for (const pc::CanvasCommand& command : pages.at(0)->Commands()) {
            if (!std::holds_alternative<pc::FillRectCommand>(command)) {
                drawn.push_back(command);
            }
        }
        return drawn;
    }

    pp::fake::FakePrintingSystem system;
    TQRReport report;
    std::unique_ptr<TQRImage> image;
};

TEST_F(ImageOnReport, AStretchedPictureFillsTheElementWhateverItsSizeAndCentring) {
    for (const bool center : {false, true}) {
        for (const auto& [width, height] : {std::pair{3, 2}, std::pair{4000, 900}}) {
            TQRImage& element = Place(200, 300, 500, 400);
            element.SetStretch(true);
            element.SetCenter(center);
            element.Picture().Assign(TDeviceBitmap(MonoBitmap(width, height)));
            EXPECT_EQ(PrintAndCollect(),
                      (Drawn{pc::BitmapCommand{{200, 300, 700, 700}, MonoBitmap(width, height)}}))
                << center << " " << width;
        }
    }
}

TEST_F(ImageOnReport, ANaturalSizePictureIsClippedToTheElementAndCentredByHalfTheFreeRoom) {
    const pc::Rect elementRect{200, 300, 700, 700};
    const struct {
        int width, height;
        bool center;
        pc::Rect drawn;
    } cases[] = {
        // 254 × 127 device pixels in a 500 × 400 element.
        {96, 48, false, {200, 300, 454, 427}},
        {96, 48, true, {200 + 123, 300 + 136, 454 + 123, 427 + 136}},
        // 762 × 508: larger than the element, so centring moves it up and left.
        {288, 192, false, {200, 300, 962, 808}},
        {288, 192, true, {200 - 131, 300 - 54, 962 - 131, 808 - 54}},
    };
    for (const auto& c : cases) {
        TQRImage& element = Place(200, 300, 500, 400);
        element.SetCenter(c.center);
        element.Picture().Assign(TDeviceBitmap(MonoBitmap(c.width, c.height)));
        EXPECT_EQ(PrintAndCollect(),
                  (Drawn{pc::ClipCommand{elementRect},
                         pc::BitmapCommand{c.drawn, MonoBitmap(c.width, c.height)},
                         pc::RemoveClipCommand{}}))
            << c.width << " " << c.center;
    }
}

TEST_F(ImageOnReport, AColourBitmapIsReducedColourOnColourWhileAMonochromeOneKeepsTheMode) {
    TQRImage& element = Place(0, 0, 100, 100);
    element.SetStretch(true);
    element.Picture().Assign(TDeviceBitmap(ColourBitmap(400, 400)));
    EXPECT_EQ(PrintAndCollect(),
              (Drawn{pc::StretchModeCommand{pc::StretchMode::ColorOnColor},
                     pc::BitmapCommand{{0, 0, 100, 100}, ColourBitmap(400, 400)}}));

    element.Picture().Assign(TDeviceBitmap(MonoBitmap(400, 400)));
    EXPECT_EQ(PrintAndCollect(),
              (Drawn{pc::BitmapCommand{{0, 0, 100, 100}, MonoBitmap(400, 400)}}));
}

TEST_F(ImageOnReport, AnEmptyPictureDrawsNothing) {
    for (const bool stretch : {false, true}) {
        Place(200, 300, 500, 400).SetStretch(stretch);
        EXPECT_EQ(PrintAndCollect(), Drawn{}) << stretch;
    }
}

TEST_F(ImageOnReport, AutoSizeGivesTheElementThePictureSizeInScreenPixels) {
    TQRImage element(&report);
    EXPECT_EQ(element.Bounds(), (PixelBounds{0, 0, 105, 105}));
    element.SetBounds({10, 20, 105, 105});
    element.Picture().Assign(TDeviceBitmap(MonoBitmap(300, 200)));
    EXPECT_EQ(element.Bounds(), (PixelBounds{10, 20, 105, 105}));
    element.SetAutoSize(true);
    EXPECT_EQ(element.Bounds(), (PixelBounds{10, 20, 300, 200}));
    element.Picture().Assign(TDeviceBitmap(MonoBitmap(40, 50)));
    EXPECT_EQ(element.Bounds(), (PixelBounds{10, 20, 40, 50}));
    EXPECT_NEAR(element.Size().Height(), 50 * 254 / 96.0, 1e-9);
}

class ImageWithUnprintableMargin : public ImageOnReport {
  protected:
    ImageWithUnprintableMargin() : ImageOnReport(pc::Point{50, 30}) {}
};

TEST_F(ImageWithUnprintableMargin, PositionsCountFromThePaperCornerNotFromThePrintableArea) {
    TQRImage& element = Place(0, 0, 500, 400);
    element.SetStretch(true);
    element.Picture().Assign(TDeviceBitmap(MonoBitmap(8, 8)));
    EXPECT_EQ(PrintAndCollect(),
              (Drawn{pc::BitmapCommand{{-50, -30, 450, 370}, MonoBitmap(8, 8)}}));
}

}  // namespace
}  // namespace ostrelin::report
