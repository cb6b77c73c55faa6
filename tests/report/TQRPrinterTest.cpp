#include <gtest/gtest.h>

#include "platform/printing/fake/FakePrintingSystem.h"
#include "report/EQRError.h"
#include "report/TQRPrinter.h"

namespace ostrelin::report {
namespace {

namespace pp = platform::printing;
using platform::canvas::FillRectCommand;
using pp::fake::FakePrinterSetup;
using pp::fake::FakePrintingSystem;

FakePrinterSetup FakePrinter(std::string name) {
    FakePrinterSetup setup;
    setup.Name = std::move(name);
    return setup;
}

// Prints `pages` pages, each marked by a fill whose colour is its page number.
void PrintPages(TQRPrinter& printer, int pages) {
    printer.SetDestination(TQRDestination::Printer);
    printer.BeginDoc();
    for (int page = 1; page <= pages; ++page) {
        printer.NewPage();
        ASSERT_NE(printer.Canvas(), nullptr);
        printer.Canvas()->FillRect({0, 0, 10, 10}, static_cast<platform::canvas::Color>(page));
    }
    printer.EndDoc();
}

// The page numbers (fill colours) found on the pages of a fake document.
std::vector<int> PageMarks(const pp::fake::FakeDocument& document) {
    std::vector<int> marks;
    for (const auto& page : document.Pages) {
        for (const auto& command : page->Commands()) {
            marks.push_back(static_cast<int>(std::get<FillRectCommand>(command).Fill));
        }
    }
    return marks;
}

TEST(QRPrinter, MinusOneSelectsTheDefaultPrinterAndZeroTheFirstInstalled) {
    const struct {
        int index;
        const char* expected;
    } cases[] = {{-1, "Beta"}, {0, "Alpha"}, {2, "Gamma"}};
    for (const auto& c : cases) {
        FakePrintingSystem system({FakePrinter("Alpha"), FakePrinter("Beta"), FakePrinter("Gamma")},
                                  "Beta");
        TQRPrinter printer(system);
        printer.SetPrinterIndex(c.index);
        PrintPages(printer, 1);
        ASSERT_EQ(system.Log().Documents.size(), 1u);
        EXPECT_EQ(system.Log().Documents[0]->Printer, c.expected) << c.index;
    }
}

TEST(QRPrinter, SelectionErrorsPassThroughUnchanged) {
    const struct {
        std::string defaultPrinter;
        int index;
        const char* message;
    } cases[] = {{"Alpha", 1, "Printer index out of range"},
                 {"Alpha", -2, "Printer index out of range"},
                 {"", -1, "There is no default printer currently selected"},
                 {"Removed", -1, "There is no default printer currently selected"}};
    for (const auto& c : cases) {
        FakePrintingSystem system({FakePrinter("Alpha")}, c.defaultPrinter);
        // Without a usable default the printer object starts on the installed printer, so a
        // job for a named printer does not depend on the default.
        TQRPrinter printer(system);
        printer.SetPrinterIndex(0);
        try {
            printer.SetPrinterIndex(c.index);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const Error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(QRPrinter, CopiesGoToTheDriverInOnePassOnlyWhenItDeclaresThem) {
    for (const bool declared : {true, false}) {
        FakePrinterSetup setup = FakePrinter("Alpha");
        if (!declared) {
            setup.Defaults.Fields &= ~pp::kFieldCopies;
        }
        FakePrintingSystem system({setup}, "Alpha");
        TQRPrinter printer(system);
        printer.SetPrinterIndex(-1);
        printer.SetCopies(3);
        PrintPages(printer, 2);
        ASSERT_EQ(system.Log().Documents.size(), 1u);
        const auto& document = *system.Log().Documents[0];
        EXPECT_EQ(document.Pages.size(), 2u);
        EXPECT_EQ(document.ModeAtCreateDC.Copies, declared ? 3 : 1);
        EXPECT_EQ(printer.Settings().Copies(), declared ? 3 : 1);
    }
}

TEST(QRPrinter, APageRangeSendsOnlyItsPagesInOneJobAndEndsTheLastWithTheDocument) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    TQRPrinter printer(system);
    printer.SetFirstPage(2);
    printer.SetLastPage(3);
    system.Log().Calls.clear();
    PrintPages(printer, 5);

    ASSERT_EQ(system.Log().Documents.size(), 1u);
    EXPECT_EQ(PageMarks(*system.Log().Documents[0]), (std::vector<int>{2, 3}));
    // The device hands back control while it sends the document, too.
    const std::vector<std::string> expected{
        "CreateDC Alpha", "StartDoc ", "StartPage", "ResetDC",      "EndPage",
        "BetweenPages",   "StartPage", "EndPage",   "BetweenPages", "EndDoc"};
    std::vector<std::string> calls = system.Log().Calls;
    std::erase(calls, "OpenDriver Alpha");
    EXPECT_EQ(calls, expected);
}

TEST(QRPrinter, WithoutAPageRangeEveryPageIsSent) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    TQRPrinter printer(system);
    PrintPages(printer, 4);
    EXPECT_EQ(PageMarks(*system.Log().Documents[0]), (std::vector<int>{1, 2, 3, 4}));
}

TEST(QRPrinter, NoPageInRangeLeavesTheDocumentUnstartedAndEndingItFails) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    TQRPrinter printer(system);
    printer.SetFirstPage(3);
    printer.SetDestination(TQRDestination::Printer);
    printer.BeginDoc();
    printer.NewPage();
    printer.NewPage();
    EXPECT_TRUE(system.Log().Documents.empty());
    try {
        printer.EndDoc();
        ADD_FAILURE() << "EndDoc succeeded";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Printer is not currently printing");
    }
}

TEST(QRPrinter, APaperTheDriverDoesNotListKeepsTheDriversPaperAndItsSize) {
    FakePrinterSetup setup = FakePrinter("Letter only");
    setup.Papers = {1};
    setup.Defaults.PaperSize = 1;
    FakePrintingSystem system({setup}, "Letter only");
    TQRPrinter printer(system);
    printer.SetPaperSize(TQRPaperSize::A4);
    EXPECT_EQ(printer.PaperSize(), TQRPaperSize::Letter);
    EXPECT_EQ(printer.PaperWidth(), 2159);
    EXPECT_EQ(printer.PaperLength(), 2794);
    PrintPages(printer, 1);
    EXPECT_EQ(system.Log().Documents[0]->ModeAtCreateDC.PaperSize, 1);
}

TEST(QRPrinter, LandscapeSwapsTheSheetAlsoForDefaultPaperAndSendsOrientationTwo) {
    for (const bool paperDeclared : {true, false}) {
        FakePrinterSetup setup = FakePrinter("Alpha");
        if (!paperDeclared) {
            // The paper reads as Default, measured from the driver's sheet (A4 here).
            setup.Defaults.Fields &= ~pp::kFieldPaperSize;
            setup.Papers.clear();
        }
        FakePrintingSystem system({setup}, "Alpha");
        TQRPrinter printer(system);
        printer.SetPaperSize(TQRPaperSize::A4);
        EXPECT_EQ(printer.PaperSize(), paperDeclared ? TQRPaperSize::A4 : TQRPaperSize::Default);
        printer.SetOrientation(poLandscape);
        EXPECT_EQ(printer.PaperWidth(), 2970);
        EXPECT_EQ(printer.PaperLength(), 2100);

        printer.SetLastPage(1);
        PrintPages(printer, 2);  // page 2 lands in a metafile of the rotated sheet
        EXPECT_EQ(system.Log().Documents[0]->ModeAtCreateDC.Orientation, pp::kOrientationLandscape);
    }
}

TEST(QRPrinter, PagesOutsideTheRangeAreDrawnIntoASheetSizedMetafile) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    TQRPrinter printer(system);
    printer.SetOrientation(poLandscape);
    printer.SetFirstPage(2);
    printer.SetDestination(TQRDestination::Printer);
    printer.BeginDoc();
    printer.NewPage();
    const auto* metafile = dynamic_cast<platform::canvas::RecordingCanvas*>(printer.Canvas());
    ASSERT_NE(metafile, nullptr);
    EXPECT_EQ(metafile->Width(), printer.XSize(2970));
    EXPECT_EQ(metafile->Height(), printer.YSize(2100));
    EXPECT_EQ(metafile->LogPixelsX(), 600);
    printer.NewPage();
    printer.EndDoc();
}

TEST(QRPrinter, TheJobIsNamedByTheFirst31CharactersOfTheTitle) {
    const struct {
        std::string title, expected;
    } cases[] = {
        {"0123456789012345678901234567890123456789", "0123456789012345678901234567890"},
        {"Tarvok Ostrelin - tisk nářezového plánu", "Tarvok Ostrelin - tisk nářezové"},
        {"Krátký", "Krátký"},
    };
    for (const auto& c : cases) {
        FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
        TQRPrinter printer(system);
        printer.SetTitle(c.title);
        PrintPages(printer, 1);
        EXPECT_EQ(system.Log().Documents[0]->Name, c.expected);
    }
}

TEST(QRPrinter, TwoPrinterObjectsDoNotShareSettings) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    {
        TQRPrinter first(system);
        first.SetPrinterIndex(-1);
        first.SetCopies(4);
        first.SetOrientation(poLandscape);
        first.SetOutputBin(TQRBin::Manual);
        PrintPages(first, 1);
    }
    TQRPrinter second(system);
    second.SetPrinterIndex(-1);
    EXPECT_EQ(second.Settings().Copies(), 1);
    EXPECT_EQ(second.Settings().OutputBin(), TQRBin::First);
    PrintPages(second, 1);
    const auto& documents = system.Log().Documents;
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0]->ModeAtCreateDC.Copies, 4);
    EXPECT_EQ(documents[1]->ModeAtCreateDC.Copies, 1);
    EXPECT_EQ(documents[1]->ModeAtCreateDC.Orientation, pp::kOrientationPortrait);
    EXPECT_EQ(documents[1]->ModeAtCreateDC.DefaultSource, 1);
    // Each selection asked the driver for its own settings again.
    EXPECT_EQ(system.CallsStartingWith("DefaultDeviceMode").size(), 4u);
}

TEST(QRPrinter, DuplexFollowsTheDriversDefaultAndTheBinIsSentTwice) {
    FakePrinterSetup setup = FakePrinter("Alpha");
    setup.Defaults.Duplex = pp::kDuplexVertical;
    setup.Defaults.DefaultSource = 256 + 14;
    FakePrintingSystem system({setup}, "Alpha");
    TQRPrinter printer(system);
    EXPECT_TRUE(printer.Settings().Duplex());
    EXPECT_EQ(printer.Settings().OutputBin(), TQRBin::First);  // 270 is no bin code
    printer.SetOutputBin(TQRBin::Manual);
    PrintPages(printer, 1);
    const auto& document = *system.Log().Documents[0];
    EXPECT_EQ(document.ModeAtCreateDC.Duplex, pp::kDuplexHorizontal);
    EXPECT_EQ(document.ModeAtCreateDC.DefaultSource, 256 + 4);
    ASSERT_EQ(document.Resets.size(), 1u);
    EXPECT_EQ(document.Resets[0].DefaultSource, 4);
}

TEST(QRPrinter, OffsetsAndFactorsTurnTenthsIntoDevicePixels) {
    FakePrinterSetup setup = FakePrinter("Alpha");
    setup.PrintingOffset = platform::canvas::Point{50, 100};
    FakePrintingSystem system({setup}, "Alpha");
    TQRPrinter printer(system);
    printer.SetDestination(TQRDestination::Printer);
    printer.BeginDoc();
    EXPECT_EQ(printer.LeftOffset(), 21);  // 50 px at 600 dpi = 21.17 tenths
    EXPECT_EQ(printer.TopOffset(), 42);
    EXPECT_DOUBLE_EQ(printer.XFactor(), 600 / 254.0);
    EXPECT_EQ(printer.XPos(100), 187);  // (100 − 21) × 600 / 254 = 186.6
    EXPECT_EQ(printer.YPos(42), 0);
    EXPECT_EQ(printer.XSize(254), 600);
    printer.NewPage();
    printer.EndDoc();
}

// A device whose origin is the corner of its printable area, 300 dpi across and 600 dpi down:
// a position on the sheet, converted by the printer object and drawn from that origin, lands
// on the sheet where it belongs, each direction at its own resolution, within a device pixel
// and the offset's rounding to a tenth of a millimetre.
TEST(QRPrinter, PositionsLandOnTheSheetOfADeviceWithItsOwnOriginAndResolutions) {
    FakePrinterSetup setup = FakePrinter("Alpha");
    setup.Dpi = {300, 600};
    setup.PrintingOffset = platform::canvas::Point{59, 177};  // 5 mm left, 7.5 mm top
    FakePrintingSystem system({setup}, "Alpha");
    TQRPrinter printer(system);
    printer.SetDestination(TQRDestination::Printer);
    printer.BeginDoc();
    EXPECT_EQ(printer.LeftOffset(), 50);  // 59 px at 300 dpi = 49.95 tenths
    EXPECT_EQ(printer.TopOffset(), 75);   // 177 px at 600 dpi = 74.93 tenths
    EXPECT_DOUBLE_EQ(printer.XFactor(), 300 / 254.0);
    EXPECT_DOUBLE_EQ(printer.YFactor(), 600 / 254.0);
    printer.NewPage();
    EXPECT_EQ(printer.Canvas()->LogPixelsX(), 300);
    EXPECT_EQ(printer.Canvas()->LogPixelsY(), 600);
    for (const double tenths : {100.0, 254.0, 1000.0, 2100.0}) {
        const double sheetX = tenths * 300 / 254, sheetY = tenths * 600 / 254;
        EXPECT_NEAR(printer.XPos(tenths) + setup.PrintingOffset->X, sheetX, 1.1) << tenths;
        EXPECT_NEAR(printer.YPos(tenths) + setup.PrintingOffset->Y, sheetY, 1.1) << tenths;
        EXPECT_NEAR(printer.XSize(tenths), sheetX, 0.5) << tenths;
        EXPECT_NEAR(printer.YSize(tenths), sheetY, 0.5) << tenths;
    }
    printer.EndDoc();
}

TEST(QRPrinter, UnknownOffsetsAndSheetReadAsZero) {
    FakePrinterSetup setup = FakePrinter("Alpha");
    setup.AnswersPhysicalPageSize = false;
    setup.Defaults.Fields &= ~pp::kFieldPaperSize;
    FakePrintingSystem system({setup}, "Alpha");
    TQRPrinter printer(system);
    EXPECT_EQ(printer.LeftOffset(), 0);
    EXPECT_EQ(printer.PaperSize(), TQRPaperSize::Default);
    EXPECT_EQ(printer.PaperWidth(), 0);
    EXPECT_EQ(printer.PaperLength(), 0);
}

TEST(QRPrinter, ACustomSheetIsWrittenIntoTheSettingsWhenTheDriverListsIt) {
    FakePrinterSetup setup = FakePrinter("Roll");
    setup.Papers = {9, 256};
    FakePrintingSystem system({setup}, "Roll");
    TQRPrinter printer(system);
    printer.SetPaperWidth(1000);  // ignored: the paper is not custom yet
    printer.SetPaperSize(TQRPaperSize::Custom);
    printer.SetPaperWidth(1000);
    printer.SetPaperLength(1500);
    EXPECT_EQ(printer.PaperWidth(), 1000);
    PrintPages(printer, 1);
    const auto& mode = system.Log().Documents[0]->ModeAtCreateDC;
    EXPECT_EQ(mode.PaperSize, 256);
    EXPECT_EQ(mode.PaperWidth, 1000);
    EXPECT_EQ(mode.PaperLength, 1500);
    EXPECT_EQ(mode.Fields & (pp::kFieldPaperWidth | pp::kFieldPaperLength),
              pp::kFieldPaperWidth | pp::kFieldPaperLength);
}

TEST(QRPrinter, StatusErrors) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    TQRPrinter printer(system);
    EXPECT_THROW(
        {
            try {
                printer.NewPage();
            } catch (const EQRError& error) {
                EXPECT_STREQ(error.what(), "Illegal call to NewPage");
                throw;
            }
        },
        EQRError);
    PrintPages(printer, 1);
    EXPECT_EQ(printer.Status(), TQRPrinterStatus::Finished);
    try {
        printer.BeginDoc();
        ADD_FAILURE() << "a finished printer object began a second document";
    } catch (const EQRError& error) {
        EXPECT_STREQ(error.what(), "QRPrinter not ready");
    }
}

TEST(QRPrinter, ADeviceThatCannotBeOpenedIsNotValid) {
    FakePrinterSetup setup = FakePrinter("Broken");
    setup.CanCreateDC = false;
    FakePrintingSystem system({setup}, "Broken");
    TQRPrinter printer(system);
    printer.SetDestination(TQRDestination::Printer);
    printer.BeginDoc();
    try {
        printer.NewPage();
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Printer selected is not valid");
    }
}

TEST(QRPrinter, AbortDropsTheDocumentAndFreeingABusyPrinterCancelsIt) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    {
        TQRPrinter printer(system);
        printer.SetDestination(TQRDestination::Printer);
        printer.BeginDoc();
        printer.NewPage();
        printer.Abort();
        EXPECT_EQ(printer.Status(), TQRPrinterStatus::Finished);
    }
    {
        TQRPrinter printer(system);
        printer.SetDestination(TQRDestination::Printer);
        printer.BeginDoc();
        printer.NewPage();
    }
    const auto& documents = system.Log().Documents;
    ASSERT_EQ(documents.size(), 2u);
    for (const auto& document : documents) {
        EXPECT_TRUE(document->Aborted);
        EXPECT_FALSE(document->Ended);
    }
}

TEST(QRPrinter, ProgressCountsFinishedPagesAndAfterPrintFollowsTheDocument) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    TQRPrinter printer(system);
    TQRProgressForm form;
    std::vector<int> notices;
    form.OnPage = [&](int page) { notices.push_back(page); };
    printer.SetProgressForm(&form);
    int afterPrint = 0;
    printer.AfterPrint = [&](TQRPrinter& p) {
        EXPECT_EQ(&p, &printer);
        EXPECT_TRUE(system.Log().Documents[0]->Ended);
        ++afterPrint;
    };
    PrintPages(printer, 3);
    EXPECT_EQ(notices, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(afterPrint, 1);
    printer.SetProgressPercent(40);
    EXPECT_EQ(form.LastPercent(), 40);
}

TEST(QRPrinter, ThePageStoreRecordsEveryPageAtScreenResolution) {
    FakePrintingSystem system({FakePrinter("Alpha")}, "Alpha");
    TQRPrinter printer(system, 96);
    printer.SetCompression(true);
    printer.BeginDoc();
    EXPECT_DOUBLE_EQ(printer.XFactor(), 96 / 254.0);
    for (int page = 0; page < 3; ++page) {
        printer.NewPage();
        printer.Canvas()->FillRect({0, 0, 5, 5}, 0);
    }
    printer.EndDoc();
    EXPECT_EQ(printer.PageList().PageCount(), 3);
    ASSERT_NE(printer.PageStream(), nullptr);
    EXPECT_GT(printer.PageStream()->Size(), TQRPageList::kHeaderSize);
    EXPECT_TRUE(system.Log().Documents.empty());
}

TEST(QRPrinter, WithoutInstalledPrintersNothingIsSelected) {
    FakePrintingSystem system({}, "");
    TQRPrinter printer(system);
    EXPECT_FALSE(printer.PrintersAvailable());
    printer.SetPrinterIndex(3);  // ignored
    EXPECT_TRUE(system.Log().Calls.empty());
}

}  // namespace
}  // namespace ostrelin::report
