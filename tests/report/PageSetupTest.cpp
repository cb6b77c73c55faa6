#include <gtest/gtest.h>

#include "report/TQRPage.h"

namespace ostrelin::report {
namespace {

struct RecordingPageOwner : TQRPageOwner {
    int resizes = 0;
    int arranges = 0;
    void ResizeSurface() override { ++resizes; }
    void ArrangeBands() override { ++arranges; }
};

class PageSetup : public ::testing::Test {
  protected:
    PageSetup() : page(&owner, DisplayMetrics{}) {
        page.SetUnits(TQRUnit::Native);
        owner = {};
    }
    RecordingPageOwner owner;
    TQRPage page;
};

TEST_F(PageSetup, ANewPageIsA4PortraitWithTenMillimetreMarginsAndOneColumn) {
    EXPECT_EQ(page.PaperSize(), TQRPaperSize::A4);
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_EQ(page.Width(), 2100);
    EXPECT_EQ(page.Length(), 2970);
    for (const double margin :
         {page.TopMargin(), page.BottomMargin(), page.LeftMargin(), page.RightMargin()}) {
        EXPECT_EQ(margin, 100);
    }
    EXPECT_EQ(page.Columns(), 1);
    EXPECT_TRUE(page.Ruler());
}

TEST(PageSetupUs, ANewPageIsLetterWithHalfInchMarginsReadInInches) {
    TQRPage page(nullptr, DisplayMetrics{96, true});
    EXPECT_EQ(page.PaperSize(), TQRPaperSize::Letter);
    EXPECT_EQ(page.Units(), TQRUnit::Inches);
    EXPECT_DOUBLE_EQ(page.TopMargin(), 0.5);
    EXPECT_NEAR(page.Width(), 8.5, 1e-12);
    EXPECT_NEAR(page.Length(), 11.0, 1e-12);
}

TEST_F(PageSetup, SheetSizeWritesTakeEffectOnlyForCustomPaper) {
    page.SetWidth(1000);
    EXPECT_EQ(page.Width(), 2100);
    EXPECT_EQ(owner.resizes + owner.arranges, 0);

    page.SetPaperSize(TQRPaperSize::Custom);
    EXPECT_EQ(page.Width(), 2100);  // Custom keeps the last size until one is written
    page.SetWidth(1000);
    page.SetLength(1500);
    EXPECT_EQ(page.Width(), 1000);
    EXPECT_EQ(page.Length(), 1500);
    EXPECT_EQ(owner.resizes, 2);
}

TEST_F(PageSetup, MarginWritesRearrangeAndOnlyTheBottomMarginResizes) {
    page.SetTopMargin(50);
    page.SetLeftMargin(50);
    page.SetColumnSpace(20);
    EXPECT_EQ(owner.arranges, 3);
    EXPECT_EQ(owner.resizes, 0);
    page.SetBottomMargin(50);
    EXPECT_EQ(owner.arranges, 4);
    EXPECT_EQ(owner.resizes, 1);
}

TEST_F(PageSetup, LandscapeSwapsTheTableSizeAndKeepsTheMargins) {
    page.SetTopMargin(150);
    page.SetOrientation(poLandscape);
    EXPECT_EQ(page.PaperSize(), TQRPaperSize::A4);
    EXPECT_EQ(page.Width(), 2970);
    EXPECT_EQ(page.Length(), 2100);
    EXPECT_EQ(page.TopMargin(), 150);
    EXPECT_EQ(page.Units(), TQRUnit::Native);

    page.SetPaperSize(TQRPaperSize::A5);
    EXPECT_EQ(page.Width(), 2100);
    EXPECT_EQ(page.Length(), 1480);
}

TEST_F(PageSetup, DefaultPaperChangesNothingButThePaperSize) {
    page.SetPaperSize(TQRPaperSize::Default);
    EXPECT_EQ(page.PaperSize(), TQRPaperSize::Default);
    EXPECT_EQ(page.Width(), 2100);
    EXPECT_EQ(owner.arranges, 0);
}

TEST_F(PageSetup, ColumnsIgnoreValuesBelowOneAndTheCurrentValue) {
    for (const int ignored : {0, -1, 1}) {
        page.SetColumns(ignored);
    }
    EXPECT_EQ(page.Columns(), 1);
    EXPECT_EQ(owner.arranges, 0);
    page.SetColumns(2);
    EXPECT_EQ(page.Columns(), 2);
    EXPECT_EQ(owner.arranges, 1);
}

TEST(PageSurface, A4SurfaceInScreenPixels) {
    const struct {
        int dpi;
        TPrinterOrientation orientation;
        int width, height;
    } cases[] = {
        {96, poPortrait, 794, 1123}, {96, poLandscape, 1123, 794}, {120, poPortrait, 992, 1403}};
    for (const auto& c : cases) {
        TQRPage page(nullptr, DisplayMetrics{c.dpi, false});
        page.SetOrientation(c.orientation);
        EXPECT_EQ(page.SurfaceWidth(), c.width) << c.dpi;
        EXPECT_EQ(page.SurfaceHeight(), c.height) << c.dpi;
    }
}

}  // namespace
}  // namespace ostrelin::report
