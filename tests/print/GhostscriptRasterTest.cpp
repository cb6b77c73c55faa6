#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "decode/ClassifyJob.h"
#include "decode/RasterJob.h"
#include "platform/TempDir.h"

// A raster job from a real program: Ghostscript draws a small cutting plan as LaserJet PCL, the
// converter wraps its row transfers into a spool file, and the decoded picture must equal
// Ghostscript's own one-bit rendering of the same page.

namespace ostrelin::print {
namespace {

namespace fs = std::filesystem;

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path Fixture(const std::string& name) {
    return fs::path(OSTRELIN_SOURCE_DIR) / "tests/print/fixtures" / name;
}

// A binary PBM page.
struct PbmPage {
    int Width = 0;
    int Height = 0;
    std::string Bits;

    bool IsBlack(int x, int y) const {
        const auto index = static_cast<std::size_t>(y * ((Width + 7) / 8) + x / 8);
        return (static_cast<unsigned char>(Bits[index]) & (0x80u >> (x % 8))) != 0;
    }
};

PbmPage ReadPbm(const fs::path& path) {
    const std::string bytes = ReadWholeFile(path);
    std::istringstream in(bytes);
    std::vector<std::string> header;
    while (header.size() < 3 && in) {
        std::string token;
        in >> token;
        if (token.starts_with('#')) {
            std::getline(in, token);
        } else if (!token.empty()) {
            header.push_back(token);
        }
    }
    in.get();
    EXPECT_EQ(header.at(0), "P4");
    PbmPage page{std::stoi(header.at(1)), std::stoi(header.at(2)), {}};
    page.Bits = bytes.substr(static_cast<std::size_t>(in.tellg()));
    EXPECT_EQ(page.Bits.size(), static_cast<std::size_t>((page.Width + 7) / 8 * page.Height));
    return page;
}

class RecordingOutput : public BitmapOutput {
  public:
    bool PrintBitmapJob(TPrintJob&, const RasterBitmap& bitmap) override {
        Picture = bitmap;
        return true;
    }
    RasterBitmap Picture;
};

RasterBitmap DecodeSpoolFile(const fs::path& path) {
    decode::ByteStream stream(ReadWholeFile(path));
    EXPECT_EQ(decode::ClassifyJob(stream), decode::JobKind::Raster);
    HeldPrinterChoice choice;
    RecordingOutput output;
    decode::DecodeRasterJob(stream, choice, output);
    return output.Picture;
}

// Compares the picture with the whole page, the picture's pixel (x, y) being the page's pixel
// (x + shiftLeft, y + shiftUp): every pixel of the page must match, the page being white wherever
// the picture has no pixel (the driver leaves out white rows and columns at the right and bottom),
// and the picture must hold nothing beyond the page.
void ExpectSamePage(const RasterBitmap& picture, const PbmPage& page, int shiftLeft, int shiftUp) {
    int mismatches = 0;
    int black = 0;
    for (int y = 0; y < page.Height; ++y) {
        for (int x = 0; x < page.Width; ++x) {
            const bool expected = page.IsBlack(x, y);
            black += expected ? 1 : 0;
            if (expected != picture.IsBlack(x - shiftLeft, y - shiftUp) && ++mismatches <= 5) {
                ADD_FAILURE() << "page pixel " << x << "," << y << " should be "
                              << (expected ? "black" : "white");
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(black, 5000) << "the drawing should cover the page with lines and text";
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (x + shiftLeft >= page.Width || y + shiftUp >= page.Height) {
                ASSERT_FALSE(picture.IsBlack(x, y)) << "beyond the page at " << x << "," << y;
            }
        }
    }
}

// The committed spool file was made from the cutting plan by Ghostscript 10's ljet4 driver at
// 150 dpi and ostrelin-pcl2qsf; the committed PBM is Ghostscript's pbmraw rendering of it.
TEST(GhostscriptRasterTest, CommittedSpoolFileDecodesToGhostscriptsRendering) {
    const RasterBitmap picture = DecodeSpoolFile(Fixture("cutting-plan-ljet4.qsf"));
    EXPECT_EQ(picture.Width(), 496);
    EXPECT_EQ(picture.Height(), 358);
    ExpectSamePage(picture, ReadPbm(Fixture("cutting-plan.pbm")), 0, 0);
}

fs::path FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const fs::path candidate = fs::path(dir) / program;
        if (fs::exists(candidate)) {
            return candidate;
        }
    }
    return {};
}

// Runs a shell command; true when it succeeded.
bool RunCommand(const std::string& command) {
    return std::system(command.c_str()) == 0;
}

// The LaserJet drivers differ in where the page lands in their raster. ljet4 keeps the paper's
// corner. ljet2p and laserjet move the page left and up by their printer model's page offset
// (ljet2p 0.25 in left; laserjet 0.05 in left, 0.25 in top), which Ghostscript applies as a
// number of pixels at the drivers' native 300 dpi, so at 150 dpi as (75, 0) and (15, 75).
TEST(GhostscriptRasterTest, SpoolFileFromGhostscriptMatchesItsOwnRendering) {
    const fs::path gs = FindOnPath("gs");
    if (gs.empty()) {
        GTEST_SKIP() << "Ghostscript (gs) is not installed";
    }
    const std::string converter = OSTRELIN_PCL2QSF;
    const testing::TempDir dir;
    const std::string drawing = Fixture("cutting-plan.ps").string();
    const std::string gsCommand = gs.string() + " -q -dSAFER -dNOPAUSE -dBATCH -r150 ";
    ASSERT_TRUE(RunCommand(gsCommand + "-sDEVICE=pbmraw -sOutputFile=" + (dir / "page.pbm") + " " +
                           drawing));
    const PbmPage page = ReadPbm(dir / "page.pbm");

    struct Driver {
        const char* device;
        int shiftLeft;
        int shiftUp;
    };
    for (const Driver driver :
         {Driver{"ljet4", 0, 0}, Driver{"ljet2p", 75, 0}, Driver{"laserjet", 15, 75}}) {
        SCOPED_TRACE(driver.device);
        const std::string pcl = dir / (std::string(driver.device) + ".pcl");
        const std::string spool = dir / (std::string(driver.device) + ".QSF");
        ASSERT_TRUE(RunCommand(gsCommand + "-sDEVICE=" + driver.device + " -sOutputFile=" + pcl +
                               " " + drawing));
        ASSERT_TRUE(RunCommand(converter + " " + pcl + " " + spool));
        ExpectSamePage(DecodeSpoolFile(spool), page, driver.shiftLeft, driver.shiftUp);
    }
}

}  // namespace
}  // namespace ostrelin::print
