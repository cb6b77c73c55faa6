#include <gtest/gtest.h>

#include <QString>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
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
    // Whether a word's right end is pinned too. It is where every point size of the page is a
    // whole number of device pixels; elsewhere Qt used to round a font to whole pixels at draw
    // time (10 points at 600 dpi became 9.96), which shortened each word by a rounding that where
    // its letters stand must not depend on.
    bool pinsRightEnds;
};

class PdfWordPositions : public ::testing::TestWithParam<Device> {};

// Renders the sample page into a PDF at the device's resolution and compares every word of the
// text layer with the positions recorded from an earlier rendering: each word keeps its text,
// its order and, within a tenth of a point, where it starts, its top and its bottom.
TEST_P(PdfWordPositions, EveryWordStandsWhereItStood) {
    const Device& device = GetParam();
    const ostrelin::testing::TempDir folder;
    const fs::path pdf = folder.Path() / "page.pdf";
    QtTextMetrics metrics;
    RichEditControl control(metrics);
    control.SetDocument(SampleDocument());
    {
        printing::pdf::PdfPageWriter writer(pdf, "Poloha slov", device.dpi);
        writer.StartPage(printing::Sheet{21000, 29700, false});
        // Half an inch from the left and top edges, six inches wide, four inches high.
        const canvas::Rect area{device.dpi.X / 2, device.dpi.Y / 2, device.dpi.X * 13 / 2,
                                device.dpi.Y * 9 / 2};
        EXPECT_EQ(control.Render(0, area, writer.Canvas()).NextCharacter, control.TextLength());
        writer.Finish();
    }

    const std::vector<Word> actual = WordsOf(pdf);
    const std::vector<Word> expected = ExpectedWords(
        "word-positions-" + std::to_string(device.dpi.X) + "x" + std::to_string(device.dpi.Y));
    ASSERT_EQ(actual.size(), expected.size()) << "the page now reads:\n" << Table(actual);
    for (std::size_t i = 0; i < actual.size(); ++i) {
        const Word& a = actual[i];
        const Word& e = expected[i];
        EXPECT_EQ(a.Text, e.Text) << "word " << i;
        EXPECT_NEAR(a.Left, e.Left, kTolerance) << "left of word " << i << " " << e.Text;
        EXPECT_NEAR(a.Top, e.Top, kTolerance) << "top of word " << i << " " << e.Text;
        if (device.pinsRightEnds) {
            EXPECT_NEAR(a.Right, e.Right, kTolerance) << "right of word " << i << " " << e.Text;
        }
        EXPECT_NEAR(a.Bottom, e.Bottom, kTolerance) << "bottom of word " << i << " " << e.Text;
    }
}

// The built-in PDF printer's resolution, and a printer that resolves twice as finely down the page
// as across it.
INSTANTIATE_TEST_SUITE_P(Devices, PdfWordPositions,
                         ::testing::Values(Device{"At720x720", {720, 720}, true},
                                           Device{"At600x1200", {600, 1200}, false}),
                         testing::CaseName());

}  // namespace
}  // namespace ostrelin::platform::richtext
