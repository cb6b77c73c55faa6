#include <gtest/gtest.h>

#include <optional>

#include "platform/Error.h"
#include "platform/printing/fake/FakePrintingSystem.h"
#include "report/Rounding.h"
#include "report/TQRReport.h"
#include "report/TestBlock.h"

namespace ostrelin::report {
namespace {

namespace pp = platform::printing;
namespace pc = platform::canvas;
using testing::TestBlock;

// At 254 dots per inch a device pixel is a tenth of a millimetre, so device rectangles read
// directly as positions on the sheet.
pp::fake::FakePrinterSetup Printer254(std::string name = "Alpha") {
    pp::fake::FakePrinterSetup setup;
    setup.Name = std::move(name);
    setup.Dpi = {254, 254};
    return setup;
}

constexpr pc::Color kHeader = 0x10;
constexpr pc::Color kDetail = 0x20;
constexpr pc::Color kFooter = 0x30;
constexpr pc::Color kSummary = 0x40;
constexpr pc::Color kTitle = 0x50;
constexpr pc::Color kElement = 0x60;
constexpr pc::Color kOnReport = 0x70;

class ReportRun : public ::testing::Test {
  protected:
    ReportRun() : system({Printer254()}, "Alpha"), report(system) {
        report.SetShowProgress(false);
        report.SetPrintIfEmpty(true);
    }

    TQRBand& AddBand(TQRBandType type, pc::Color color, double height) {
        bands.push_back(std::make_unique<TQRBand>(&report, type));
        TQRBand& band = *bands.back();
        band.SetColor(color);
        band.SetNativeHeight(height);
        return band;
    }

    const pp::fake::FakeDocument& Document() const {
        EXPECT_EQ(system.Log().Documents.size(), 1u);
        return *system.Log().Documents.at(0);
    }
    int Pages() const { return static_cast<int>(Document().Pages.size()); }

    // The fills of one colour on page `page` (from 1), in drawing order.
    std::vector<pc::Rect> Fills(int page, pc::Color color) const {
        std::vector<pc::Rect> rects;
        for (const auto& command :
             Document().Pages.at(static_cast<std::size_t>(page - 1))->Commands()) {
            if (const auto* fill = std::get_if<pc::FillRectCommand>(&command)) {
                if (fill->Fill == color) {
                    rects.push_back(fill->Area);
                }
            }
        }
        return rects;
    }

    pp::fake::FakePrintingSystem system;
    TQRReport report;
    std::vector<std::unique_ptr<TQRBand>> bands;
};

TEST_F(ReportRun, BandsAreLaidOutInScreenPixelsAcrossThePageOrAColumn) {
    TQRBand& title = AddBand(rbTitle, kTitle, 100);
    TQRBand& detail = AddBand(rbDetail, kDetail, 200);
    EXPECT_EQ(report.Bounds().Width, 794);
    EXPECT_EQ(title.Bounds(), (PixelBounds{38, 38, 718, 38}));
    EXPECT_EQ(detail.Bounds().Top, 38 + 38);
    EXPECT_NEAR(detail.NativeWidth(), 718 * 254 / 96.0, 1e-9);

    report.Page().SetUnits(TQRUnit::Native);
    report.Page().SetColumnSpace(100);  // 38 pixels
    report.Page().SetColumns(2);
    EXPECT_EQ(detail.Bounds().Width, (718 - 38) / 2);
    EXPECT_EQ(title.Bounds().Width, 718);

    // Code can change a band's height; its place and width belong to the layout.
    detail.SetBounds({5, 500, 10, 76});
    EXPECT_EQ(detail.Bounds(), (PixelBounds{38, 76, 340, 76}));
    EXPECT_NEAR(detail.NativeHeight(), 76 * 254 / 96.0, 1e-9);
}

TEST_F(ReportRun, AReportWithoutDataPrintsOnePageWithOnlyItsOwnElements) {
    report.SetPrintIfEmpty(false);
    TQRBand& detail = AddBand(rbDetail, kDetail, 300);
    TestBlock onBand(&detail, kElement, 0, 0, 100, 100);
    TestBlock onReport(&report, kOnReport, 500, 600, 200, 100);
    report.PrintReport();
    ASSERT_EQ(Pages(), 1);
    EXPECT_TRUE(Fills(1, kDetail).empty());
    EXPECT_EQ(onBand.Prints, 0);
    EXPECT_EQ(Fills(1, kOnReport), (std::vector<pc::Rect>{{500, 600, 700, 700}}));
    EXPECT_TRUE(Document().Ended);
}

TEST_F(ReportRun, TheDetailBandPrintsOnceBelowTheTopMarginAndCarriesItsElements) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 300);
    TestBlock block(&detail, kElement, 20, 30, 100, 50);
    report.PrintReport();
    ASSERT_EQ(Pages(), 1);
    const int right = Round(100 + detail.NativeWidth());
    EXPECT_EQ(Fills(1, kDetail), (std::vector<pc::Rect>{{100, 100, right, 399}}));
    EXPECT_EQ(Fills(1, kElement), (std::vector<pc::Rect>{{120, 130, 220, 180}}));
}

TEST_F(ReportRun, HeaderAndFooterFollowTheOptionsOnFirstAndLastPage) {
    const struct {
        TQROptions options;
        bool headerOnFirst, footerOnLast;
    } cases[] = {
        {{TQROption::FirstPageHeader, TQROption::LastPageFooter}, true, true},
        {{TQROption::LastPageFooter}, false, true},
        {{TQROption::FirstPageHeader}, true, false},
        {{}, false, false},
    };
    for (const auto& c : cases) {
        system.Log().Documents.clear();
        bands.clear();
        report.SetOptions(c.options);
        AddBand(rbPageHeader, kHeader, 100);
        AddBand(rbPageFooter, kFooter, 150);
        TQRBand& detail = AddBand(rbDetail, kDetail, 2000);
        TestBlock grower(&detail, kElement, 0, 0, 10, 10);
        grower.GrowSteps = 30;  // 1500 more: the band runs onto page 2
        report.PrintReport();
        ASSERT_EQ(Pages(), 2);
        EXPECT_EQ(Fills(1, kHeader).size(), c.headerOnFirst ? 1u : 0u);
        EXPECT_EQ(Fills(2, kHeader).size(), 1u);
        EXPECT_EQ(Fills(1, kFooter).size(), 1u);
        EXPECT_EQ(Fills(2, kFooter).size(), c.footerOnLast ? 1u : 0u);
        // The footer sits on the bottom margin: 2970 − 100 − 150.
        EXPECT_EQ(Fills(1, kFooter).at(0).Top, 2720);
    }
}

TEST_F(ReportRun, ForcedNewPagesStartFromTheSecondForcedBandOnPageOne) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 200);
    detail.SetForceNewPage(true);
    int details = 3;
    report.OnNeedData = [&](TQRReport&, bool& more) { more = details-- > 0; };
    report.PrintReport();
    ASSERT_EQ(Pages(), 3);
    for (int page = 1; page <= 3; ++page) {
        EXPECT_EQ(Fills(page, kDetail).size(), 1u) << page;
        EXPECT_EQ(Fills(page, kDetail).at(0).Top, 100) << page;
    }
}

TEST_F(ReportRun, OnLaterPagesAForcedBandStartsANewPageEvenAtTheTop) {
    TQRBand& title = AddBand(rbTitle, kTitle, 2800);  // fills page 1
    (void)title;
    TQRBand& detail = AddBand(rbDetail, kDetail, 200);
    detail.SetForceNewPage(true);
    report.PrintReport();
    // The detail does not fit below the title and moves to page 2; being forced there, it moves
    // on once more to page 3.
    ASSERT_EQ(Pages(), 3);
    EXPECT_TRUE(Fills(2, kDetail).empty());
    EXPECT_EQ(Fills(3, kDetail).size(), 1u);
}

TEST_F(ReportRun, ABandGrowsAcrossPagesAndTheRunContinuesBelowItsLastPart) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 2500);
    TQRBand& summary = AddBand(rbSummary, kSummary, 100);
    TestBlock grower(&detail, kElement, 0, 0, 10, 10);
    grower.GrowSteps = 12;
    std::optional<double> heightAfterPrint;
    summary.BeforePrint = [&](TQRCustomBand&, bool&) { heightAfterPrint = detail.NativeHeight(); };
    report.PrintReport();

    // Page 1 leaves 2970 − 100 − 100 = 2770 for the band: five steps fit (2750), the sixth
    // (2800) moves it to page 2, where it starts again at 50 and takes the last six steps.
    ASSERT_EQ(Pages(), 2);
    EXPECT_EQ(grower.Moves, 1);
    const int right = Round(100 + detail.NativeWidth());
    const auto page1 = Fills(1, kDetail);
    ASSERT_EQ(page1.size(), 6u);
    EXPECT_EQ(page1[0], (pc::Rect{100, 100, right, 2599}));
    EXPECT_EQ(page1[5], (pc::Rect{100, 2800, right, 2850}));
    const auto page2 = Fills(2, kDetail);
    ASSERT_EQ(page2.size(), 7u);
    EXPECT_EQ(page2[0], (pc::Rect{100, 100, right, 150}));
    EXPECT_EQ(page2[6], (pc::Rect{100, 400, right, 450}));
    // The run goes on below the height the band reached on its last page.
    EXPECT_EQ(Fills(2, kSummary), (std::vector<pc::Rect>{{100, 450, right, 549}}));
    EXPECT_EQ(heightAfterPrint, 2500.0);
    EXPECT_DOUBLE_EQ(detail.NativeHeight(), 2500);  // back to its height before printing
}

TEST_F(ReportRun, ElementsOnTheReportPrintOnEveryPageAfterTheBandsEvenWhenDisabled) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 2500);
    TestBlock grower(&detail, kElement, 0, 0, 10, 10);
    grower.GrowSteps = 80;  // three pages
    TestBlock onReport(&report, kOnReport, 0, 0, 50, 50);
    onReport.SetEnabled(false);
    report.PrintReport();
    ASSERT_EQ(Pages(), 3);
    for (int page = 1; page <= 3; ++page) {
        const auto& commands = Document().Pages.at(static_cast<std::size_t>(page - 1))->Commands();
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(std::get<pc::FillRectCommand>(commands.back()).Fill, kOnReport) << page;
    }
    EXPECT_EQ(onReport.Prints, 3);
}

TEST_F(ReportRun, TwoColumnsFillTheSecondColumnFromTheColumnTop) {
    report.Page().SetUnits(TQRUnit::Native);
    report.Page().SetColumnSpace(100);
    report.Page().SetColumns(2);
    AddBand(rbTitle, kTitle, 300);
    TQRBand& detail = AddBand(rbDetail, kDetail, 1000);
    int details = 4;
    report.OnNeedData = [&](TQRReport&, bool& more) { more = details-- > 0; };
    report.PrintReport();

    const double width = detail.NativeWidth();
    const int secondColumn = 100 + Round(width + 100);
    // Page 1: the title, then two details in column 1 (100+300 → 1400 → 2400; a third would end
    // at 3400), so the third starts column 2 at the column top 400, and the fourth below it.
    ASSERT_EQ(Pages(), 1);
    const auto fills = Fills(1, kDetail);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[0], (pc::Rect{100, 400, Round(100 + width), 1399}));
    EXPECT_EQ(fills[1].Top, 1400);
    EXPECT_EQ(fills[2], (pc::Rect{secondColumn, 400, Round(secondColumn + width), 1399}));
    EXPECT_EQ(fills[3].Top, 1400);
    EXPECT_EQ(fills[3].Left, fills[2].Left);
}

TEST_F(ReportRun, AvailableSpaceOutsideARunIsZeroSoNoBandCanGrow) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 100);
    EXPECT_EQ(report.AvailableSpace(), 0);
    EXPECT_FALSE(detail.CanGrow(1));
    std::optional<int> during;
    detail.BeforePrint = [&](TQRCustomBand&, bool&) { during = report.AvailableSpace(); };
    report.PrintReport();
    EXPECT_EQ(during, 2970 - 100 - 100);
    EXPECT_EQ(report.AvailableSpace(), 0);
}

TEST_F(ReportRun, ADisabledBandPrintsNothingButTellsAfterPrintAndItsChildStillPrints) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 300);
    TQRBand& child = AddBand(rbChild, kSummary, 200);
    detail.SetChildBand(&child);
    detail.SetEnabled(false);
    bool beforeCalled = false;
    std::optional<bool> printed;
    detail.BeforePrint = [&](TQRCustomBand&, bool&) { beforeCalled = true; };
    detail.AfterPrint = [&](TQRCustomBand&, bool didPrint) { printed = didPrint; };
    report.PrintReport();
    EXPECT_FALSE(beforeCalled);
    EXPECT_EQ(printed, false);
    EXPECT_TRUE(Fills(1, kDetail).empty());
    ASSERT_EQ(Fills(1, kSummary).size(), 1u);
    EXPECT_EQ(Fills(1, kSummary)[0].Top, 100);  // CurrentY did not move for the disabled band
    EXPECT_EQ(child.BandType(), rbChild);
}

TEST_F(ReportRun, AVetoedBandAndAnAlignedBand) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 300);
    detail.BeforePrint = [](TQRCustomBand&, bool& print) { print = false; };
    TQRBand& summary = AddBand(rbSummary, kSummary, 200);
    summary.SetAlignToBottom(true);
    report.PrintReport();
    EXPECT_TRUE(Fills(1, kDetail).empty());
    EXPECT_EQ(Fills(1, kSummary).at(0).Top, 2970 - 100 - 200);
}

TEST_F(ReportRun, AnErrorInsideTheRunEndsTheDocumentReachesTheCallerAndLeavesTheReportUsable) {
    TQRBand& detail = AddBand(rbDetail, kDetail, 300);
    TestBlock block(&detail, kElement, 0, 0, 10, 10);
    block.OnPrint = [] { throw Error("element failed"); };
    report.SetUnits(TQRUnit::Inches);
    try {
        report.PrintReport();
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "element failed");
    }
    EXPECT_TRUE(report.Available());
    EXPECT_EQ(report.QRPrinter(), nullptr);
    EXPECT_EQ(report.Units(), TQRUnit::Inches);
    EXPECT_FALSE(block.IsPrinting());
    ASSERT_EQ(system.Log().Documents.size(), 1u);
    EXPECT_TRUE(system.Log().Documents[0]->Ended);

    block.OnPrint = nullptr;
    report.PrintReport();
    EXPECT_EQ(system.Log().Documents.size(), 2u);
}

TEST_F(ReportRun, AnErrorBeforeAnyPageKeepsItsOwnText) {
    report.PrinterSettings().SetPrinterIndex(5);
    AddBand(rbDetail, kDetail, 300);
    try {
        report.PrintReport();
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Printer index out of range");
    }
    EXPECT_TRUE(report.Available());
}

TEST_F(ReportRun, AVetoedRunProducesNoDocumentAndASecondRunDuringARunDoesNothing) {
    report.BeforePrint = [](TQRReport&, bool& print) { print = false; };
    report.PrintReport();
    EXPECT_TRUE(system.Log().Documents.empty());
    EXPECT_TRUE(report.Available());

    report.BeforePrint = nullptr;
    TQRBand& detail = AddBand(rbDetail, kDetail, 300);
    TestBlock block(&detail, kElement, 0, 0, 10, 10);
    block.OnPrint = [&] { report.PrintReport(); };
    report.PrintReport();
    EXPECT_EQ(system.Log().Documents.size(), 1u);
    EXPECT_EQ(block.Prints, 1);
}

TEST_F(ReportRun, EventsAndThePrintersSettingsFollowTheReport) {
    report.Page().SetOrientation(poLandscape);
    report.PrinterSettings().SetCopies(2);
    report.SetReportTitle("Tarvok Ostrelin - tisk dokumnentu");
    std::vector<std::string> events;
    report.OnStartPage = [&](TQRReport& r) {
        events.push_back("start " + std::to_string(r.PageNumber()));
    };
    report.OnEndPage = [&](TQRReport& r) {
        events.push_back("end " + std::to_string(r.PageNumber()));
    };
    report.AfterPrint = [&](TQRReport&) { events.push_back("after"); };
    report.PrintReport();
    EXPECT_EQ(events, (std::vector<std::string>{"start 1", "end 1", "after"}));
    EXPECT_EQ(Document().Name, "Tarvok Ostrelin - tisk dokumnen");
    EXPECT_EQ(Document().ModeAtCreateDC.Orientation, pp::kOrientationLandscape);
    EXPECT_EQ(Document().ModeAtCreateDC.Copies, 2);
    EXPECT_EQ(Document().Pages.at(0)->Width(), 2970);
}

TEST(ReportSetup, ANewReportTakesItsPaperFromTheDefaultPrinter) {
    pp::fake::FakePrinterSetup letter = Printer254("Letter");
    letter.Defaults.PaperSize = 1;
    pp::fake::FakePrintingSystem system({Printer254("A4"), letter}, "Letter");
    TQRReport report(system);
    EXPECT_EQ(report.Page().PaperSize(), TQRPaperSize::Letter);
    EXPECT_EQ(report.Options(),
              (TQROptions{TQROption::FirstPageHeader, TQROption::LastPageFooter}));
    EXPECT_TRUE(report.ShowProgress());
    EXPECT_FALSE(report.PrintIfEmpty());
    EXPECT_EQ(report.PrinterSettings().PrinterIndex(), -1);
}

TEST(ReportSetup, WithoutInstalledPrintersPrintReportDoesNothing) {
    pp::fake::FakePrintingSystem system({}, "");
    TQRReport report(system);
    TQRBand detail(&report, rbDetail);
    report.SetPrintIfEmpty(true);
    report.PrintReport();
    EXPECT_TRUE(system.Log().Documents.empty());
    EXPECT_TRUE(report.Available());
}

}  // namespace
}  // namespace ostrelin::report
