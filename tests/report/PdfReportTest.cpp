#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>

#include "platform/CommandOutput.h"
#include "platform/printing/SystemPrinting.h"
#include "report/TQRReport.h"
#include "report/TestBlock.h"

namespace ostrelin::report {
namespace {

namespace fs = std::filesystem;

using ostrelin::testing::CommandOutput;

// Prints through the real printing system with no CUPS scheduler reachable, so that the built-in
// PDF printer is the default; its files go to a folder of the test's own.
class PdfReport : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("CUPS_SERVER", "/nonexistent/ostrelin/cups.sock", 1);
        folder = fs::temp_directory_path() / ("ostrelin-pdfreport-" + std::to_string(getpid()));
        fs::remove_all(folder);
        setenv("OSTRELIN_PDF_DIR", folder.c_str(), 1);
        system = platform::printing::MakeSystemPrinting();
    }
    void TearDown() override { fs::remove_all(folder); }

    // Prints a report whose detail band grows over three pages.
    void PrintThreePages(TPrinterOrientation orientation) {
        TQRReport report(*system);
        report.SetShowProgress(false);
        report.SetPrintIfEmpty(true);
        report.SetReportTitle("Tarvok Ostrelin - tisk dokumnentu");
        report.Page().SetPaperSize(TQRPaperSize::A4);
        report.Page().SetOrientation(orientation);
        TQRBand detail(&report, rbDetail);
        detail.SetNativeHeight(500);
        testing::TestBlock block(&detail, 0x000000, 0, 0, 400, 300);
        block.GrowSteps = orientation == poPortrait ? 120 : 80;
        testing::TestBlock corner(&report, 0x0000FF, 100, 100, 200, 200);
        report.PrintReport();
    }

    std::vector<fs::path> Files() const {
        std::vector<fs::path> files;
        if (fs::exists(folder)) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                files.push_back(entry.path());
            }
        }
        return files;
    }

    fs::path folder;
    std::unique_ptr<platform::printing::PrintingSystem> system;
};

TEST_F(PdfReport, AThreePageReportBecomesAnA4PdfNamedAfterTheDocument) {
    PrintThreePages(poPortrait);
    const auto files = Files();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        files[0].filename().string(),
        std::regex(R"(Tarvok Ostrelin - tisk dokumnen \d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.pdf)")))
        << files[0];
    const std::string info = CommandOutput("pdfinfo -f 1 -l 3 '" + files[0].string() + "'");
    for (const char* line : {R"(Pages:\s+3\n)", R"(Page\s+1 size:\s+595 x 842 pts \(A4\))",
                             R"(Page\s+3 size:\s+595 x 842 pts \(A4\))", R"(Page\s+1 rot:\s+0\n)",
                             R"(Title:\s+Tarvok Ostrelin - tisk dokumnen\n)"}) {
        EXPECT_TRUE(std::regex_search(info, std::regex(line))) << line << "\n" << info;
    }
}

TEST_F(PdfReport, LandscapePagesAreLandscapeShaped) {
    PrintThreePages(poLandscape);
    const auto files = Files();
    ASSERT_EQ(files.size(), 1u);
    const std::string info = CommandOutput("pdfinfo -f 1 -l 3 '" + files[0].string() + "'");
    for (const char* line : {R"(Pages:\s+3\n)", R"(Page\s+2 size:\s+842 x 595 pts \(A4\))",
                             R"(Page\s+2 rot:\s+0\n)"}) {
        EXPECT_TRUE(std::regex_search(info, std::regex(line))) << line << "\n" << info;
    }
}

TEST_F(PdfReport, ContentLandsWhereTheReportPutsIt) {
    PrintThreePages(poPortrait);
    const auto files = Files();
    ASSERT_EQ(files.size(), 1u);
    // Render page 1 at 254 dpi, where a pixel is a tenth of a millimetre: the element on the
    // report fills 100..300 in both directions, red; the band's black block starts at 100, 100.
    const fs::path image = folder / "page1.ppm";
    CommandOutput("pdftoppm -f 1 -l 1 -r 254 -singlefile '" + files[0].string() + "' '" +
                  (folder / "page1").string() + "'");
    std::FILE* file = std::fopen(image.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    int width = 0, height = 0, max = 0;
    ASSERT_EQ(std::fscanf(file, "P6 %d %d %d", &width, &height, &max), 3);
    std::fgetc(file);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width * height * 3));
    ASSERT_EQ(std::fread(pixels.data(), 1, pixels.size(), file), pixels.size());
    std::fclose(file);
    EXPECT_EQ(width, 2100);
    auto at = [&](int x, int y) {
        const auto i = static_cast<std::size_t>((y * width + x) * 3);
        return std::array<int, 3>{pixels[i], pixels[i + 1], pixels[i + 2]};
    };
    EXPECT_EQ(at(150, 150), (std::array<int, 3>{255, 0, 0}));  // the report element, drawn last
    EXPECT_EQ(at(450, 350), (std::array<int, 3>{0, 0, 0}));    // the band's block beyond it
    EXPECT_EQ(at(550, 350), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(at(50, 50), (std::array<int, 3>{255, 255, 255}));
}

}  // namespace
}  // namespace ostrelin::report
