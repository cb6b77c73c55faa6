#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/Error.h"
#include "print/PictureText.h"
#include "print/RasterBitmap.h"

namespace ostrelin::print {
namespace {

using namespace std::string_literals;
using testing::PictureFromText;

TEST(RasterBitmapTest, WidthFollowsTheLongestRowAndNeverShrinks) {
    RasterBitmap picture;
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);

    picture.AppendRow("\xff\x01"s);
    picture.AppendRow("\x80\x00\x00\x00\x01"s);
    picture.AppendRow("\x01\x02\x03"s);
    picture.AppendRow("");
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.Height(), 4);

    for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(picture.IsBlack(x, 0), x < 8 || x == 15) << x;
        EXPECT_EQ(picture.IsBlack(x, 1), x == 0 || x == 39) << x;
        EXPECT_EQ(picture.IsBlack(x, 2), x == 7 || x == 14 || x == 22 || x == 23) << x;
        EXPECT_FALSE(picture.IsBlack(x, 3)) << x;
    }
    EXPECT_EQ(picture.Row(2), "\x01\x02\x03"s);
    EXPECT_FALSE(picture.IsBlack(-1, 0));
    EXPECT_FALSE(picture.IsBlack(0, -1));
    EXPECT_FALSE(picture.IsBlack(0, 4));
    EXPECT_FALSE(picture.IsBlack(40, 1));
}

TEST(RasterBitmapTest, RowsLongerThanADataRecordCanCarryAreRefused) {
    RasterBitmap picture;
    picture.AppendRow(std::string(RasterBitmap::kMaxRowBytes, '\x01'));
    EXPECT_EQ(picture.Width(), 524280);
    EXPECT_TRUE(picture.IsBlack(524279, 0));
    EXPECT_THROW(picture.AppendRow(std::string(RasterBitmap::kMaxRowBytes + 1, '\0')), Error);
    EXPECT_EQ(picture.Height(), 1);
}

TEST(RasterBitmapTest, MemoryFollowsTheRowDataNotTheRectangle) {
    RasterBitmap picture;
    picture.AppendRow(std::string(RasterBitmap::kMaxRowBytes, '\0'));
    for (int i = 0; i < 10000; ++i) {
        picture.AppendRow("");
    }
    // The rectangle would be 524280 x 10001 bits (655 MB); the rows hold 65535 bytes.
    EXPECT_LT(picture.MemoryBytes(), 2 * RasterBitmap::kMaxRowBytes + 2 * 4 * 10001 + 1024);
}

TEST(RasterBitmapTest, PbmCarriesEveryRowPaddedToTheWidth) {
    const RasterBitmap picture = PictureFromText({
        "#.......#",
        "",
        ".#",
    });
    std::ostringstream pbm;
    picture.WritePbm(pbm);
    EXPECT_EQ(pbm.str(), "P4\n16 3\n\x80\x80\x00\x00\x40\x00"s);
}

TEST(RasterBitmapTest, EmptyPictureGivesAnEmptyPbm) {
    std::ostringstream pbm;
    RasterBitmap().WritePbm(pbm);
    EXPECT_EQ(pbm.str(), "P4\n0 0\n");
}

}  // namespace
}  // namespace ostrelin::print
