// Recorded pages drawn onto images as the painter canvas draws printed pages.

#include <gtest/gtest.h>

#include <QImage>
#include <array>

#include "platform/canvas/qt/PageImage.h"

namespace ostrelin::platform::canvas {
namespace {

bool IsBlack(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The rows between `top` and `bottom` that hold any ink.
int InkedRows(const QImage& image, int top, int bottom) {
    int rows = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsBlack(image, x, y)) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

TEST(PageImage, IsAWhitePageOfTheRecordedSizeAndResolutionWithTheCommandsDrawn) {
    RecordingCanvas page(200, 300, 96, 96);
    page.FillRect({10, 20, 30, 60}, kBlack);
    // 12-point text at 96 dpi is 16 pixels high: its capitals reach about 11 pixels up.
    const std::array<int, 2> offsets{0, 12};
    page.DrawText({50, 150}, "HH", offsets,
                  {.Family = "Arial", .PixelSize = 16, .TextColor = kBlack});

    const QImage image = PageImage(page);
    ASSERT_EQ(image.size(), QSize(200, 300));
    EXPECT_EQ(qRound(image.dotsPerMeterX() * 0.0254), 96);
    EXPECT_EQ(qRound(image.dotsPerMeterY() * 0.0254), 96);
    EXPECT_TRUE(IsBlack(image, 10, 20));
    EXPECT_TRUE(IsBlack(image, 29, 59));
    EXPECT_FALSE(IsBlack(image, 30, 59)) << "Right and Bottom lie outside the rectangle";
    EXPECT_FALSE(IsBlack(image, 9, 20));
    EXPECT_FALSE(IsBlack(image, 199, 299));
    EXPECT_EQ(InkedRows(image, 70, 300), InkedRows(image, 130, 151)) << "text above its baseline";
    EXPECT_GE(InkedRows(image, 130, 151), 10);
    EXPECT_LE(InkedRows(image, 130, 151), 13);
}

TEST(PageImage, APageFinerDownThanAcrossBecomesSquarePixelsOfTheHorizontalResolution) {
    RecordingCanvas page(100, 200, 100, 200);
    page.FillRect({0, 100, 100, 200}, kBlack);  // the lower half
    const QImage image = PageImage(page);
    ASSERT_EQ(image.size(), QSize(100, 100));
    EXPECT_FALSE(IsBlack(image, 50, 49));
    EXPECT_TRUE(IsBlack(image, 50, 50));
}

}  // namespace
}  // namespace ostrelin::platform::canvas
