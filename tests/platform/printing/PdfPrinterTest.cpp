#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/printing/SystemPrinting.h"
#include "platform/printing/pdf/PdfFileName.h"

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

TEST(PdfPrinter, AnExistingFileIsNeverOverwritten) {
    const fs::path folder =
        fs::temp_directory_path() / ("ostrelin-pdfname-" + std::to_string(getpid()));
    fs::remove_all(folder);
    const fs::path first = pdf::CreateNewPdfFile(folder / "made", "Doc");  // folder is created
    EXPECT_EQ(first, folder / "made" / "Doc.pdf");
    std::ofstream(first) << "keep";
    const fs::path second = pdf::CreateNewPdfFile(folder / "made", "Doc");
    const fs::path third = pdf::CreateNewPdfFile(folder / "made", "Doc");
    EXPECT_EQ(second, folder / "made" / "Doc (2).pdf");
    EXPECT_EQ(third, folder / "made" / "Doc (3).pdf");
    EXPECT_EQ(fs::file_size(first), 4u);
    fs::remove_all(folder);
}

TEST(PdfPrinter, OutputFolderComesFromTheEnvironmentOrHome) {
    setenv("OSTRELIN_PDF_DIR", "/tmp/somewhere", 1);
    EXPECT_EQ(pdf::PdfOutputFolder(), fs::path("/tmp/somewhere"));
    unsetenv("OSTRELIN_PDF_DIR");
    setenv("HOME", "/home/tester", 1);
    EXPECT_EQ(pdf::PdfOutputFolder(), fs::path("/home/tester/PDF"));
}

}  // namespace
}  // namespace ostrelin::platform::printing
