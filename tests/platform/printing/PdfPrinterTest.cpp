#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "platform/CommandOutput.h"
#include "platform/Error.h"
#include "platform/ErrorOf.h"
#include "platform/TempDir.h"
#include "platform/printing/PageInk.h"
#include "platform/printing/SystemPrinting.h"
#include "platform/printing/pdf/PdfFileName.h"
#include "platform/printing/pdf/PdfPageWriter.h"

namespace ostrelin::platform::printing {
namespace {

namespace fs = std::filesystem;

TEST(PdfPrinter, DeclaresPaperAndOrientationButNoCopiesAt720DotsWithoutMargins) {
    const auto system = MakeSystemPrinting();
    const auto driver = system->OpenDriver("Tisk do PDF");
    ASSERT_NE(driver, nullptr);
    DeviceMode mode = driver->DefaultDeviceMode();
    EXPECT_EQ(mode.Fields, kFieldOrientation | kFieldPaperSize);
    EXPECT_EQ(mode.PaperSize, 9);
    const auto papers = driver->Papers(mode);
    for (const int code : {1, 8, 9, 11, 26}) {
        EXPECT_NE(std::find(papers.begin(), papers.end(), code), papers.end()) << code;
    }
    EXPECT_EQ(driver->LogPixels(mode), (Resolution{720, 720}));
    EXPECT_EQ(driver->PrintingOffset(mode), (canvas::Point{0, 0}));
    EXPECT_EQ(driver->PhysicalPageSize(mode), (canvas::Point{5953, 8419}));
    mode.Orientation = kOrientationLandscape;
    EXPECT_EQ(driver->PhysicalPageSize(mode), (canvas::Point{8419, 5953}));
}

// A device that resolves 300 dpi across and 600 dpi down the page: every position and length
// lands at its own direction's resolution, and text keeps its point size.
TEST(PdfPageWriter, PositionsAndLengthsFollowTheResolutionOfTheirDirection) {
    const ostrelin::testing::TempDir folder;
    const fs::path pdf = folder.Path() / "two-resolutions.pdf";
    {
        pdf::PdfPageWriter writer(pdf, "Dvě rozlišení", Resolution{300, 600});
        const Sheet a4{21000, 29700, false};
        writer.StartPage(a4);
        writer.Canvas().FillRect({300, 600, 600, 1200}, 0x000000);  // 1 inch square at 1, 1 inch
        writer.StartPage(a4);
        writer.Canvas().DrawLine({300, 2400}, {900, 2400}, 0x000000, 60);  // 0.1 inch thick
        writer.StartPage(a4);
        writer.Canvas().IntersectClipRect({0, 0, 450, 6000});
        writer.Canvas().FillRect({300, 600, 600, 1200}, 0x000000);  // its left half shows
        writer.StartPage(a4);
        // Each letter 7.2 points (30 pixels across) after the one before.
        const int offsets[] = {0, 30, 60, 90};
        writer.Canvas().DrawText({300, 1800}, "Ahoj", offsets,
                                 {.Family = "Courier New", .PixelSize = 100});
        writer.Finish();
    }
    struct Expected {
        int page;
        std::array<double, 4> bounds;  // quarter points
    } const pages[] = {
        {1, {288, 288, 288, 288}},
        // 2 inches long with square ends of 30 device pixels across (0.1 inch), 0.1 inch thick
        // around 4 inches down.
        {2, {576 + 57.6, 28.8, 288 - 28.8, 1152 - 14.4}},
        {3, {144, 288, 288, 288}},
    };
    for (const Expected& expected : pages) {
        const auto ink = ostrelin::testing::InkOfPage(pdf, expected.page, folder.Path());
        for (std::size_t i = 0; i < ink.size(); ++i) {
            EXPECT_NEAR(ink[i], expected.bounds[i], 2)
                << "page " << expected.page << ", bound " << i;
        }
    }
    // 100 device pixels at 600 dpi are 12 points; the word starts at 1 inch, its baseline at 3.
    const std::string words = ostrelin::testing::CommandOutput(
        "pdftotext -f 4 -l 4 -bbox '" + pdf.string() + "' - | grep '>Ahoj<'");
    double left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_EQ(std::sscanf(words.c_str(), R"( <word xMin="%lf" yMin="%lf" xMax="%lf" yMax="%lf")",
                          &left, &top, &right, &bottom),
              4)
        << words;
    EXPECT_NEAR(left, 72, 0.5);
    EXPECT_NEAR(right - left, 4 * 7.2, 0.5) << "four letters of 12 pt Liberation Mono";
    EXPECT_LT(top, 216);
    EXPECT_GT(bottom, 216);
    EXPECT_NEAR(bottom - top, 12, 2);
}

// Every character of a text stands where the caller puts it, however far that is from where the
// font's own widths would have put it; a single text may carry Czech letters.
TEST(PdfPageWriter, CharactersOfATextStandWhereTheyAreTold) {
    const ostrelin::testing::TempDir folder;
    const fs::path pdf = folder.Path() / "placed.pdf";
    {
        pdf::PdfPageWriter writer(pdf, "Umístěná písmena", Resolution{300, 600});
        writer.StartPage(Sheet{21000, 29700, false});
        // Two columns of 7.2 points (60 pixels across) apart, then a word of its own after a gap.
        const int offsets[] = {0, 60, 120, 180, 300, 330, 360};
        writer.Canvas().DrawText({300, 1800}, "Ahojčáp", offsets,
                                 {.Family = "Courier New", .PixelSize = 100});
        writer.Finish();
    }
    const std::string xml =
        ostrelin::testing::CommandOutput("pdftotext -bbox '" + pdf.string() + "' -");
    const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    struct Placed {
        std::string text;
        double left;
        double right;
    };
    std::vector<Placed> found;
    for (auto match = std::sregex_iterator(xml.begin(), xml.end(), word);
         match != std::sregex_iterator(); ++match) {
        found.push_back(
            {(*match)[4].str(), std::stod((*match)[1].str()), std::stod((*match)[2].str())});
        EXPECT_GT(std::stod((*match)[3].str()), 216) << "below the baseline at 3 inches";
    }
    const std::vector<Placed> expected = {{"A", 72, 79.2},
                                          {"h", 86.4, 93.6},
                                          {"o", 100.8, 108},
                                          {"j", 115.2, 122.4},
                                          {"čáp", 144, 165.6}};
    ASSERT_EQ(found.size(), expected.size()) << xml;
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].text, expected[i].text);
        EXPECT_NEAR(found[i].left, expected[i].left, 0.05) << expected[i].text;
        EXPECT_NEAR(found[i].right, expected[i].right, 0.05) << expected[i].text;
    }
}

using ostrelin::testing::ErrorOf;

TEST(PdfPageWriter, AFileThatCannotBeWrittenWholeFailsNamingTheFolderAndTheCause) {
    EXPECT_EQ(ErrorOf([] {
                  pdf::PdfPageWriter writer("/dev/full", "Plný disk", Resolution{300, 300});
                  writer.StartPage(Sheet{21000, 29700, false});
                  writer.Canvas().FillRect({0, 0, 100, 100}, 0x000000);
                  writer.Finish();
              }),
              "Dokument nelze zapsat do složky /dev: na disku není volné místo.");
    const ostrelin::testing::TempDir folder;
    EXPECT_EQ(ErrorOf([&] {
                  pdf::PdfPageWriter writer(folder.Path() / "gone" / "x.pdf", "", {300, 300});
              }),
              "Dokument nelze zapsat do složky " + (folder.Path() / "gone").string() +
                  ": složka neexistuje.");
}

TEST(PdfPrinter, FileNamesCarryTheDocumentNameAndTheTime) {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 9;
    when.tm_hour = 14;
    when.tm_min = 3;
    when.tm_sec = 22;
    EXPECT_EQ(pdf::PdfFileStem("Tarvok Ostrelin - tisk dokumnen", when),
              "Tarvok Ostrelin - tisk dokumnen 2026-12-09 14-03-22");
    EXPECT_EQ(pdf::PdfFileStem("a/b", when), "a-b 2026-12-09 14-03-22");
}

// The names of the files in `folder`, sorted.
std::vector<std::string> FilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(PdfPrinter, AnExistingFileIsNeverOverwritten) {
    const fs::path folder =
        fs::temp_directory_path() / ("ostrelin-pdfname-" + std::to_string(getpid()));
    fs::remove_all(folder);
    const fs::path made = folder / "made";
    const fs::path part = pdf::CreatePartFile(made, "Doc").Path;  // the folder is created
    EXPECT_EQ(part, made / ".Doc.pdf.part");
    EXPECT_EQ(pdf::CreatePartFile(made, "Doc").Path, made / ".Doc (2).pdf.part");
    std::ofstream(part) << "new";
    std::ofstream(made / "Doc.pdf") << "keep";
    std::ofstream(made / "Doc (2).pdf") << "keep too";
    EXPECT_EQ(pdf::PublishPdfFile(part, "Doc"), made / "Doc (3).pdf");
    EXPECT_EQ(FilesIn(made), (std::vector<std::string>{".Doc (2).pdf.part", "Doc (2).pdf",
                                                       "Doc (3).pdf", "Doc.pdf"}));
    std::ifstream kept(made / "Doc.pdf");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep");
    fs::remove_all(folder);
}

TEST(PdfPrinter, ADocumentHasItsPdfNameOnlyOnceItEnds) {
    const fs::path folder =
        fs::temp_directory_path() / ("ostrelin-pdfdoc-" + std::to_string(getpid()));
    fs::remove_all(folder);
    setenv("OSTRELIN_PDF_DIR", folder.c_str(), 1);
    const auto system = MakeSystemPrinting();
    const auto driver = system->OpenDriver("Tisk do PDF");
    ASSERT_NE(driver, nullptr);
    const auto print = [&](bool ends) {
        const auto context = driver->CreateDC(driver->DefaultDeviceMode());
        context->StartDoc("Doc");
        context->StartPage();
        context->Canvas().FillRect({10, 10, 100, 100}, 0);
        context->EndPage();
        // A crash now leaves only a hidden part file, never a broken PDF under a PDF's name.
        const std::vector<std::string> whileWriting = FilesIn(folder);
        EXPECT_EQ(whileWriting.size(), 1u);
        EXPECT_TRUE(whileWriting.front().starts_with(".Doc ") &&
                    whileWriting.front().ends_with(".pdf.part"))
            << whileWriting.front();
        if (ends) {
            context->EndDoc();
        } else {
            context->AbortDoc();
        }
    };
    print(false);
    EXPECT_TRUE(FilesIn(folder).empty());
    print(true);
    const std::vector<std::string> printed = FilesIn(folder);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_TRUE(printed.front().starts_with("Doc ") && printed.front().ends_with(".pdf"))
        << printed.front();
    EXPECT_GT(fs::file_size(folder / printed.front()), 0u);
    unsetenv("OSTRELIN_PDF_DIR");
    fs::remove_all(folder);
}

TEST(PdfPrinter, OutputFolderComesFromTheEnvironmentOrHome) {
    setenv("OSTRELIN_PDF_DIR", "/tmp/somewhere", 1);
    EXPECT_EQ(pdf::PdfOutputFolder(), fs::path("/tmp/somewhere"));
    unsetenv("OSTRELIN_PDF_DIR");
    setenv("HOME", "/home/tester", 1);
    EXPECT_EQ(pdf::PdfOutputFolder(), fs::path("/home/tester/PDF"));
}

// What a run killed while printing left is cleared at the next start, however new it is; what a
// running document's maker holds is not.
TEST(PdfPrinter, PartFilesNobodyHoldsAreRemovedAtOnceAndHeldOnesKept) {
    const ostrelin::testing::TempDir dir;
    setenv("OSTRELIN_PDF_DIR", dir.Path().c_str(), 1);
    std::ofstream(dir / ".Left behind.pdf.part") << "%PDF-1.4 half";
    std::ofstream(dir / "Done.pdf") << "%PDF-1.4";
    const pdf::PartFile held = pdf::CreatePartFile(dir.Path(), "Printing now");

    RemoveAbandonedDocuments();

    EXPECT_EQ(FilesIn(dir.Path()),
              (std::vector<std::string>{".Printing now.pdf.part", "Done.pdf"}));
    unsetenv("OSTRELIN_PDF_DIR");
}

}  // namespace
}  // namespace ostrelin::platform::printing
