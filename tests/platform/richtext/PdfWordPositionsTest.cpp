#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/CommandOutput.h"
#include "platform/TempDir.h"
#include "platform/printing/pdf/PdfPageWriter.h"
#include "platform/richtext/Cp1250.h"
#include "platform/richtext/Documents.h"
#include "platform/richtext/RichEditControl.h"
#include "platform/richtext/qt/QtTextMetrics.h"

namespace ostrelin::platform::richtext {
namespace {

namespace fs = std::filesystem;
using testing::Font;
using testing::Para;

// How far a word may stand from where it stood when the expectation was recorded, in points.
constexpr double kTolerance = 0.1;

// UTF-8 source text as the code page 1250 bytes that documents hold.
std::string Cp1250(const char* utf8) {
    std::string bytes;
    for (const QChar c : QString::fromUtf8(utf8)) {
        bytes += static_cast<char>(UnicodeToCp1250(c.unicode()).value());
    }
    return bytes;
}

// A page of text in three typefaces, four sizes, every style, with indents, a tab and lines that
// wrap, on proportional and fixed-pitch fonts.
RichTextDocument SampleDocument() {
    Paragraph first = Para(Font("Courier New", 10), Cp1250("Příliš žluťoučký kůň úpěl"));
    AppendText(first, Font("Courier New", 10, true), Cp1250(" ďábelské ódy,"));
    AppendText(first, Font("Courier New", 10, false, true), Cp1250(" kurzívou"));
    AppendText(first, Font("Courier New", 10, true, true, true), Cp1250(" a tučně podtržené."));

    Paragraph second = Para(Font("Arial", 12), Cp1250("Věta v Arialu, "), 36);
    AppendText(second, Font("Arial", 12, true), Cp1250("tučná WAVE i iii,"));
    AppendText(second, Font("Arial", 8, false, true), Cp1250(" malá kurzíva"));
    AppendText(second, Font("Arial", 16), Cp1250(" a velké Ťuk."));

    Paragraph third =
        Para(Font("Times New Roman", 14, false, true),
             Cp1250("Patkové písmo\todsazené tabulátorem, s řádkem tak dlouhým, že se zalomí "
                    "na další řádky a ty začínají u odsazení odstavce."),
             18);
    AppendText(third, Font("Times New Roman", 14, true), Cp1250(" Konec: 1234567890."));

    return testing::Doc({
        first,
        second,
        Para(Font("Courier New", 8), ""),
        third,
        Para(Font("Courier New", 16, true), Cp1250("Šestnáct bodů\ttab"), 72),
        Para(Font("Arial", 10, false, false, true), Cp1250("Podtržený Arial na konci stránky.")),
    });
}

// One word of a PDF's text layer with its box in points from the page's top left corner.
struct Word {
    std::string Text;
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;
};

std::vector<Word> WordsOf(const fs::path& pdf) {
    const std::string xml =
        ostrelin::testing::CommandOutput("pdftotext -bbox '" + pdf.string() + "' -");
    const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto match = std::sregex_iterator(xml.begin(), xml.end(), word);
         match != std::sregex_iterator(); ++match) {
        words.push_back({(*match)[5].str(), std::stod((*match)[1].str()),
                         std::stod((*match)[2].str()), std::stod((*match)[3].str()),
                         std::stod((*match)[4].str())});
    }
    return words;
}

std::string Table(const std::vector<Word>& words) {
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(3);
    for (const Word& w : words) {
        out << w.Text << ' ' << w.Left << ' ' << w.Top << ' ' << w.Right << ' ' << w.Bottom << '\n';
    }
    return out.str();
}

std::vector<Word> ExpectedWords(const std::string& name) {
    std::ifstream in(fs::path(OSTRELIN_SOURCE_DIR) / "tests/platform/richtext/fixtures" / name);
    std::vector<Word> words;
    Word w;
    while (in >> w.Text >> w.Left >> w.Top >> w.Right >> w.Bottom) {
        words.push_back(w);
    }
    return words;
}

struct Device {
    const char* name;
    printing::Resolution dpi;
};

// The words of `document` laid out and drawn into a PDF page at the device's resolution, half an
// inch from the sheet's left and top edges, six inches wide and four high.
std::vector<Word> RenderedWords(const RichTextDocument& document, printing::Resolution dpi,
                                QtTextMetrics& metrics) {
    const ostrelin::testing::TempDir folder;
    const fs::path pdf = folder.Path() / "page.pdf";
    RichEditControl control(metrics);
    control.SetDocument(document);
    {
        printing::pdf::PdfPageWriter writer(pdf, "Poloha slov", dpi);
        writer.StartPage(printing::Sheet{21000, 29700, false});
        const canvas::Rect area{dpi.X / 2, dpi.Y / 2, dpi.X * 13 / 2, dpi.Y * 9 / 2};
        EXPECT_EQ(control.Render(0, area, writer.Canvas()).NextCharacter, control.TextLength());
        writer.Finish();
    }
    return WordsOf(pdf);
}

class PdfWordPositions : public ::testing::TestWithParam<Device> {};

// Compares every word of the sample page's text layer with the positions recorded from an
// earlier rendering: each word keeps its text, its order and, within a tenth of a point, where it
// starts, its top and its bottom. Its right end is not compared: the letters within a word used
// to be advanced by the device, kerned and, at 600 dpi, in a font rounded to whole pixels, so
// that a word could end up to 1.6 points short of where the layout ended it; the next test holds
// the ends to the layout.
TEST_P(PdfWordPositions, EveryWordStandsWhereItStood) {
    const Device& device = GetParam();
    QtTextMetrics metrics;
    const std::vector<Word> actual = RenderedWords(SampleDocument(), device.dpi, metrics);
    const std::vector<Word> expected = ExpectedWords(
        "word-positions-" + std::to_string(device.dpi.X) + "x" + std::to_string(device.dpi.Y));
    ASSERT_EQ(actual.size(), expected.size()) << "the page now reads:\n" << Table(actual);
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const Word& a = actual[i];
        const Word& e = expected[i];
        EXPECT_EQ(a.Text, e.Text) << "word " << i;
        EXPECT_NEAR(a.Left, e.Left, kTolerance) << "left of word " << i << " " << e.Text;
        EXPECT_NEAR(a.Top, e.Top, kTolerance) << "top of word " << i << " " << e.Text;
        EXPECT_NEAR(a.Bottom, e.Bottom, kTolerance) << "bottom of word " << i << " " << e.Text;
    }
}

// Words whose letters a kerning font would pull together, in fonts of sizes that are no whole
// number of pixels at 600 dpi: each word is as wide as the layout measured its letters, at
// every resolution.
TEST_P(PdfWordPositions, WordsAreAsWideAsTheLayoutMeasuredThem) {
    const Device& device = GetParam();
    const CharFormat arial = Font("Arial", 12, true);
    const CharFormat times = Font("Times New Roman", 14, false, true);
    const std::vector<std::pair<CharFormat, std::string>> words = {
        {arial, "WAVE"}, {arial, "AVATAR"},        {arial, Cp1250("Týden")},
        {arial, "T."},   {times, Cp1250("Ťava,")}, {times, "LTA"}};
    Paragraph paragraph;
    for (const auto& [format, text] : words) {
        AppendText(paragraph, format, text + " ");
    }
    QtTextMetrics metrics;
    const std::vector<Word> drawn = RenderedWords(testing::Doc({paragraph}), device.dpi, metrics);

    ASSERT_EQ(drawn.size(), words.size()) << Table(drawn);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto& [format, text] = words[i];
        const FontMeasures measures = metrics.Measure(format);
        double width = 0;
        for (const char c : text) {
            width += measures.Advances[static_cast<std::uint8_t>(c)];
        }
        // Each letter stands at its place rounded to whole device pixels: the first and the last
        // may each be off by half a pixel.
        EXPECT_NEAR(drawn[i].Right - drawn[i].Left, width, 72.0 / device.dpi.X + 0.005)
            << drawn[i].Text;
    }
}

// The built-in PDF printer's resolution, and a printer that resolves twice as finely down the page
// as across it.
INSTANTIATE_TEST_SUITE_P(Devices, PdfWordPositions,
                         ::testing::Values(Device{"At720x720", {720, 720}},
                                           Device{"At600x1200", {600, 1200}}),
                         testing::CaseName());

}  // namespace
}  // namespace ostrelin::platform::richtext
