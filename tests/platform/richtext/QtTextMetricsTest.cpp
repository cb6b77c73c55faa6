#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <string>
#include <variant>
#include <vector>

#include "platform/canvas/metafile/RecordingCanvas.h"
#include "platform/richtext/Documents.h"
#include "platform/richtext/RichEditControl.h"
#include "platform/richtext/qt/QtTextMetrics.h"

namespace ostrelin::platform::richtext {
namespace {

using canvas::CanvasCommand;
using canvas::RecordingCanvas;
using canvas::Rect;
using canvas::TextCommand;
using testing::Courier;
using testing::Doc;
using testing::Para;

TEST(QtTextMetricsTest, EightyCharactersOfTenPointCourierNewAreFourHundredEightyPoints) {
    QtTextMetrics metrics;
    for (const bool bold : {false, true}) {
        const FontMeasures measures = metrics.Measure(Courier(10, bold));
        EXPECT_NEAR(80 * measures.Advances['x'], 480.0, 0.1) << "bold " << bold;
        // Fixed pitch, Czech letters included.
        EXPECT_DOUBLE_EQ(measures.Advances[0xE8], measures.Advances['x']);
        EXPECT_DOUBLE_EQ(measures.Advances[' '], measures.Advances['x']);
        // A line is somewhat more than the point size high.
        EXPECT_GT(measures.Ascent + measures.Descent, 10.0);
        EXPECT_LT(measures.Ascent + measures.Descent, 13.0);
    }
    EXPECT_DOUBLE_EQ(metrics.Measure(Courier(20)).Advances['x'],
                     2 * metrics.Measure(Courier(10)).Advances['x']);
}

TEST(QtTextMetricsTest, ProportionalFontsHaveProportionalWidths) {
    QtTextMetrics metrics;
    const FontMeasures arial = metrics.Measure(testing::Font("Arial", 10));
    EXPECT_GT(arial.Advances['W'], 2 * arial.Advances['i']);
}

// The lines of a rendering: the texts drawn on each baseline, top to bottom.
std::vector<std::vector<std::string>> DrawnLines(const RecordingCanvas& canvas) {
    std::map<int, std::vector<std::string>> byBaseline;
    for (const CanvasCommand& command : canvas.Commands()) {
        if (const auto* text = std::get_if<TextCommand>(&command)) {
            byBaseline[text->Origin.Y].push_back(text->Text);
        }
    }
    std::vector<std::vector<std::string>> lines;
    for (auto& [baseline, words] : byBaseline) {
        lines.push_back(std::move(words));
    }
    return lines;
}

// 480.24 points wide: room for 80 characters of 10-point Courier New at their exact width
// (480.08 points) but not at the width the font has when rounded to whole pixels at 300 dpi.
TEST(QtTextMetricsTest, LinesBreakAtTheSameCharacterOnEveryResolution) {
    std::string text;
    for (int word = 0; word < 60; ++word) {
        // Seven words of nine letters and one of ten fill the first line to 80 characters.
        text += word % 8 == 7 ? "abcdefghij "
                              : "\xE8\x9A"
                                "cdefghi ";
    }
    QtTextMetrics metrics;
    RichEditControl control(metrics);
    control.SetDocument(Doc({Para(Courier(10), text)}));
    // The first line's letters, drawn as one text.
    std::string firstLine;
    for (int word = 0; word < 8; ++word) {
        firstLine += word == 7 ? "abcdefghij"
                               : "\xC4\x8D\xC5\xA1"
                                 "cdefghi";
    }

    std::vector<std::vector<std::string>> reference;
    int referenceNext = -1;
    for (const int dpi : {300, 600, 720}) {
        const Rect area{0, 0, 2001 * dpi / 300, 2 * dpi};  // 480.24 (480.2 at 720) × 144 points
        RecordingCanvas canvas(area.Right, area.Bottom, dpi, dpi);
        const FormatRangeResult rendered = control.Render(0, area, canvas);
        EXPECT_EQ(control.Measure(0, area, dpi, dpi), rendered) << dpi;
        const std::vector<std::vector<std::string>> lines = DrawnLines(canvas);
        ASSERT_GE(lines.size(), 6u) << dpi;
        EXPECT_EQ(lines[0], std::vector<std::string>{firstLine}) << dpi;
        if (reference.empty()) {
            reference = lines;
            referenceNext = rendered.NextCharacter;
        } else {
            EXPECT_EQ(lines, reference) << dpi;
            EXPECT_EQ(rendered.NextCharacter, referenceNext) << dpi;
        }
    }
}

}  // namespace
}  // namespace ostrelin::platform::richtext
