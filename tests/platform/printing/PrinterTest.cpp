#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/ErrorOf.h"
#include "platform/printing/BinCodes.h"
#include "platform/printing/PaperCodes.h"
#include "platform/printing/Printer.h"
#include "platform/printing/fake/FakePrintingSystem.h"

namespace ostrelin::platform::printing {
namespace {

using fake::FakePrintingSystem;

using ostrelin::testing::ErrorOf;

TEST(PlatformPrinter, DocumentStepsOutOfOrderFailWithThePrintersTexts) {
    const auto system = FakePrintingSystem::Named({"Alpha", "Beta"}, "Alpha");
    Printer printer(system);
    for (const auto& step : {+[](Printer& p) { p.NewPage(); }, +[](Printer& p) { p.EndDoc(); },
                             +[](Printer& p) { p.Abort(); }, +[](Printer& p) { p.Canvas(); }}) {
        EXPECT_EQ(ErrorOf([&] { step(printer); }), "Printer is not currently printing");
    }
    printer.BeginDoc();
    EXPECT_EQ(ErrorOf([&] { printer.BeginDoc(); }), "Printing in progress");
    EXPECT_EQ(ErrorOf([&] { printer.SetPrinterIndex(1); }), "Printing in progress");
    printer.EndDoc();
    EXPECT_EQ(ErrorOf([&] { printer.SetPrinter("Nobody", nullptr); }),
              "Printer selected is not valid");
}

TEST(PlatformPrinter, PagesAreSeparatedByTheBetweenPagesCallAndAbortSkipsEndDoc) {
    const auto system = FakePrintingSystem::Named({"Alpha"}, "Alpha");
    Printer printer(system);
    printer.SetTitle("Doc");
    printer.BeginDoc();
    EXPECT_EQ(printer.PageNumber(), 1);
    printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.Abort();
    EXPECT_FALSE(printer.Printing());
    const std::vector<std::string> expected{"OpenDriver Alpha", "DefaultDeviceMode Alpha",
                                            "CreateDC Alpha",   "StartDoc Doc",
                                            "StartPage",        "EndPage",
                                            "BetweenPages",     "StartPage",
                                            "AbortDoc",         "EndPage"};
    EXPECT_EQ(system.Log().Calls, expected);
}

TEST(PlatformPrinter, SettingsAreSharedThroughTheHandleAndFreshAfterReselecting) {
    const auto system = FakePrintingSystem::Named({"Alpha"}, "Alpha");
    Printer printer(system);
    DeviceModeHandle mode;
    const PrinterNames names = printer.GetPrinter(mode);
    EXPECT_EQ(names.Device, "Alpha");
    EXPECT_EQ(names.Driver, "FAKEDRV.so");
    EXPECT_EQ(names.Port, "fake:");
    mode->Copies = 7;
    printer.BeginDoc();
    printer.EndDoc();
    EXPECT_EQ(system.Log().Documents.back()->ModeAtCreateDC.Copies, 7);

    printer.SetPrinter("Alpha", nullptr);
    DeviceModeHandle fresh;
    printer.GetPrinter(fresh);
    EXPECT_EQ(fresh->Copies, 1);
    EXPECT_NE(fresh, mode);
}

TEST(PlatformPrinter, TheDefaultIsTheSystemsCurrentOneAlsoWhenInstalledAfterTheListWasRead) {
    FakePrintingSystem system({{.Name = "Alpha"}, {.Name = "Later", .Listed = false}}, "Alpha");
    Printer printer(system);
    EXPECT_EQ(printer.PrinterIndex(), 0);
    system.SetDefaultPrinter("Later");
    printer.SetPrinterIndex(-1);
    EXPECT_EQ(printer.PrinterIndex(), -1) << "not in the list read before it came";
    DeviceModeHandle mode;
    EXPECT_EQ(printer.GetPrinter(mode).Device, "Later");
    printer.SetPrinter("Later", nullptr);
    printer.BeginDoc();
    printer.EndDoc();
    EXPECT_EQ(system.Log().Documents.back()->Printer, "Later");
    EXPECT_EQ(ErrorOf([&] { printer.SetPrinter("Nobody", nullptr); }),
              "Printer selected is not valid");
}

TEST(PlatformPrinter, APrinterChosenByPositionNeverDependsOnTheDefault) {
    for (const char* defaultPrinter : {"", "Removed"}) {
        SCOPED_TRACE(defaultPrinter);
        const auto system = FakePrintingSystem::Named({"Alpha", "Beta"}, defaultPrinter);
        Printer printer(system);
        EXPECT_EQ(printer.PrinterIndex(), 0) << "starts on the first printer that opens";
        printer.SetPrinterIndex(1);
        printer.BeginDoc();
        printer.EndDoc();
        EXPECT_EQ(system.Log().Documents.back()->Printer, "Beta");
        EXPECT_EQ(ErrorOf([&] { printer.SetPrinterIndex(-1); }),
                  "There is no default printer currently selected");
    }
}

TEST(PlatformPrinter, FirstCharactersCountsCharactersNotBytes) {
    EXPECT_EQ(FirstCharacters("nářezového", 3), "nář");
    EXPECT_EQ(FirstCharacters("ab", 31), "ab");
    EXPECT_EQ(FirstCharacters("", 5), "");
}

TEST(PaperCodes, MediaNamesAndSizesFindTheFirstCodeOfTheirSheet) {
    EXPECT_EQ(PaperCodeOfMediaName("iso_a4_210x297mm"), 9);
    EXPECT_EQ(PaperCodeOfMediaName("na_letter_8.5x11in"), 1);
    EXPECT_EQ(PaperCodeOfMediaName("na_ledger_11x17in"), 3);
    EXPECT_FALSE(PaperCodeOfMediaName("iso_a6_105x148mm").has_value());
    EXPECT_EQ(PaperCodeOfSize(21000, 29700), 9);
    EXPECT_EQ(PaperCodeOfSize(29700, 21000), 9);  // either way round
    EXPECT_EQ(PaperCodeOfSize(21050, 29650), 9);  // within a millimetre
    EXPECT_FALSE(PaperCodeOfSize(21200, 29700).has_value());
    ASSERT_TRUE(PaperOfCode(8).has_value());
    EXPECT_EQ(PaperOfCode(8)->MediaName, "iso_a3_297x420mm");
    EXPECT_FALSE(PaperOfCode(256).has_value());
    for (const PaperCodeInfo& paper : PaperCodeTable()) {
        EXPECT_EQ(PaperOfCode(paper.Code)->Code, paper.Code);
    }
}

TEST(BinCodes, SourceKeywordsMapToBinCodesBothWays) {
    EXPECT_EQ(BinCodeOfMediaSource("tray-1"), 1);
    EXPECT_EQ(BinCodeOfMediaSource("manual"), 4);
    EXPECT_EQ(BinCodeOfMediaSource("auto"), 7);
    EXPECT_FALSE(BinCodeOfMediaSource("photo").has_value());
    EXPECT_EQ(MediaSourcesOfBinCode(2), (std::vector<std::string_view>{"bottom", "tray-2"}));
    EXPECT_TRUE(MediaSourcesOfBinCode(14).empty());
}

}  // namespace
}  // namespace ostrelin::platform::printing
