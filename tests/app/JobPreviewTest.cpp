// A job's preview against the PDF that printing the same job gives: ostrelin-render prints the
// example jobs on "Tisk do PDF", pdftoppm draws each PDF page at the preview's resolution, and
// the two pictures are compared page by page after thresholding to black and white.
//
// Two rasterisers never agree on every edge pixel of a glyph drawn at 96 dpi (the preview places
// each word on whole screen pixels, the PDF on a grid ten times finer, and Qt and poppler smooth
// and hint differently): about 60 % of a text page's ink differs somewhere at pixel level while
// the pages look the same. What must agree is where the ink lies: an ink pixel of either picture
// with no ink in the other within one pixel counts as a difference, and at most 3 % of the ink may
// be such (measured: 1.8 to 2.1 % on the letter's pages, none on the cutting plan; a page moved
// by two pixels gives 9 %, drawn 2 % too small 37 %).

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/preview/ReportJobPreview.h"
#include "platform/TempDir.h"
#include "platform/canvas/qt/PageImage.h"
#include "platform/richtext/qt/QtTextMetrics.h"
#include "print/RecordingWaitCursor.h"

namespace ostrelin::app {
namespace {

namespace fs = std::filesystem;

constexpr int kScreenDpi = 96;

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Black and white: a pixel is ink when it is darker than middle grey.
std::vector<bool> Ink(const QImage& image) {
    std::vector<bool> ink(static_cast<std::size_t>(image.width() * image.height()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink[static_cast<std::size_t>(y * image.width() + x)] = qGray(image.pixel(x, y)) < 128;
        }
    }
    return ink;
}

constexpr double kMostUnmatchedInk = 0.03;

struct Difference {
    std::size_t InkPixels = 0;  // ink in either picture
    std::size_t Unmatched = 0;  // ink in one picture with none in the other within one pixel
};

Difference Compare(const QImage& preview, const QImage& printed) {
    const int width = preview.width();
    const int height = preview.height();
    const std::vector<bool> a = Ink(preview);
    const std::vector<bool> b = Ink(printed);
    const auto at = [width](const std::vector<bool>& ink, int x, int y) {
        return ink[static_cast<std::size_t>(y * width + x)];
    };
    const auto near = [&](const std::vector<bool>& ink, int x, int y) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx >= 0 && ny >= 0 && nx < width && ny < height && at(ink, nx, ny)) {
                    return true;
                }
            }
        }
        return false;
    };
    Difference difference;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inPreview = at(a, x, y);
            const bool inPrinted = at(b, x, y);
            difference.InkPixels += inPreview || inPrinted ? 1 : 0;
            difference.Unmatched +=
                (inPreview && !near(b, x, y)) || (inPrinted && !near(a, x, y)) ? 1 : 0;
        }
    }
    return difference;
}

class JobPreviewTest : public ::testing::TestWithParam<const char*> {
  protected:
    platform::richtext::QtTextMetrics metrics;
    print::testing::RecordingWaitCursor cursor;
    ReportJobPreview preview{metrics, cursor, {.PixelsPerInch = kScreenDpi}};
    testing::TempDir scratch;
};

TEST_P(JobPreviewTest, PagesLookAsThePrintedPdfAtTheSameResolution) {
    const fs::path job = fs::path(OSTRELIN_SOURCE_DIR) / "examples" / GetParam();
    const fs::path pdf = scratch.Path() / "job.pdf";
    ASSERT_EQ(std::system((std::string(OSTRELIN_RENDER) + " '" + job.string() + "' -o '" +
                           pdf.string() + "'")
                              .c_str()),
              0);
    ASSERT_EQ(std::system(("pdftoppm -r " + std::to_string(kScreenDpi) + " -png '" + pdf.string() +
                           "' '" + (scratch.Path() / "page").string() + "'")
                              .c_str()),
              0);

    const platform::printing::preview::PreviewPages pages = preview.Render(ReadFile(job));
    std::size_t printedPages = 0;
    for (const auto& entry : fs::directory_iterator(scratch.Path())) {
        printedPages += entry.path().extension() == ".png" ? 1 : 0;
    }
    ASSERT_EQ(pages.size(), printedPages);
    for (std::size_t number = 1; number <= pages.size(); ++number) {
        SCOPED_TRACE("page " + std::to_string(number));
        const QImage printed(QString::fromStdString(
            (scratch.Path() / ("page-" + std::to_string(number) + ".png")).string()));
        const QImage shown = platform::canvas::PageImage(pages[number - 1]);
        ASSERT_EQ(shown.size(), printed.size());
        ASSERT_EQ(shown.size(), QSize(794, 1123)) << "A4 at the screen's resolution";
        const Difference difference = Compare(shown, printed);
        ASSERT_GT(difference.InkPixels, 10000u) << "the page carries the job";
        EXPECT_LE(static_cast<double>(difference.Unmatched),
                  kMostUnmatchedInk * static_cast<double>(difference.InkPixels))
            << difference.Unmatched << " of " << difference.InkPixels
            << " ink pixels have no counterpart within one pixel";
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, JobPreviewTest, ::testing::Values("DOPIS.QSF", "PLAN.QSF"),
                         [](const auto& param) {
                             const std::string name = param.param;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace ostrelin::app
