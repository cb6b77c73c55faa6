#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/printing/fake/FakePrintingSystem.h"
#include "platform/richtext/fake/FixedTextMetrics.h"
#include "report/TQRBand.h"
#include "report/TQRReport.h"
#include "report/TQRRichText.h"

namespace ostrelin::report {
namespace {

namespace pp = platform::printing;
namespace pc = platform::canvas;
namespace rt = platform::richtext;

// At 254 dots per inch a device pixel is a tenth of a millimetre. The fixed metrics make a
// 10-point line 40 pixels (4 mm) high, its baseline 30 pixels below its top, and a character
// 20 pixels wide.
constexpr double kLineHeightPerPoint = 4 * 72.0 / 254.0;
constexpr double kAdvancePerPoint = 2 * 72.0 / 254.0;
constexpr int kLine = 40;
constexpr int kAscent = 30;

// The A4 page of these tests: the printable height runs from 100 to 2820, 2720 tenths.
constexpr int kTop = 100;
constexpr int kPrintableHeight = 2720;

pp::fake::FakePrinterSetup Printer254() {
    pp::fake::FakePrinterSetup printer;
    printer.Name = "Alpha";
    printer.Dpi = {254, 254};
    return printer;
}

rt::CharFormat Courier(double points) {
    return {.FontName = "Courier New", .SizePoints = points};
}

// Paragraphs "L0", "L1", ... each one line; paragraph number `giant` is "G" instead, in a font
// so large that its line (3200 pixels) is taller than a page.
rt::RichTextDocument Lines(int count, int giant = -1) {
    rt::RichTextDocument document(Courier(10));
    for (int i = 0; i < count; ++i) {
        rt::Paragraph paragraph;
        const rt::CharFormat format = Courier(i == giant ? 800 : 10);
        paragraph.MarkFormat = format;
        std::string text(1, i == giant ? 'G' : 'L');
        if (i != giant) {
            text += std::to_string(i);
        }
        rt::AppendText(paragraph, format, text);
        document.AppendParagraph(paragraph);
    }
    return document;
}

struct PrintedLine {
    int Number;  // -1 for the giant line
    pc::Point Origin;
    friend bool operator==(const PrintedLine&, const PrintedLine&) = default;
};

// The report of a text job: one detail band as high as the printable area, and a rich-text
// element filling it.
class RichTextFlow : public ::testing::Test {
  protected:
    RichTextFlow()
        : system({Printer254()}, "Alpha"),
          metrics(kAdvancePerPoint, kLineHeightPerPoint),
          report(system) {
        report.SetShowProgress(false);
        report.SetPrintIfEmpty(true);
        report.SetUnits(TQRUnit::Native);
        TQRPage& page = report.Page();
        page.SetPaperSize(TQRPaperSize::A4);
        page.SetTopMargin(kTop);
        page.SetBottomMargin(150);
        page.SetLeftMargin(100);
        page.SetRightMargin(100);
        band = std::make_unique<TQRBand>(&report, rbDetail);
        band->SetNativeHeight(kPrintableHeight);
        band->AfterPrint = [this](TQRCustomBand&, bool) { bandEnd = report.CurrentY(); };
        // A flow that stops making progress fails the test instead of running on for ever.
        report.OnStartPage = [](TQRReport& running) {
            if (running.PageNumber() > 20) {
                throw Error("runaway flow");
            }
        };
        text = std::make_unique<TQRRichText>(band.get(), metrics);
        text->SetAutoStretch(true);
        text->Size().SetWidth(band->NativeWidth());
        text->Size().SetHeight(kPrintableHeight);
    }

    void Print(const rt::RichTextDocument& document) {
        text->SetLines(document);
        system.Log().Documents.clear();
        report.PrintReport();
    }

    const pp::fake::FakeDocument& Document() const { return *system.Log().Documents.at(0); }
    int Pages() const { return static_cast<int>(Document().Pages.size()); }

    // The lines drawn on page `page` (from 1).
    std::vector<PrintedLine> LinesOn(int page) const {
        std::vector<PrintedLine> lines;
        for (const auto& command :
             Document().Pages.at(static_cast<std::size_t>(page - 1))->Commands()) {
            if (const auto* drawn = std::get_if<pc::TextCommand>(&command)) {
                const int number = drawn->Text == "G" ? -1 : std::stoi(drawn->Text.substr(1));
                lines.push_back({number, drawn->Origin});
            }
        }
        return lines;
    }

    // Lines `first` to `end` - 1 stacked from the top of the printable area at `left`.
    static std::vector<PrintedLine> Stacked(int first, int end, int left = 100) {
        std::vector<PrintedLine> lines;
        for (int i = first; i < end; ++i) {
            lines.push_back({i, {left, kTop + (i - first) * kLine + kAscent}});
        }
        return lines;
    }

    pp::fake::FakePrintingSystem system;
    rt::FixedTextMetrics metrics;
    TQRReport report;
    std::unique_ptr<TQRBand> band;
    std::unique_ptr<TQRRichText> text;
    int bandEnd = 0;  // the print position after the band, on its last page
};

TEST_F(RichTextFlow, TheDocumentFlowsOverPagesFillingTheFirstAndGrowingByFiveMillimetres) {
    // The first page takes 68 lines (2720 / 40); a following page's band reaches 2700, the
    // largest multiple of 50 within 2720, and takes 67; the last page's band grows from 100 in
    // steps of 50 until the rest fits.
    const struct {
        int lines;
        std::vector<int> perPage;
        int bandBottom;
    } cases[] = {
        {10, {10}, kTop + kPrintableHeight},
        {68, {68}, kTop + kPrintableHeight},
        {69, {68, 1}, kTop + 100},
        {68 + 67 + 30, {68, 67, 30}, kTop + 1200},
        {68 + 67 + 31, {68, 67, 31}, kTop + 1250},
        {68 + 67 + 67 + 1, {68, 67, 67, 1}, kTop + 100},
    };
    for (const auto& c : cases) {
        Print(Lines(c.lines));
        ASSERT_EQ(Pages(), static_cast<int>(c.perPage.size())) << c.lines;
        int first = 0;
        for (std::size_t page = 0; page < c.perPage.size(); ++page) {
            EXPECT_EQ(LinesOn(static_cast<int>(page) + 1), Stacked(first, first + c.perPage[page]))
                << c.lines << " lines, page " << page + 1;
            first += c.perPage[page];
        }
        EXPECT_EQ(bandEnd, c.bandBottom) << c.lines;
        EXPECT_DOUBLE_EQ(band->NativeHeight(), kPrintableHeight) << c.lines;
    }
}

TEST_F(RichTextFlow, AnEmptyDocumentPrintsNothingAndLeavesTheBandAtItsSize) {
    Print(Lines(0));
    ASSERT_EQ(Pages(), 1);
    EXPECT_TRUE(LinesOn(1).empty());
    EXPECT_EQ(bandEnd, kTop + kPrintableHeight);
}

TEST_F(RichTextFlow, ALoadedDocumentReplacesTheWholePreviousOne) {
    text->LoadLines("{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0\\fs20 L7\\par L8\\par L9}");
    system.Log().Documents.clear();
    report.PrintReport();
    EXPECT_EQ(LinesOn(1),
              (std::vector<PrintedLine>{{7, {100, 130}}, {8, {100, 170}}, {9, {100, 210}}}));
    text->LoadLines("{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0\\fs20 L4}");
    system.Log().Documents.clear();
    report.PrintReport();
    EXPECT_EQ(LinesOn(1), (std::vector<PrintedLine>{{4, {100, 130}}}));
}

TEST_F(RichTextFlow, ALineTallerThanAPageIsPrintedClippedInsteadOfMovingOnForEver) {
    // Three lines, the giant line, three more lines.
    Print(Lines(7, 3));
    ASSERT_EQ(Pages(), 3);
    EXPECT_EQ(LinesOn(1), Stacked(0, 3));
    // The giant line goes on a page of its own, cut at the bottom of the band's rectangle.
    const auto& page2 = Document().Pages.at(1)->Commands();
    const auto clip = std::find_if(page2.begin(), page2.end(), [](const pc::CanvasCommand& c) {
        return std::holds_alternative<pc::ClipCommand>(c);
    });
    ASSERT_NE(clip, page2.end());
    EXPECT_EQ(std::get<pc::ClipCommand>(*clip).Area,
              (pc::Rect{100, kTop, 100 + 1900, kTop + 2700}));
    ASSERT_EQ(LinesOn(2).size(), 1u);
    EXPECT_EQ(LinesOn(2)[0].Number, -1);
    EXPECT_TRUE(std::holds_alternative<pc::RemoveClipCommand>(page2.back()));
    EXPECT_EQ(LinesOn(3), Stacked(4, 7));
}

TEST_F(RichTextFlow, AGiantFirstLineIsForcedOnTheFirstPageWhenTheBandStartsAtTheTop) {
    Print(Lines(2, 0));
    ASSERT_EQ(Pages(), 2);
    ASSERT_EQ(LinesOn(1).size(), 1u);
    EXPECT_EQ(LinesOn(1)[0].Number, -1);
    EXPECT_EQ(LinesOn(2), Stacked(1, 2));
}

TEST_F(RichTextFlow, WithoutAutoStretchTextBeyondTheElementIsCutOffAndTheFrameIsDrawn) {
    text->Frame().DrawTop = true;
    text->Size().SetHeight(400);  // room for 10 lines
    const auto framed = [this](int page) {
        const auto& commands = Document().Pages.at(static_cast<std::size_t>(page - 1))->Commands();
        return std::any_of(commands.begin(), commands.end(), [](const pc::CanvasCommand& c) {
            return std::holds_alternative<pc::LineCommand>(c);
        });
    };

    text->SetAutoStretch(false);
    Print(Lines(20));
    ASSERT_EQ(Pages(), 1);
    EXPECT_EQ(LinesOn(1), Stacked(0, 10));
    EXPECT_TRUE(framed(1));

    // Stretching, the element's rectangle still bounds the first page, since the band (as high
    // as the printable area) cannot grow; the rest continues on the next page.
    text->SetAutoStretch(true);
    Print(Lines(20));
    ASSERT_EQ(Pages(), 2);
    EXPECT_EQ(LinesOn(1), Stacked(0, 10));
    EXPECT_EQ(LinesOn(2), Stacked(10, 20));
    EXPECT_FALSE(framed(1));
    EXPECT_FALSE(framed(2));
}

TEST_F(RichTextFlow, AColumnChangeMovesTheTextSidewaysByTheColumnShift) {
    report.Page().SetColumnSpace(100);
    report.Page().SetColumns(2);
    text->Size().SetWidth(band->NativeWidth());
    Print(Lines(68 + 10));
    ASSERT_EQ(Pages(), 1);
    const int shift = static_cast<int>(std::lround(band->NativeWidth() + 100));
    std::vector<PrintedLine> expected = Stacked(0, 68);
    const std::vector<PrintedLine> second = Stacked(68, 78, 100 + shift);
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(LinesOn(1), expected);
}

TEST_F(RichTextFlow, AParentRichEditsDocumentIsPrintedInsteadOfTheOwn) {
    rt::RichEditControl other(metrics);
    other.SetDocument(Lines(3));
    text->SetParentRichEdit(&other);
    EXPECT_EQ(text->Lines().Document(), Lines(3));

    other.SetDocument(Lines(2));
    Print(Lines(5));  // sets the parent's document too
    EXPECT_EQ(LinesOn(1), Stacked(0, 5));
    other.SetDocument(Lines(2));
    system.Log().Documents.clear();
    report.PrintReport();
    EXPECT_EQ(LinesOn(1), Stacked(0, 2));

    text->SetParentRichEdit(nullptr);
    system.Log().Documents.clear();
    report.PrintReport();
    EXPECT_EQ(LinesOn(1), Stacked(0, 5));
}

TEST(Twips, DevicePositionsBecomeTwipsTruncatedAndComeBackRounded) {
    const struct {
        int pixels, dpi, twips;
    } cases[] = {
        {2362, 600, 5668}, {100, 254, 566}, {1, 96, 15}, {5953, 720, 11906}, {0, 600, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeviceToTwips(c.pixels, c.dpi), c.twips) << c.pixels << " at " << c.dpi;
        EXPECT_EQ(TwipsToDevice(c.twips, c.dpi), c.pixels) << c.pixels << " at " << c.dpi;
    }
}

}  // namespace
}  // namespace ostrelin::report
