#include <gtest/gtest.h>

#include <vector>

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
    const int offsets[] = {0, 50, 100, 150, 200, 250, 300, 350, 400};
    canvas.DrawText({7, 70}, "Žluťoučký", offsets,
                    TextFont{"Courier New", 83, true, false, true, false, 0});
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

    // Where a text's characters stand is part of the drawing.
    const TextFont font{.Family = "Arial", .PixelSize = 100};
    const int close[] = {0, 40, 80};
    const int apart[] = {0, 40, 90};
    RecordingCanvas first(300, 200, 720, 720);
    first.DrawText({10, 100}, "abc", close, font);
    RecordingCanvas second(300, 200, 720, 720);
    second.DrawText({10, 100}, "abc", apart, font);
    EXPECT_NE(first.ToBytes(), second.ToBytes());
}

// Offsets come back as they were given, whatever their steps; a line of a fixed-pitch font whose
// letters are a whole number of pixels wide is kept as one run.
TEST(CharacterOffsets, GiveBackEveryOffsetAndKeepEqualStepsAsOneRun) {
    const std::vector<std::vector<int>> cases = {
        {}, {7}, {0, 50, 100, 150}, {0, 60, 120, 181, 241, 301}, {5, 3, 3, 40, -2}, {0, 0, 0}};
    for (const std::vector<int>& given : cases) {
        const CharacterOffsets kept(given);
        std::vector<int> back{99};
        kept.ExpandInto(back);
        EXPECT_EQ(back, given) << ::testing::PrintToString(given);
    }
    EXPECT_EQ(CharacterOffsets({0, 50, 100, 150}).Runs(),
              (std::vector<CharacterOffsets::Steps>{{50, 3}}));
    EXPECT_EQ(CharacterOffsets({0, 60, 120, 181, 241, 301}).Runs(),
              (std::vector<CharacterOffsets::Steps>{{60, 2}, {61, 1}, {60, 2}}));
    EXPECT_NE(CharacterOffsets({}), CharacterOffsets({0}));
}

}  // namespace
}  // namespace ostrelin::platform::canvas
