#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/PictureText.h"
#include "print/RasterDeviceBand.h"
#include "print/RasterPicture.h"

namespace ostrelin::print {
namespace {

using platform::canvas::DeviceBitmap;
using platform::canvas::Rect;

struct Piece {
    Rect Destination;
    DeviceBitmap Bitmap;
};

std::vector<Piece> PiecesOf(const report::TBitmap& bitmap, const Rect& destination) {
    std::vector<Piece> pieces;
    bitmap.DeviceCopies(destination, [&](const Rect& rect, const DeviceBitmap& piece) {
        pieces.push_back({rect, piece});
    });
    return pieces;
}

bool DeviceBlack(const DeviceBitmap& bitmap, int x, int y) {
    const auto index = static_cast<std::size_t>(y * bitmap.Stride() + x / 8);
    return ((bitmap.Bits[index] >> (7 - x % 8)) & 1) == 0;
}

TEST(RasterPicture, WithRoomForEveryPixelThePictureGoesAtItsOwnSizeForTheDeviceToEnlarge) {
    const RasterBitmap bitmap = testing::PictureFromText({
        "#.........#",
        ".###......",
        "",
        "#",
    });
    const RasterPicture picture(bitmap);
    EXPECT_EQ(picture.Width(), 16);
    EXPECT_EQ(picture.Height(), 4);
    EXPECT_TRUE(picture.Monochrome());

    const std::vector<Piece> pieces = PiecesOf(picture, {5, 7, 805, 407});
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].Destination, (Rect{5, 7, 805, 407}));
    EXPECT_EQ(pieces[0].Bitmap, RenderDeviceBitmap(bitmap));
    EXPECT_EQ(
        pieces[0].Bitmap.ColorTable,
        (std::vector<platform::canvas::Color>{platform::canvas::kBlack, platform::canvas::kWhite}));

    // A copy of the picture draws the same.
    EXPECT_EQ(PiecesOf(*picture.Clone(), {5, 7, 805, 407})[0].Bitmap, pieces[0].Bitmap);
}

TEST(RasterPicture, WithFewerDevicePixelsItIsReducedKeepingBlackInPiecesThatTileTheRectangle) {
    // 400 × 300 pixels with one black pixel, into 40 × 30 device pixels, at most 2 rows a piece.
    RasterBitmap bitmap;
    for (int y = 0; y < 300; ++y) {
        std::string row(50, '\0');
        if (y == 171) {
            row[123 / 8] = static_cast<char>(0x80 >> (123 % 8));
        }
        bitmap.AppendRow(row);
    }
    const RasterPicture picture(bitmap, 16);  // rows of 40 pixels take 8 bytes
    const std::vector<Piece> pieces = PiecesOf(picture, {100, 200, 140, 230});
    ASSERT_EQ(pieces.size(), 15u);
    int top = 200;
    int blackPixels = 0;
    for (const Piece& piece : pieces) {
        EXPECT_EQ(piece.Destination.Top, top);
        EXPECT_EQ(piece.Destination.Left, 100);
        EXPECT_EQ(piece.Destination.Right, 140);
        EXPECT_EQ(piece.Bitmap.Width, 40);
        EXPECT_EQ(piece.Destination.Height(), piece.Bitmap.Height);
        for (int y = 0; y < piece.Bitmap.Height; ++y) {
            for (int x = 0; x < piece.Bitmap.Width; ++x) {
                if (DeviceBlack(piece.Bitmap, x, y)) {
                    ++blackPixels;
                    EXPECT_EQ(x, 12);
                    EXPECT_EQ(top - 200 + y, 17);
                }
            }
        }
        top = piece.Destination.Bottom;
    }
    EXPECT_EQ(top, 230);
    EXPECT_EQ(blackPixels, 1);
}

TEST(RasterPicture, APictureWithoutPixelsOrAnEmptyRectangleGivesNoPieces) {
    RasterBitmap columnless;
    columnless.AppendRow("");
    const RasterBitmap some = testing::PictureFromText({"##"});
    EXPECT_TRUE(PiecesOf(RasterPicture(RasterBitmap{}), {0, 0, 10, 10}).empty());
    EXPECT_TRUE(PiecesOf(RasterPicture(columnless), {0, 0, 10, 10}).empty());
    EXPECT_TRUE(PiecesOf(RasterPicture(some), {0, 0, 0, 10}).empty());
}

}  // namespace
}  // namespace ostrelin::print
