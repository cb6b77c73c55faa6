#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "print/PictureText.h"
#include "print/RasterDeviceBand.h"

namespace ostrelin::print {
namespace {

using platform::canvas::DeviceBitmap;
using platform::canvas::Rect;
using testing::PictureFromText;

// A picture of `height` rows of random lengths up to `maxBytes`, each pixel black with the
// given chance; seeded, so every run sees the same picture.
RasterBitmap RandomPicture(int maxBytes, int height, double blackChance, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(0, maxBytes);
    std::bernoulli_distribution black(blackChance);
    RasterBitmap picture;
    for (int y = 0; y < height; ++y) {
        std::string row(static_cast<std::size_t>(y == 0 ? maxBytes : length(random)), '\0');
        for (std::size_t x = 0; x < row.size() * 8; ++x) {
            if (black(random)) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        picture.AppendRow(row);
    }
    return picture;
}

// True when the device pixel is colour 0, which the table makes black.
bool DeviceBlack(const DeviceBitmap& bitmap, int x, int y) {
    const auto index = static_cast<std::size_t>(y * bitmap.Stride() + x / 8);
    return ((bitmap.Bits[index] >> (7 - x % 8)) & 1) == 0;
}

// On an axis scaled from `source` to `target` pixels, whether target pixel t overlaps the scaled
// area of source pixel s, [s * target / source, (s + 1) * target / source).
bool Overlaps(long t, long s, long target, long source) {
    return t * source < (s + 1) * target && (t + 1) * source > s * target;
}

// Whether target pixel t lies wholly inside the scaled area of source pixel s.
bool Inside(long t, long s, long target, long source) {
    return t * source >= s * target && (t + 1) * source <= (s + 1) * target;
}

TEST(RasterDeviceBandTest, OwnSizeCopiesEveryPixelWithBlackAsColourZero) {
    const RasterBitmap picture = RandomPicture(6, 37, 0.4, 1);
    const DeviceBitmap device = RenderDeviceBitmap(picture);

    ASSERT_EQ(device.Width, 48);
    ASSERT_EQ(device.Height, 37);
    EXPECT_EQ(device.BitsPerPixel, 1);
    EXPECT_EQ(device.ColorTable, (std::vector{platform::canvas::kBlack, platform::canvas::kWhite}));
    ASSERT_EQ(device.Bits.size(), 8u * 37u);
    for (int y = 0; y < 37; ++y) {
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(DeviceBlack(device, x, y), picture.IsBlack(x, y)) << x << "," << y;
        }
    }
}

// Reducing keeps every black pixel and invents none; enlarging repeats pixels.
TEST(RasterDeviceBandTest, ScaledPictureKeepsBlackOverWhite) {
    struct Picture {
        RasterBitmap Bitmap;
        std::vector<DeviceSize> Sizes;
    };
    const std::vector<Picture> pictures = {
        {RandomPicture(6, 37, 0.3, 2),
         {{24, 37}, {16, 12}, {13, 10}, {1, 1}, {48, 5}, {100, 80}, {20, 90}, {47, 36}}},
        {RandomPicture(40, 200, 0.0005, 3), {{7, 5}, {100, 61}, {319, 199}, {3, 400}}},
    };
    for (const Picture& p : pictures) {
        const long w = p.Bitmap.Width();
        const long h = p.Bitmap.Height();
        for (const DeviceSize size : p.Sizes) {
            SCOPED_TRACE(std::to_string(size.Width) + "x" + std::to_string(size.Height));
            const DeviceBitmap device = RenderDeviceBand(p.Bitmap, size, 0, size.Height);
            for (long y = 0; y < h; ++y) {
                for (long x = 0; x < w; ++x) {
                    if (!p.Bitmap.IsBlack(static_cast<int>(x), static_cast<int>(y))) {
                        continue;
                    }
                    bool kept = false;
                    for (int ty = 0; ty < size.Height; ++ty) {
                        for (int tx = 0; tx < size.Width; ++tx) {
                            if (Overlaps(tx, x, size.Width, w) && Overlaps(ty, y, size.Height, h)) {
                                kept = kept || DeviceBlack(device, tx, ty);
                            }
                            if (Inside(tx, x, size.Width, w) && Inside(ty, y, size.Height, h)) {
                                ASSERT_TRUE(DeviceBlack(device, tx, ty)) << tx << "," << ty;
                            }
                        }
                    }
                    ASSERT_TRUE(kept) << "source " << x << "," << y;
                }
            }
            for (int ty = 0; ty < size.Height; ++ty) {
                for (int tx = 0; tx < size.Width; ++tx) {
                    if (!DeviceBlack(device, tx, ty)) {
                        continue;
                    }
                    bool explained = false;
                    for (long y = 0; y < h && !explained; ++y) {
                        for (long x = 0; x < w && !explained; ++x) {
                            explained = Overlaps(tx, x, size.Width, w) &&
                                        Overlaps(ty, y, size.Height, h) &&
                                        p.Bitmap.IsBlack(static_cast<int>(x), static_cast<int>(y));
                        }
                    }
                    ASSERT_TRUE(explained) << "target " << tx << "," << ty;
                }
            }
        }
    }
}

TEST(RasterDeviceBandTest, IsolatedPixelsSurviveALargeReduction) {
    std::vector<std::string> rows(100, std::string(100, '.'));
    rows[0][0] = '#';
    rows[37][55] = '#';
    rows[99][99] = '#';
    const RasterBitmap picture = PictureFromText({rows.begin(), rows.end()});
    ASSERT_EQ(picture.Width(), 104);

    const DeviceBitmap device = RenderDeviceBand(picture, {13, 10}, 0, 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 13; ++x) {
            const bool expected = (x == 0 && y == 0) || (x == 6 && y == 3) || (x == 12 && y == 9);
            EXPECT_EQ(DeviceBlack(device, x, y), expected) << x << "," << y;
        }
    }
}

TEST(RasterDeviceBandTest, PiecesConcatenateToTheWholeRender) {
    const RasterBitmap picture = RandomPicture(6, 37, 0.3, 4);
    for (const DeviceSize size : {DeviceSize{48, 37}, DeviceSize{13, 10}, DeviceSize{100, 80}}) {
        const DeviceBitmap whole = RenderDeviceBand(picture, size, 0, size.Height);
        for (const int rowsPerPiece : {1, 3, 7}) {
            std::vector<std::uint8_t> joined;
            for (int first = 0; first < size.Height; first += rowsPerPiece) {
                const int end = std::min(first + rowsPerPiece, size.Height);
                const DeviceBitmap piece = RenderDeviceBand(picture, size, first, end);
                EXPECT_EQ(piece.Height, end - first);
                joined.insert(joined.end(), piece.Bits.begin(), piece.Bits.end());
            }
            EXPECT_EQ(joined, whole.Bits)
                << size.Width << "x" << size.Height << " by " << rowsPerPiece;
        }
    }
}

TEST(RasterDeviceBandTest, PlanTilesTheDestinationWithBoundedPieces) {
    struct Case {
        int Bytes;
        int Height;
        Rect Destination;
        std::size_t MaxBandBytes;
        DeviceSize Size;
        std::size_t Bands;
    };
    const std::vector<Case> cases = {
        {6, 37, {10, 20, 110, 220}, 40, {48, 37}, 8},        // enlarged by the device
        {40, 500, {10, 20, 110, 220}, 1000, {100, 200}, 4},  // reduced here to the rectangle
        {40, 500, {0, 0, 1000, 100}, 1, {320, 100}, 100},    // one row per piece at least
    };
    for (const Case& c : cases) {
        const RasterBitmap picture = RandomPicture(c.Bytes, c.Height, 0.1, 5);
        const DeviceBandPlan plan = PlanDeviceBands(picture, c.Destination, c.MaxBandBytes);
        EXPECT_EQ(plan.Size, c.Size);
        ASSERT_EQ(plan.Bands.size(), c.Bands);
        int row = 0;
        int top = c.Destination.Top;
        for (const DeviceBand& band : plan.Bands) {
            EXPECT_EQ(band.FirstRow, row);
            EXPECT_EQ(band.Destination, (Rect{c.Destination.Left, top, c.Destination.Right,
                                              band.Destination.Bottom}));
            const DeviceBitmap piece =
                RenderDeviceBand(picture, plan.Size, band.FirstRow, band.EndRow);
            EXPECT_TRUE(piece.Bits.size() <= c.MaxBandBytes || band.EndRow - band.FirstRow == 1);
            row = band.EndRow;
            top = band.Destination.Bottom;
        }
        EXPECT_EQ(row, plan.Size.Height);
        EXPECT_EQ(top, c.Destination.Bottom);
    }
}

TEST(RasterDeviceBandTest, NothingToDrawGivesNoPieces) {
    const RasterBitmap rowsWithoutPixels = PictureFromText({"", "", ""});
    EXPECT_TRUE(PlanDeviceBands(RasterBitmap(), {0, 0, 100, 100}, 1000).Bands.empty());
    EXPECT_TRUE(PlanDeviceBands(rowsWithoutPixels, {0, 0, 100, 100}, 1000).Bands.empty());
    EXPECT_TRUE(PlanDeviceBands(PictureFromText({"#"}), {0, 0, 0, 100}, 1000).Bands.empty());

    const DeviceBitmap empty = RenderDeviceBitmap(RasterBitmap());
    EXPECT_EQ(empty.Width, 0);
    EXPECT_EQ(empty.Height, 0);
    EXPECT_TRUE(empty.Bits.empty());
}

TEST(RasterDeviceBandTest, PiecesBeyondTheBoundsAreRefusedBeforeAnythingIsBuilt) {
    const RasterBitmap picture = PictureFromText({"#"});
    const auto message = [](const char* text) {
        return ::testing::ThrowsMessage<Error>(::testing::HasSubstr(text));
    };
    EXPECT_THAT([&] { RenderDeviceBand(picture, {524281, 1}, 0, 1); }, message("524280"));
    // 524280 pixels make rows of 65536 bytes: 4097 of them pass 2^31 pixels.
    EXPECT_THAT([&] { RenderDeviceBand(picture, {524280, 5000}, 0, 4097); }, message("2147483648"));
    EXPECT_THAT([&] { RenderDeviceBand(picture, {8, 4}, 3, 5); }, message("rozsah"));
    EXPECT_THAT([&] { RenderDeviceBand(picture, {8, 4}, 2, 1); }, message("rozsah"));
    EXPECT_THAT([&] { RenderDeviceBand(picture, {-8, 4}, 0, 1); }, message("rozsah"));
}

}  // namespace
}  // namespace ostrelin::print
