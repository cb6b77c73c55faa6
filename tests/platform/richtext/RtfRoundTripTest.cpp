#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/richtext/Documents.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

namespace ostrelin::platform::richtext {
namespace {

using testing::Courier;
using testing::Doc;
using testing::Font;
using testing::Para;

struct RoundTripCase {
    std::string name;
    RichTextDocument document;
    friend void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.name; }
};

// "Příliš žluťoučký kůň úpěl ďábelské ódy" and a few typographic signs, in code page 1250.
const std::string kCzech =
    "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y "
    "\x80 \x84Tisk\x93 \x96 \xA7 \xB0";

Paragraph MixedRuns() {
    Paragraph paragraph{.LeftIndentPoints = 0, .Runs = {}, .MarkFormat = Courier(10)};
    AppendText(paragraph, Courier(10), "plain ");
    AppendText(paragraph, Courier(10, true), "bold ");
    AppendText(paragraph, Courier(10, false, true), "italic ");
    AppendText(paragraph, Courier(10, false, false, true), "under ");
    AppendText(paragraph, Courier(10, true, true, true), "all three");
    AppendText(paragraph, Courier(16), "123");  // digits right after \fs32
    AppendText(paragraph, Courier(8), " leading space");
    return paragraph;
}

Paragraph MarkUnlikeText() {
    Paragraph paragraph = Para(Courier(12, true), "bold text, 16 point mark");
    paragraph.MarkFormat = Courier(16);
    return paragraph;
}

std::vector<RoundTripCase> RoundTripCases() {
    return {
        {"Empty", Doc({})},
        {"OneParagraph", Doc({Para(Courier(10), "Total")})},
        {"Sizes",
         Doc({Para(Courier(16), "sixteen"), Para(Courier(12), "twelve"), Para(Courier(10), "ten"),
              Para(Courier(8), "eight"), Para(Courier(10.5), "ten and a half")})},
        {"Styles", Doc({MixedRuns()})},
        {"Indents", Doc({Para(Courier(10), "a", 36), Para(Courier(10), "b", 0),
                         Para(Courier(10), "c", 255), Para(Courier(10), "d", 12.5)})},
        {"CzechLetters", Doc({Para(Courier(10), kCzech), Para(Courier(10, true), "\xC8\xE1stka")})},
        {"UndefinedCodePageBytes", Doc({Para(Courier(10), "a\x81\x83\x88\x90\x98z")})},
        {"EmptyParagraphs", Doc({Para(Courier(10), ""), Para(Courier(10), "between"),
                                 Para(Courier(16), ""), Para(Courier(8, true), "", 20)})},
        {"SpecialCharacters",
         Doc({Para(Courier(10), "{braces} \\back\\slash\\ \\par \\'e8 ;semi; \ttab\t"),
              Para(Courier(10), "\\"), Para(Courier(10), "}"), Para(Courier(10), "  two spaces")})},
        {"ControlBytes", Doc({Para(Courier(10), "lone\rCR, lone\nLF, \x01 and \x7F")})},
        {"SeveralFonts",
         Doc({Para(Font("Arial", 11), "Arial"), Para(Font("Times New Roman", 14, false, true), "T"),
              Para(Courier(10), "C"), Para(Font("Some Font", 9), "S")},
             Font("Arial", 9, true))},
        {"MarkFormatOfItsOwn", Doc({MarkUnlikeText(), Para(Courier(10), "next")})},
        {"LongParagraph", Doc({Para(Courier(10), std::string(100000, 'x') + "\xE8" + "end")})},
    };
}

class RtfRoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RtfRoundTripTest, ReaderGivesBackWhatTheWriterWrote) {
    const RichTextDocument& document = GetParam().document;
    const std::string rtf = WriteRtf(document);
    const std::optional<RichTextDocument> read = ReadRtf(rtf);
    ASSERT_TRUE(read) << rtf;
    EXPECT_EQ(*read, document) << rtf.substr(0, 2000);
    EXPECT_EQ(read->Length(), document.Length());
}

INSTANTIATE_TEST_SUITE_P(Documents, RtfRoundTripTest, ::testing::ValuesIn(RoundTripCases()),
                         testing::CaseName());

TEST(RtfWriterTest, MarksCodePageFontsSizesStylesAndIndents) {
    Paragraph paragraph = Para(Courier(12, true, false, true), "\xE8", 36);
    const std::string rtf = WriteRtf(Doc({paragraph}));

    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1250\\deff0")) << rtf;
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset238 Courier New;}}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("{\\stylesheet{\\f0\\fs20 Normal;}}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\pard\\li720\\plain\\f0\\fs24\\b\\ul \\u269\\'e8\\par"), std::string::npos)
        << rtf;
    EXPECT_TRUE(rtf.ends_with("}\n"));
}

}  // namespace
}  // namespace ostrelin::platform::richtext
