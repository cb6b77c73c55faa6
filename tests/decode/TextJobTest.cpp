#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "decode/CaseName.h"
#include "decode/TextJob.h"
#include "decode/TextJobComposition.h"
#include "platform/Error.h"
#include "platform/richtext/Documents.h"
#include "platform/richtext/RtfReader.h"

namespace ostrelin::decode {
namespace {

using namespace std::string_literals;
using platform::richtext::CharFormat;
using platform::richtext::Paragraph;
using platform::richtext::RichTextDocument;

// Record builders for the text record stream.
std::string Text(const std::string& bytes) {
    return "\x00"s + static_cast<char>(bytes.size()) + bytes;
}
std::string Command(const std::string& bytes) {
    return "\x01"s + static_cast<char>(bytes.size()) + bytes;
}
std::string Command(int code) {
    return Command(std::string(1, static_cast<char>(code)));
}
std::string Command(int code, int parameter) {
    return Command(std::string{static_cast<char>(code), static_cast<char>(parameter)});
}
std::string Data(const std::string& bytes) {
    return "\x02"s + static_cast<char>(bytes.size() & 0xff) + static_cast<char>(bytes.size() >> 8) +
           bytes;
}
std::string Short(int type, const std::string& bytes) {
    return std::string(1, static_cast<char>(type)) + static_cast<char>(bytes.size()) + bytes;
}

class RecordingOutput : public print::RichTextOutput {
  public:
    bool PrintRichTextJob(print::TPrintJob& job, std::string_view rtf) override {
        Jobs.push_back(job);
        Documents.emplace_back(rtf);
        return true;
    }
    std::vector<print::TPrintJob> Jobs;
    std::vector<std::string> Documents;
};

// Decodes a bare record stream and reads back the one document handed to the output.
RichTextDocument Decode(const std::string& records) {
    ByteStream stream(records);
    print::HeldPrinterChoice choice(0);
    RecordingOutput output;
    DecodeTextJob(stream, choice, output);
    EXPECT_EQ(output.Documents.size(), 1u);
    const std::optional<RichTextDocument> document =
        platform::richtext::ReadRtf(output.Documents.at(0));
    EXPECT_TRUE(document) << output.Documents.at(0);
    return document.value_or(RichTextDocument{});
}

using platform::richtext::testing::Courier;

// A paragraph of one run in `format` (by default the base font), its end mark alike.
Paragraph Para(const std::string& text, const CharFormat& format = Courier(10), int indent = 0) {
    return platform::richtext::testing::Para(format, text, indent);
}

struct ComposeCase {
    std::string name;
    std::string records;
    std::vector<Paragraph> paragraphs;
    friend void PrintTo(const ComposeCase& c, std::ostream* out) { *out << c.name; }
};

std::vector<ComposeCase> ComposeCases() {
    const std::string every = "\x00\x01\x02\x0d\x0f\x63\x66\xff"s;
    std::string unlisted;
    for (const char code : every) {
        unlisted += Command(static_cast<std::uint8_t>(code), 36);
    }
    const std::string data300(300, 'd');
    return {
        {"NoRecords", "", {}},
        {"BoldThenRegular",
         Command(7) + Text("Total") + Command(8) + Text("Sum"),
         {Para("Total", Courier(10, true)), Para("Sum")}},
        {"SizesStayWithTheirParagraphs",
         Command(3) + Text("a") + Text("b") + Command(6) + Text("c") + Command(4) + Text("d") +
             Command(5) + Text("e"),
         {Para("a", Courier(16)), Para("b", Courier(16)), Para("c", Courier(8)),
          Para("d", Courier(12)), Para("e")}},
        {"Indent",
         Command(101, 36) + Text("a") + Text("b") + Text("c") + Command(101, 0) + Text("d") +
             Command(101, 255) + Text("e"),
         {Para("a", Courier(10), 36), Para("b", Courier(10), 36), Para("c", Courier(10), 36),
          Para("d"), Para("e", Courier(10), 255)}},
        {"IndentWithoutParameter", Command(101, 36) + Command(101) + Text("a"), {Para("a")}},
        {"StylesEachOnTheirOwn",
         Command(7) + Command(9) + Command(11) + Text("all") + Command(10) + Text("bu") +
             Command(7) + Command(12) + Text("b") + Command(8) + Command(8) + Command(11) +
             Command(11) + Text("u"),
         {Para("all", Courier(10, true, true, true)), Para("bu", Courier(10, true, false, true)),
          Para("b", Courier(10, true)), Para("u", Courier(10, false, false, true))}},
        {"FinalLineEndsGoOnce",
         Text("crlf\r\n") + Text("lfcr\n\r") + Text("cr\r") + Text("lf\n") + Text("\r\n") +
             Text("\r") + Text("\n") + Text("twice\r\n\r\n"),
         {Para("crlf"), Para("lfcr"), Para("cr\r"), Para("lf\n"), Para(""), Para("\r"), Para("\n"),
          Para("twice"), Para("")}},
        {"LineEndsInsideAText",
         Text("one\r\ntwo\r\n\r\nfour") + Text("lone\rcr lone\nlf lf\n\rcr"),
         {Para("one"), Para("two"), Para(""), Para("four"), Para("lone\rcr lone\nlf lf\n\rcr")}},
        {"EmptyText", Text("") + Text("x"), {Para(""), Para("x")}},
        {"NulBytesDropped",
         Text("a\0b\0"s) + Data("\0x\0"s) + Text("\0"s),
         {Para("ab"), Para("x"), Para("")}},
        {"CodePage852LettersConverted",
         Text("\x9F\xFD\xA7\xAC\xB5") + Data("\x9F\xFD\xA7\xAC\xB5") +
             Short(3, "\x9F\xFD\xA7\xAC\xB5"),
         {Para("\xE8\xF8\x9E\xC8\xC1"), Para("\x9F\xFD\xA7\xAC\xB5"),
          Para("\x9F\xFD\xA7\xAC\xB5")}},
        {"OtherRecordsKeepTheirLineEnds",
         Data("data\r\n") + Short(3, "esc\r\n") + Short(200, "odd"),
         {Para("data"), Para(""), Para("esc"), Para(""), Para("odd")}},
        {"LongDataRecord", Data(data300), {Para(data300)}},
        {"EmptyParagraphCommand",
         Text("a") + Command(14) + Text("b") + Command(3) + Command(14),
         {Para("a"), Para(""), Para("b"), Para("", Courier(16))}},
        {"BaseFontKeepsSizeAndStyles",
         Command(4) + Command(7) + Command(100) + Text("x"),
         {Para("x", Courier(12, true))}},
        {"ExtraBytesIgnored", Command(3) + Command("\x05\x07\x09"s) + Text("x"), {Para("x")}},
        {"UnlistedCodesAndEmptyCommandsChangeNothing",
         unlisted + Command("") + Text("x"),
         {Para("x")}},
        {"TruncatedRecord",
         "\x00\x0a"
         "abc"s,
         {Para("abc")}},
    };
}

class ComposeTest : public ::testing::TestWithParam<ComposeCase> {};

TEST_P(ComposeTest, GivesTheDocumentItsParagraphsAndAttributes) {
    const RichTextDocument document = Decode(GetParam().records);
    EXPECT_EQ(document.DefaultFormat(), Courier(10));
    const std::vector<Paragraph> paragraphs = document.Paragraphs();
    ASSERT_EQ(paragraphs.size(), GetParam().paragraphs.size());
    for (std::size_t index = 0; index < paragraphs.size(); ++index) {
        EXPECT_EQ(paragraphs[index], GetParam().paragraphs[index]) << "paragraph " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Records, ComposeTest, ::testing::ValuesIn(ComposeCases()),
                         testing::CaseName());

TEST(TextJobTest, FillsTheJobSettingsForTheChosenPrinter) {
    struct ChoiceCase {
        std::optional<int> selected;
        int printerIndex;
    };
    for (const ChoiceCase& choiceCase :
         {ChoiceCase{0, -1}, ChoiceCase{1, 0}, ChoiceCase{3, 2}, ChoiceCase{std::nullopt, -1}}) {
        ByteStream stream(Text("x"));
        print::HeldPrinterChoice choice(choiceCase.selected);
        RecordingOutput output;
        DecodeTextJob(stream, choice, output);

        ASSERT_EQ(output.Jobs.size(), 1u);
        const print::TPrintJob& job = output.Jobs[0];
        EXPECT_EQ(job.Title, "Tarvok Ostrelin - tisk dokumnentu");
        EXPECT_TRUE(job.CenterImage);
        EXPECT_TRUE(job.StretchImage);
        EXPECT_EQ(job.OrientationMode, 0);
        EXPECT_EQ(job.PrinterIndex, choiceCase.printerIndex);
        EXPECT_EQ(job.Copies, 1);
        EXPECT_EQ(job.FirstPage, 1);
        EXPECT_EQ(job.LastPage, 9999);
        EXPECT_EQ(choice.SelectedPosition(), choiceCase.selected.value_or(0));
    }
}

TEST(TextJobTest, StartsReadingAtTheStreamPosition) {
    ByteStream stream("header" + Text("x"));
    stream.SetPosition(6);
    print::HeldPrinterChoice choice(0);
    RecordingOutput output;
    DecodeTextJob(stream, choice, output);
    const std::optional<RichTextDocument> document =
        platform::richtext::ReadRtf(output.Documents.at(0));
    ASSERT_TRUE(document);
    EXPECT_EQ(document->Paragraphs(), std::vector<Paragraph>{Para("x")});
}

TEST(TextJobTest, ErrorsOfTheOutputPassOn) {
    class FailingOutput : public print::RichTextOutput {
      public:
        bool PrintRichTextJob(print::TPrintJob&, std::string_view) override {
            throw Error("printer failed");
        }
    };
    ByteStream stream(Text("x"));
    print::HeldPrinterChoice choice(0);
    FailingOutput output;
    try {
        DecodeTextJob(stream, choice, output);
        FAIL() << "the error of the output was swallowed";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "printer failed");
    }
}

// Ten mebibytes of text arrive as records of at most 64 KiB; composing and writing them must
// stay linear, so this finishes in about a second.
TEST(TextJobTest, TenMebibytesComposeLinearly) {
    const std::string chunk(65000, 'w');
    std::string records;
    std::size_t expectedLength = 0;
    while (expectedLength < 10u * 1024 * 1024) {
        records += Data(chunk) + Command(14) + Text(std::string(250, 'x') + "\r\n");
        expectedLength += chunk.size() + 1 + 1 + 250 + 1;
    }
    const RichTextDocument document = Decode(records);
    EXPECT_EQ(document.Length(), expectedLength);
}

}  // namespace
}  // namespace ostrelin::decode
