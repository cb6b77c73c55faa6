#include <gtest/gtest.h>

#include "platform/canvas/metafile/RecordingCanvas.h"

namespace ostrelin::platform::canvas {
namespace {

DeviceBitmap TwoByTwoMono() {
    DeviceBitmap bitmap;
    bitmap.Width = 2;
    bitmap.Height = 2;
    bitmap.BitsPerPixel = 1;
    bitmap.ColorTable = {kBlack, kWhite};
    bitmap.Bits = {0x80, 0, 0, 0, 0x40, 0, 0, 0};
    return bitmap;
}

// Draws one of everything onto a canvas.
void DrawSample(Canvas& canvas) {
    canvas.FillRect({1, 2, 30, 40}, Rgb(10, 20, 30));
    canvas.DrawLine({0, 5}, {100, 5}, kBlack, 3);
    canvas.SetStretchMode(StretchMode::ColorOnColor);
    canvas.IntersectClipRect({5, 5, 50, 50});
    canvas.StretchDIBits({5, 5, 25, 45}, TwoByTwoMono());
    canvas.RemoveClip();
    canvas.DrawText({7, 70}, "Žluťoučký", TextFont{"Courier New", 83, true, false, true, false, 0});
}

TEST(RecordingCanvas, RecordsEveryCallInOrderAndReplaysThemIdentically) {
    RecordingCanvas page(5953, 8419, 720, 720);
    EXPECT_EQ(page.GetStretchMode(), StretchMode::BlackOnWhite);
    DrawSample(page);
    EXPECT_EQ(page.GetStretchMode(), StretchMode::ColorOnColor);
    ASSERT_EQ(page.Commands().size(), 7u);
    EXPECT_EQ(page.Commands()[0], CanvasCommand(FillRectCommand{{1, 2, 30, 40}, Rgb(10, 20, 30)}));
    EXPECT_EQ(page.Commands()[4], CanvasCommand(BitmapCommand{{5, 5, 25, 45}, TwoByTwoMono()}));

    RecordingCanvas copy(1, 1, 96, 96);
    page.Replay(copy);
    EXPECT_EQ(copy.Commands(), page.Commands());
}

TEST(RecordingCanvas, ByteFormStartsWithTheHeaderAndDiffersWhenTheDrawingDiffers) {
    RecordingCanvas page(300, 200, 720, 600);
    page.FillRect({1, 2, 3, 4}, 0x00ABCDEF);
    const auto bytes = page.ToBytes();
    const std::vector<std::uint8_t> expected{
        'O', 'M', 'F', '1', 44, 1, 0, 0, 200, 0, 0, 0, 208, 2, 0, 0, 88, 2, 0,    0,    1,    0, 0,
        0,   1,   1,   0,   0,  0, 2, 0, 0,   0, 3, 0, 0,   0, 4, 0, 0,  0, 0xEF, 0xCD, 0xAB, 0};
    EXPECT_EQ(bytes, expected);

    RecordingCanvas full(300, 200, 720, 600);
    DrawSample(full);
    RecordingCanvas other(300, 200, 720, 600);
    DrawSample(other);
    EXPECT_EQ(full.ToBytes(), other.ToBytes());
    other.RemoveClip();
    EXPECT_NE(full.ToBytes(), other.ToBytes());
}

}  // namespace
}  // namespace ostrelin::platform::canvas
