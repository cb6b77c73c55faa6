// The preview printer through the program's printer object: pages kept as recordings at the
// preview's resolution, handed over only by documents that end.

#include <gtest/gtest.h>

#include <variant>

#include "platform/printing/Printer.h"
#include "platform/printing/preview/PreviewPrinting.h"

namespace ostrelin::platform::printing::preview {
namespace {

TEST(PreviewPrinting, IsOnePrinterThatKeepsTheDrawnPagesOfEachEndedDocument) {
    PreviewPrinting system(96);
    EXPECT_EQ(system.Printers(), std::vector<std::string>{"Náhled"});
    EXPECT_EQ(system.DefaultPrinter(), "Náhled");
    EXPECT_EQ(system.OpenDriver("Tisk do PDF"), nullptr);

    Printer printer(system);
    EXPECT_EQ(printer.LogPixels(), (Resolution{96, 96}));
    EXPECT_EQ(printer.PrintingOffset(), (canvas::Point{0, 0}));
    EXPECT_EQ(printer.PhysicalPageSize(), (canvas::Point{794, 1123}));
    printer.SetTitle("Dopis");
    printer.BeginDoc();
    printer.Canvas().FillRect({10, 20, 30, 40}, canvas::kBlack);
    printer.NewPage();
    printer.Canvas().DrawLine({0, 0}, {100, 0}, canvas::kBlack, 2);
    EXPECT_TRUE(system.TakePages().empty()) << "pages of a document still being printed";
    printer.EndDoc();

    const PreviewPages pages = system.TakePages();
    ASSERT_EQ(pages.size(), 2u);
    for (const canvas::RecordingCanvas& page : pages) {
        EXPECT_EQ(page.Width(), 794);
        EXPECT_EQ(page.Height(), 1123);
        EXPECT_EQ(page.LogPixelsX(), 96);
        EXPECT_EQ(page.LogPixelsY(), 96);
        ASSERT_EQ(page.Commands().size(), 1u);
    }
    EXPECT_EQ(std::get<canvas::FillRectCommand>(pages[0].Commands()[0]).Area,
              (canvas::Rect{10, 20, 30, 40}));
    EXPECT_TRUE(std::holds_alternative<canvas::LineCommand>(pages[1].Commands()[0]));
    EXPECT_TRUE(system.TakePages().empty()) << "taken pages are handed over once";
}

TEST(PreviewPrinting, LandscapePagesAreTurnedAndDroppedDocumentsLeaveNothing) {
    PreviewPrinting system(120);
    Printer printer(system);
    DeviceModeHandle mode;
    const PrinterNames names = printer.GetPrinter(mode);
    ASSERT_NE(mode, nullptr);
    mode->Orientation = kOrientationLandscape;
    printer.SetPrinter(names.Device, mode);
    printer.BeginDoc();
    printer.Abort();
    EXPECT_TRUE(system.TakePages().empty());

    printer.BeginDoc();
    printer.EndDoc();
    const PreviewPages pages = system.TakePages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Width(), 1403);
    EXPECT_EQ(pages[0].Height(), 992);
    EXPECT_EQ(pages[0].LogPixelsX(), 120);
}

}  // namespace
}  // namespace ostrelin::platform::printing::preview
