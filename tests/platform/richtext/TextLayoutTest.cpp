#include <gtest/gtest.h>

#include <numeric>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "platform/canvas/metafile/RecordingCanvas.h"
#include "platform/richtext/Documents.h"
#include "platform/richtext/RichEditControl.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/richtext/fake/FixedTextMetrics.h"

namespace ostrelin::platform::richtext {
namespace {

using canvas::CanvasCommand;
using canvas::LineCommand;
using canvas::RecordingCanvas;
using canvas::Rect;
using canvas::TextCommand;
using canvas::TextFont;
using testing::Courier;
using testing::Doc;
using testing::Para;

// At 72 pixels per inch a 10-point character is 6 pixels wide and a 10-point line 12 pixels high
// (9 above the baseline).
constexpr double kAdvance = 0.6;
constexpr double kLineHeight = 1.2;

struct FitCase {
    std::string name;
    RichTextDocument document;
    int first;
    Rect area;
    int dpi;
    FormatRangeResult expected;
    friend void PrintTo(const FitCase& c, std::ostream* out) { *out << c.name; }
};

Paragraph TwoSizesOnOneLine() {
    Paragraph paragraph = Para(Courier(10), "aa");
    AppendText(paragraph, Courier(20), "BB");
    return paragraph;
}

std::vector<FitCase> FitCases() {
    const RichTextDocument words = Doc({Para(Courier(10), "aaaa bbbb cccc")});  // length 15
    const RichTextDocument longWord = Doc({Para(Courier(10), "abcdefghijklmnopqrstuvwxy")});
    const RichTextDocument shortWords = Doc({Para(Courier(10), "aaaa bb cccc")});
    const RichTextDocument indented = Doc({Para(Courier(10), "aaaa bb cccc", 24)});
    const RichTextDocument sizes =
        Doc({Para(Courier(16), "x"), Para(Courier(8), ""), Para(Courier(10), "y")});
    return {
        {"FirstLine", words, 0, {0, 0, 60, 12}, 72, {10, 12}},
        {"AllLines", words, 0, {0, 0, 60, 24}, 72, {15, 24}},
        {"OnePixelShort", words, 0, {0, 0, 60, 23}, 72, {10, 12}},
        {"NothingFits", words, 0, {0, 0, 60, 11}, 72, {0, 0}},
        {"FromTheMiddle", words, 10, {0, 0, 60, 12}, 72, {15, 12}},
        {"FromTheEnd", words, 15, {0, 0, 60, 12}, 72, {15, 0}},
        {"BeyondTheEnd", words, 99, {0, 0, 60, 12}, 72, {15, 0}},
        {"OffsetArea", words, 0, {100, 200, 160, 224}, 72, {15, 224}},
        {"NarrowerArea", words, 0, {0, 0, 53, 24}, 72, {10, 24}},
        {"DoubleResolution", words, 0, {0, 0, 120, 24}, 144, {10, 24}},
        {"PrinterResolution", words, 0, {0, 0, 250, 50}, 300, {10, 50}},
        {"LongWordBreaksInside", longWord, 0, {0, 0, 60, 24}, 72, {20, 24}},
        {"LongWordEnds", longWord, 0, {0, 0, 60, 36}, 72, {26, 36}},
        {"NoIndent", shortWords, 0, {0, 0, 60, 12}, 72, {8, 12}},
        {"IndentOnEveryLine", indented, 0, {0, 0, 60, 24}, 72, {8, 24}},
        {"IndentFirstLine", indented, 0, {0, 0, 60, 12}, 72, {5, 12}},
        {"ExactWidth", Doc({Para(Courier(10), "aaaaaaaaaa")}), 0, {0, 0, 60, 12}, 72, {11, 12}},
        {"SpacesHang", Doc({Para(Courier(10), "aaaaaaaaaa   b")}), 0, {0, 0, 60, 12}, 72, {13, 12}},
        {"TabStops", Doc({Para(Courier(10), "a\tb")}), 0, {0, 0, 42, 12}, 72, {4, 12}},
        {"TabBreaks", Doc({Para(Courier(10), "a\tb")}), 0, {0, 0, 41, 12}, 72, {2, 12}},
        {"ControlBytesTakeNoRoom",
         Doc({Para(Courier(10),
                   "a\rb\nc\x01"
                   "defghij")}),
         0,
         {0, 0, 60, 12},
         72,
         {14, 12}},
        {"TallestRunSetsTheLine", Doc({TwoSizesOnOneLine()}), 0, {0, 0, 60, 23}, 72, {0, 0}},
        {"TallestRunFits", Doc({TwoSizesOnOneLine()}), 0, {0, 0, 60, 24}, 72, {5, 24}},
        {"SixteenPoints", sizes, 0, {0, 0, 60, 19}, 72, {0, 0}},
        {"SixteenPointsFit", sizes, 0, {0, 0, 60, 20}, 72, {2, 20}},
        {"EmptyEightPointParagraph", sizes, 0, {0, 0, 60, 29}, 72, {3, 29}},
        {"TenPointsShort", sizes, 0, {0, 0, 60, 40}, 72, {3, 29}},
        {"AllSizes", sizes, 0, {0, 0, 60, 41}, 72, {5, 41}},
        {"EmptyDocument", Doc({}), 0, {0, 0, 60, 100}, 72, {0, 0}},
    };
}

class FitTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitTest, MeasureAndRenderAgreeOnWhatFits) {
    const FitCase& fit = GetParam();
    FixedTextMetrics metrics(kAdvance, kLineHeight);
    RichEditControl control(metrics);
    control.SetDocument(fit.document);

    EXPECT_EQ(control.Measure(fit.first, fit.area, fit.dpi, fit.dpi), fit.expected);
    RecordingCanvas canvas(1000, 1000, fit.dpi, fit.dpi);
    EXPECT_EQ(control.Render(fit.first, fit.area, canvas), fit.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FitTest, ::testing::ValuesIn(FitCases()), testing::CaseName());

// A run's part of a line is one text, its letters at the places that blanks, tabs and invisible
// characters leave; no blank is drawn.
TEST(TextLayoutTest, DrawsEachRunOfALineAsOneTextAndUnderlinesUpToTheLastLetter) {
    Paragraph paragraph = Para(Courier(10), "ab cd", 12);
    AppendText(paragraph, Courier(10, true, false, true), "ef gh ");
    FixedTextMetrics metrics(kAdvance, kLineHeight);
    RichEditControl control(metrics);
    control.SetDocument(Doc({paragraph, Para(Courier(10),
                                             "\xE8\r\x9A"
                                             "a\tb")}));
    RecordingCanvas canvas(1000, 1000, 72, 72);

    EXPECT_EQ(control.Render(0, {10, 20, 70, 100}, canvas), (FormatRangeResult{19, 56}));

    const TextFont plain{.Family = "Courier New", .PixelSize = 10};
    const TextFont bold{.Family = "Courier New", .PixelSize = 10, .Bold = true};
    const std::vector<CanvasCommand> expected = {
        TextCommand{{22, 29}, "abcd", {0, 6, 18, 24}, plain},
        TextCommand{{52, 29}, "ef", {0, 6}, bold},
        LineCommand{{52, 31}, {64, 31}, canvas::kBlack, 1},
        TextCommand{{22, 41}, "gh", {0, 6}, bold},
        LineCommand{{22, 43}, {34, 43}, canvas::kBlack, 1},
        // The tab after "a" at 18 points stops at 36.
        TextCommand{{10, 53},
                    "\xC4\x8D\xC5\xA1"
                    "ab",
                    {0, 6, 12, 36},
                    plain},
    };
    EXPECT_EQ(canvas.Commands(), expected);
}

TEST(TextLayoutTest, AnotherWidthBreaksTheLinesAfresh) {
    const RichTextDocument words = Doc({Para(Courier(10), "aaaa bbbb cccc")});
    FixedTextMetrics metrics(kAdvance, kLineHeight);
    RichEditControl reused(metrics);
    reused.SetDocument(words);
    // Two lines at 60 and 53 pixels (breaking at different words), one line at 90.
    const std::vector<std::pair<int, FormatRangeResult>> widths = {
        {60, {15, 24}}, {53, {10, 24}}, {90, {15, 12}}, {60, {15, 24}}};
    for (const auto& [width, expected] : widths) {
        RichEditControl fresh(metrics);
        fresh.SetDocument(words);
        const Rect area{0, 0, width, 24};
        EXPECT_EQ(fresh.Measure(0, area, 72, 72), expected) << width;
        EXPECT_EQ(reused.Measure(0, area, 72, 72), expected) << width;
    }
}

TEST(TextLayoutTest, ScalesPositionsAndFontSizesToTheDevice) {
    FixedTextMetrics metrics(kAdvance, kLineHeight);
    RichEditControl control(metrics);
    control.SetDocument(Doc({Para(Courier(10), "ab cd", 12)}));
    RecordingCanvas canvas(5000, 5000, 600, 600);

    control.Render(0, {100, 200, 1100, 1200}, canvas);

    const TextFont font{.Family = "Courier New", .PixelSize = 10 * 600 / 72.0};
    const std::vector<CanvasCommand> expected = {
        // 12 pt indent = 100 px, ascent 9 pt = 75 px, 6 pt letters = 50 px
        TextCommand{{200, 275}, "abcd", {0, 50, 150, 200}, font},
    };
    EXPECT_EQ(canvas.Commands(), expected);
}

// At 100 dpi a 6-point letter is 8 1/3 pixels wide: each letter's place is rounded from where it
// stands exactly, never from the rounded place of the letter before.
TEST(TextLayoutTest, EveryLetterIsPlacedAtItsOwnRoundedPosition) {
    FixedTextMetrics metrics(kAdvance, kLineHeight);
    RichEditControl control(metrics);
    control.SetDocument(Doc({Para(Courier(10), "abcdef")}));
    RecordingCanvas canvas(1000, 1000, 100, 100);

    control.Render(0, {10, 0, 800, 100}, canvas);

    ASSERT_EQ(canvas.Commands().size(), 1u);
    std::vector<int> offsets;
    std::get<TextCommand>(canvas.Commands()[0]).Offsets.ExpandInto(offsets);
    EXPECT_EQ(offsets, (std::vector<int>{0, 8, 17, 25, 33, 42}));
}

// The texts drawn, in drawing order.
std::vector<std::string> DrawnTexts(const RecordingCanvas& canvas) {
    std::vector<std::string> texts;
    for (const CanvasCommand& command : canvas.Commands()) {
        if (const auto* text = std::get_if<TextCommand>(&command)) {
            texts.push_back(text->Text);
        }
    }
    return texts;
}

TEST(TextLayoutTest, PagesTakeEveryCharacterOnceInOrder) {
    std::vector<Paragraph> paragraphs;
    std::vector<std::string> words;
    for (int line = 0; line < 40; ++line) {
        std::string text;
        for (int word = 0; word <= line % 7; ++word) {
            std::string w = "w";
            w += std::to_string(line);
            w += '_';
            w += std::to_string(word);
            words.push_back(w);
            text += w + " ";
        }
        paragraphs.push_back(Para(Courier(line % 3 == 0 ? 12 : 10), text, line % 4 * 6.0));
    }
    FixedTextMetrics metrics(kAdvance, kLineHeight);
    RichEditControl control(metrics);
    control.SetDocument(Doc(paragraphs));

    const Rect page{50, 50, 170, 150};
    std::vector<std::string> drawn;
    int first = 0;
    int pages = 0;
    while (first < control.TextLength()) {
        const FormatRangeResult measured = control.Measure(first, page, 72, 72);
        RecordingCanvas canvas(300, 300, 72, 72);
        const FormatRangeResult rendered = control.Render(first, page, canvas);
        ASSERT_EQ(rendered, measured);
        ASSERT_GT(measured.NextCharacter, first);
        ASSERT_LE(measured.Bottom, page.Bottom);
        const std::vector<std::string> texts = DrawnTexts(canvas);
        drawn.insert(drawn.end(), texts.begin(), texts.end());
        first = measured.NextCharacter;
        ++pages;
    }
    EXPECT_EQ(first, control.TextLength());
    // A line's letters come as one text: what is drawn is every word's letters, in order.
    const auto joined = [](const std::vector<std::string>& texts) {
        return std::accumulate(texts.begin(), texts.end(), std::string());
    };
    EXPECT_EQ(joined(drawn), joined(words));
    EXPECT_GT(pages, 5);
}

// Ten mebibytes in one paragraph: every page is laid out from where the last one ended, so the
// whole document costs time in proportion to its length, not to its length squared.
TEST(TextLayoutTest, HugeParagraphLoadsAndFlowsPageByPage) {
    constexpr std::size_t kBytes = 10 * 1024 * 1024;
    std::string text;
    text.reserve(kBytes);
    while (text.size() < kBytes) {
        text += "abcd ";
    }
    FixedTextMetrics metrics(kAdvance, kLineHeight);
    RichEditControl control(metrics);
    control.LoadFromStream(WriteRtf(Doc({Para(Courier(10), text)})));
    ASSERT_EQ(control.TextLength(), static_cast<int>(kBytes + 1));

    // 80 characters (16 words) per line, 60 lines per page.
    const Rect page{0, 0, 480, 720};
    constexpr int kPerPage = 80 * 60;
    int first = 0;
    int pages = 0;
    while (first < control.TextLength()) {
        const int next = control.Measure(first, page, 72, 72).NextCharacter;
        ASSERT_EQ(next, std::min(first + kPerPage, control.TextLength())) << "page " << pages;
        first = next;
        ++pages;
    }
    EXPECT_EQ(pages, (control.TextLength() + kPerPage - 1) / kPerPage);
}

}  // namespace
}  // namespace ostrelin::platform::richtext
