#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/richtext/Documents.h"
#include "platform/richtext/PlainText.h"
#include "platform/richtext/RichEditControl.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"
#include "platform/richtext/fake/FixedTextMetrics.h"

namespace ostrelin::platform::richtext {
namespace {

using testing::Courier;
using testing::Doc;
using testing::Font;
using testing::Para;

struct ForeignCase {
    std::string name;
    std::string rtf;
    RichTextDocument expected;
    friend void PrintTo(const ForeignCase& c, std::ostream* out) { *out << c.name; }
};

// As LibreOffice writes a document: code page 1252 with letters beyond it as \uN and a '?'
// fallback, a style sheet, a generator mark, document information and page styles.
const char* const kLibreOffice = R"({\rtf1\ansi\deff0\adeflang1025
{\fonttbl{\f0\froman\fprq2\fcharset0 Times New Roman;}{\f1\froman\fprq2\fcharset2 Symbol;}{\f2\fswiss\fprq2\fcharset0 Arial;}{\f3\froman\fprq2\fcharset0 Liberation Serif{\*\falt Times New Roman};}{\f4\fmodern\fprq1\fcharset0 Liberation Mono{\*\falt Courier New};}}
{\colortbl;\red0\green0\blue0;\red128\green128\blue128;}
{\stylesheet{\s0\snext0\dbch\af5\langfe2052\dbch\af6\afs24\alang1081\loch\f3\fs24\lang1029 Normal;}
{\s15\sbasedon0\snext16\ql\keepn\sb240\sa120\dbch\af7\langfe2052\dbch\af6\afs28\loch\f2\fs28\lang1029 Heading;}
}{\*\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}{\info{\title Zkouška}{\creatim\yr2024\mo3\dy1\hr10\min5}{\revtim\yr2024\mo3\dy1\hr10\min6}}{\*\userprops}\deftab709
\hyphauto1\viewscale100
{\*\pgdsctbl
{\pgdsc0\pgdscuse451\pgwsxn11906\pghsxn16838\marglsxn1134\margrsxn1134\pgdscnxt0 Default Page Style;}}
\formshade\paperh16838\paperw11906\margl1134\margr1134\sectd\sbknone\pgndec\sftnnar\sectunlocked1\pgwsxn11906\pghsxn16838
{\*\ftnsep\chftnsep}\pgndec\pard\plain \s0\dbch\af5\langfe2052\dbch\af6\afs24\alang1081\loch\f3\fs24\lang1029{\rtlch \ltrch\loch
P\u345\'3f\'edli\u353\'3f \u382\'3flu\u357\'3fou\u269\'3fk\u253\'fd k\u367\'3f\u328\'3f}
\par \pard\plain \s0\li720\loch\f4\fs20 {\loch
Indented }{\b\loch bold}{\loch  and }{\i\ul\loch italic underlined}
\par })";

// As Word writes one: code page 1250 bytes, panose entries inside the font table, a Normal style
// without a style number, character styles, revision tables and fields.
const char* const kWord =
    R"({\rtf1\adeflang1025\ansi\ansicpg1250\uc1\adeff0\deff0\stshfdbch0\stshfloch31506\deflang1029{\fonttbl{\f0\fbidi \froman\fcharset238\fprq2{\*\panose 02020603050405020304}Times New Roman;}
{\f2\fbidi \fmodern\fcharset238\fprq1{\*\panose 02070309020205020404}Courier New;}}
{\colortbl;\red0\green0\blue0;}{\*\defchp \fs22\lang1029\langfe1033 }{\*\defpap \ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault }\noqfpromote {\stylesheet{\ql \li0\ri0\sa160\sl259\slmult1\widctlpar\wrapdefault\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs22\alang1025 \ltrch\fcs0 \fs22\lang1029\langfe1033\cgrid\langnp1029\langfenp1033 \snext0 \sqformat \spriority0 Normal;}{\*\cs10 \additive \ssemihidden \sunhideused \spriority1 Default Paragraph Font;}}
{\*\rsidtbl \rsid1234\rsid5678}{\mmathPr\mmathFont34\mbrkBin0}{\info{\title Zpr\'e1va}{\author Jan}{\operator Jan}}
\paperw11906\paperh16838\margl1417\margr1417\margt1417\margb1417\gutter0\ltrsect
\pard\plain \ltrpar\ql \li0\ri0\sa160\widctlpar\rin0\lin0\itap0 \rtlch\fcs1 \af0\afs22\alang1025 \ltrch\fcs0 \fs22\lang1029 {\rtlch\fcs1 \af2 \ltrch\fcs0 \f2\fs20\ul\insrsid1234 \'c8\'e1stka\tab 100\~K\'e8}{\rtlch\fcs1 \af0 \ltrch\fcs0 \insrsid1234 \par }
\pard \ltrpar\li1440 {\field{\*\fldinst {\rtlch\fcs1 \af0 HYPERLINK "http://example.org/" }}{\fldrslt {\rtlch\fcs1 \af0 \ul odkaz}}}{\rtlch\fcs1 \af0 \insrsid5678 \par }})";

// Unicode escapes with every fallback length, nested groups, escaped characters, hidden text and
// text after the last paragraph end, with the closing brace missing.
const char* const kEscapes =
    R"({\rtf1\ansi\ansicpg1250\deff0{\fonttbl{\f0 Courier New;}}\fs20 )"
    R"(\uc2\u269 xx\uc0\u345\u8364\uc1\u945 a\u-3913 ?{\b\u353\'9a bold}plain)"
    R"( \\ \{ \} {\v hidden}\line second\par)"
    R"(\pard\li-100 \i last)";

CharFormat Serif(double size, bool bold = false) {
    return Font("Liberation Serif", size, bold);
}
CharFormat Mono(double size, bool bold = false, bool italic = false, bool underline = false) {
    return Font("Liberation Mono", size, bold, italic, underline);
}

Paragraph IndentedMixed() {
    Paragraph paragraph{.LeftIndentPoints = 36, .Runs = {}, .MarkFormat = Mono(10)};
    AppendText(paragraph, Mono(10), "Indented ");
    AppendText(paragraph, Mono(10, true), "bold");
    AppendText(paragraph, Mono(10), " and ");
    AppendText(paragraph, Mono(10, false, true, true), "italic underlined");
    return paragraph;
}

Paragraph WordFirst() {
    Paragraph paragraph{
        .LeftIndentPoints = 0, .Runs = {}, .MarkFormat = Font("Times New Roman", 11)};
    AppendText(paragraph, Courier(10, false, false, true), "\xC8\xE1stka\t100\xA0K\xE8");
    return paragraph;
}

// The link's text is underlined inside its field; the paragraph's end is not.
Paragraph Link() {
    Paragraph paragraph = Para(Font("Times New Roman", 11, false, false, true), "odkaz", 72);
    paragraph.MarkFormat = Font("Times New Roman", 11);
    return paragraph;
}

Paragraph EscapesFirst() {
    Paragraph paragraph{.LeftIndentPoints = 0, .Runs = {}, .MarkFormat = Courier(10)};
    AppendText(paragraph, Courier(10),
               "\xE8\xF8\x80"
               "a?");
    AppendText(paragraph, Courier(10, true), "\x9A bold");
    AppendText(paragraph, Courier(10), "plain \\ { } ");
    return paragraph;
}

std::vector<ForeignCase> ForeignCases() {
    return {
        {"LibreOffice", kLibreOffice,
         Doc({Para(Serif(12), "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"), IndentedMixed()},
             Serif(12))},
        {"Word", kWord, Doc({WordFirst(), Link()}, Font("Times New Roman", 11))},
        {"NoFinalParagraphEnd", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\li720\\fs20 Hello}",
         Doc({Para(Font("Arial", 10), "Hello", 36)}, Font("Arial", 12))},
        {"Escapes", kEscapes,
         Doc({EscapesFirst(), Para(Courier(10), "second"),
              Para(Courier(10, false, true), "last", -5)},
             Courier(12))},
    };
}

class RtfReaderForeignTest : public ::testing::TestWithParam<ForeignCase> {};

TEST_P(RtfReaderForeignTest, ReadsTextAndFormattingOfOtherWriters) {
    const std::optional<RichTextDocument> read = ReadRtf(GetParam().rtf);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Writers, RtfReaderForeignTest, ::testing::ValuesIn(ForeignCases()),
                         testing::CaseName());

TEST(RtfReaderTest, RefusesWhatIsNotRtf) {
    EXPECT_FALSE(ReadRtf(""));
    EXPECT_FALSE(ReadRtf("Hello"));
    EXPECT_FALSE(ReadRtf(" {\\rtf1 late}"));
    EXPECT_FALSE(ReadRtf("{\\rtf1 " + std::string(5000, '{') + "deep"));
    EXPECT_TRUE(ReadRtf("{\\rtf1 " + std::string(500, '{') + "deep"));
}

TEST(RtfReaderTest, KeepsFontSizesWithinWhatWritersProduce) {
    const std::optional<RichTextDocument> read =
        ReadRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\fs2000000000 a\\par\\fs-4 b\\par\\fs0 c\\par}");
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, Doc({Para(Font("Arial", 1638), "a"), Para(Font("Arial", 12), "b"),
                          Para(Font("Arial", 12), "c")},
                         Font("Arial", 12)));
}

TEST(RtfReaderTest, StopsAtTheEndOfTheOuterGroup) {
    const std::optional<RichTextDocument> read = ReadRtf("{\\rtf1 inside\\par}outside\\par");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->Paragraphs().size(), 1u);
    EXPECT_EQ(read->Paragraphs()[0].Runs.at(0).Text, "inside");
}

TEST(RtfReaderTest, TextBeforeTheOuterGroupEndsIsTheLastParagraph) {
    const std::optional<RichTextDocument> read = ReadRtf("{\\rtf1 first\\par\\li200 last}");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->Paragraphs().size(), 2u);
    EXPECT_EQ(read->Paragraphs()[1].Runs.at(0).Text, "last");
    EXPECT_EQ(read->Paragraphs()[1].LeftIndentPoints, 10);
}

struct PlainCase {
    std::string name;
    std::string text;
    std::vector<std::string> paragraphs;
    friend void PrintTo(const PlainCase& c, std::ostream* out) { *out << c.name; }
};

class PlainTextTest : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainTextTest, OneParagraphPerLine) {
    const CharFormat format = Font("Arial", 10);
    const RichTextDocument read = ReadPlainText(GetParam().text, format);
    std::vector<Paragraph> expected;
    for (const std::string& text : GetParam().paragraphs) {
        expected.push_back(Para(format, text));
    }
    EXPECT_EQ(read, Doc(expected, format));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PlainTextTest,
    ::testing::Values(PlainCase{"Empty", "", {}}, PlainCase{"NoLineEnd", "one", {"one"}},
                      PlainCase{"FinalLineEnd", "one\r\n", {"one"}},
                      PlainCase{"EveryLineEnd", "a\r\nb\nc\rd\n\re", {"a", "b", "c", "d", "", "e"}},
                      PlainCase{"EmptyLines", "\r\n\r\nx", {"", "", "x"}},
                      PlainCase{"Braces", "{\\rtf", {"{\\rtf"}}),
    testing::CaseName());

TEST(RichEditControlLoadTest, LoadsRtfElsePlainTextInTheDefaultFormat) {
    FixedTextMetrics metrics(0.6, 1.2);
    RichEditControl control(metrics);
    control.SetDefaultFormat(Font("Arial", 10));

    const RichTextDocument rtfDocument =
        Doc({Para(Courier(16, true), "Total"), Para(Courier(10), "")});
    control.LoadFromStream(WriteRtf(rtfDocument));
    EXPECT_EQ(control.Document(), rtfDocument);
    EXPECT_EQ(control.TextLength(), 7);

    control.LoadFromStream("first line\r\nsecond");
    EXPECT_EQ(control.Document(),
              Doc({Para(Font("Arial", 10), "first line"), Para(Font("Arial", 10), "second")},
                  Font("Arial", 10)));
    EXPECT_EQ(control.TextLength(), 18);

    const std::string tooDeep = "{\\rtf1 " + std::string(2000, '{');
    control.LoadFromStream(tooDeep);
    EXPECT_EQ(control.Document(), Doc({Para(Font("Arial", 10), tooDeep)}, Font("Arial", 10)));
}

TEST(RichEditControlLoadTest, RaisesWhenNeitherRtfNorTextFitsAndKeepsTheDocument) {
    FixedTextMetrics metrics(0.6, 1.2);
    RichEditControl control(metrics, 20);
    control.LoadFromStream("short");
    const RichTextDocument before = control.Document();

    try {
        control.LoadFromStream(std::string(30, 'x'));
        FAIL() << "a 31-character text fits into a 20-character control";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Failed to Load Stream");
    }
    EXPECT_EQ(control.Document(), before);

    // RTF whose text is too long is read again as plain text, which is longer still.
    EXPECT_THROW(control.LoadFromStream(WriteRtf(Doc({Para(Courier(10), std::string(25, 'y'))}))),
                 Error);
    EXPECT_EQ(control.Document(), before);
}

}  // namespace
}  // namespace ostrelin::platform::richtext
