#include <gtest/gtest.h>

#include "platform/printing/fake/FakePrintingSystem.h"
#include "print/PageGeometry.h"

namespace ostrelin::print {
namespace {

using report::PixelBounds;

// A report with the report form's A4 page: margins 10 mm left, right and top, 15 mm bottom.
class FormPage : public ::testing::Test {
  protected:
    explicit FormPage(int pixelsPerInch = 96)
        : system(platform::printing::fake::FakePrintingSystem::Named({"A"}, "A")),
          report(system, {.PixelsPerInch = pixelsPerInch}) {
        report::TQRPage& page = report.Page();
        page.SetPaperSize(report::TQRPaperSize::A4);
        page.SetUnits(report::TQRUnit::Native);
        page.SetBottomMargin(150);
        page.SetTopMargin(100);
        page.SetLeftMargin(100);
        page.SetRightMargin(100);
    }

    platform::printing::fake::FakePrintingSystem system;
    report::TQRReport report;
};

TEST_F(FormPage, ThePrintableAreaFollowsTheOrientationInScreenPixels) {
    report.Page().SetOrientation(report::poPortrait);
    EXPECT_EQ(report.Bounds().Width, 794);
    EXPECT_EQ(report.Bounds().Height, 1123);
    EXPECT_EQ(ReportPrintableArea(report), (PrintableArea{718, 37, 1028, 37}));

    report.Page().SetOrientation(report::poLandscape);
    EXPECT_EQ(report.Bounds().Width, 1123);
    EXPECT_EQ(ReportPrintableArea(report), (PrintableArea{1047, 37, 699, 37}));

    // The unit in which the page is read plays no part.
    report.SetUnits(report::TQRUnit::Inches);
    EXPECT_EQ(ReportPrintableArea(report), (PrintableArea{1047, 37, 699, 37}));
}

class FormPageAt120 : public FormPage {
  protected:
    FormPageAt120() : FormPage(120) {}
};

TEST_F(FormPageAt120, ALargerScreenResolutionGivesMorePixelsForTheSameArea) {
    EXPECT_EQ(report.Bounds().Width, 992);
    EXPECT_EQ(report.Bounds().Height, 1403);
    EXPECT_EQ(ReportPrintableArea(report), (PrintableArea{897, 47, 1284, 47}));
}

TEST(PictureOrientation, ModesAndTheAutomaticChoiceByProportion) {
    const struct {
        int mode, width, height;
        std::optional<report::TPrinterOrientation> expected;
    } cases[] = {
        {0, 2400, 1000, report::poPortrait},  {1, 1000, 2400, report::poLandscape},
        {2, 2400, 1000, report::poLandscape}, {2, 500, 500, report::poLandscape},
        {2, 500, 501, report::poPortrait},    {2, 0, 30, report::poPortrait},
        {3, 2400, 1000, std::nullopt},        {-1, 2400, 1000, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureOrientation(c.mode, c.width, c.height), c.expected)
            << c.mode << " " << c.width << "x" << c.height;
    }
}

TEST(FitPicture, KeepsTheProportionsAndCentresInThePrintableArea) {
    const PrintableArea portrait{718, 37, 1028, 37};
    const PrintableArea landscape{1047, 37, 699, 37};
    const struct {
        PrintableArea area;
        int width, height;
        bool center;
        PixelBounds expected;
    } cases[] = {
        {portrait, 2400, 1000, true, {37, 401, 718, 299}},
        {landscape, 2400, 1000, true, {37, 168, 1047, 436}},
        {portrait, 1000, 2400, true, {182, 37, 428, 1028}},
        {portrait, 2400, 1000, false, {37, 37, 718, 299}},
        {landscape, 1000, 2400, false, {37, 37, 291, 699}},
        // A small picture is enlarged to fill the area.
        {portrait, 24, 10, true, {37, 401, 718, 299}},
        // A picture without columns: as high as the area and without width.
        {portrait, 0, 40, true, {37 + 359, 37, 0, 1028}},
        {portrait, 0, 0, true, {37, 37, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitPicture(c.area, c.width, c.height, c.center), c.expected)
            << c.width << "x" << c.height << " in " << c.area.Width << "x" << c.area.Height;
    }
}

TEST(FitPicture, APictureOfTheAreasOwnProportionsTakesTheHeightBranch) {
    const PrintableArea area{718, 37, 1028, 37};
    EXPECT_EQ(FitPicture(area, 718, 1028, false).Height, 1028);
    EXPECT_EQ(FitPicture(area, 7180, 10280, false).Height, 1028);
}

}  // namespace
}  // namespace ostrelin::print
