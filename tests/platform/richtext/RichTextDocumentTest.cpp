#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/richtext/Documents.h"

namespace ostrelin::platform::richtext {
namespace {

using namespace std::string_literals;
using testing::Courier;
using testing::Font;
using testing::Para;

Paragraph TwoRuns(const CharFormat& mark) {
    Paragraph paragraph{.LeftIndentPoints = 0, .Runs = {}, .MarkFormat = mark};
    AppendText(paragraph, Courier(10), "one ");
    AppendText(paragraph, Courier(12, true), "two");
    return paragraph;
}

// The paragraphs a document is built from come back as they went in: formats of text and end
// marks, indents that change and change back, empty paragraphs.
TEST(RichTextDocumentTest, GivesBackTheParagraphsItWasBuiltFrom) {
    const std::vector<Paragraph> paragraphs = {
        Para(Courier(10), "first"),
        Para(Courier(10), "", 36),
        Para(Font("Arial", 16), "", 36),
        TwoRuns(Courier(8)),
        TwoRuns(Courier(12, true)),
        Para(Courier(10), "indented", 7),
        Para(Courier(10), "negative", -5),
        Para(Courier(10), "back at the edge"),
        Para(Courier(10), ""),
    };
    const RichTextDocument document(Courier(10), paragraphs);

    EXPECT_EQ(document.Paragraphs(), paragraphs);
    EXPECT_EQ(document.ParagraphCount(), paragraphs.size());
}

// Every character has its index, each end mark counting as one; formats and indents are asked
// by index.
TEST(RichTextDocumentTest, TellsEachCharactersFormatAndIndent) {
    const RichTextDocument document(Courier(10),
                                    {TwoRuns(Courier(8)), Para(Font("Arial", 16), "x", 20)});

    EXPECT_EQ(document.Characters(), "one two\0x\0"s);
    ASSERT_EQ(document.Length(), 10u);
    const std::vector<CharFormat> expected = {
        Courier(10),       Courier(10),       Courier(10), Courier(10),       Courier(12, true),
        Courier(12, true), Courier(12, true), Courier(8),  Font("Arial", 16), Font("Arial", 16),
    };
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(document.FormatAt(index), expected[index]) << "character " << index;
        EXPECT_EQ(document.IndentAt(index), index < 8 ? 0 : 20) << "character " << index;
    }
}

// A NUL is the document's own end mark: text never carries one.
TEST(RichTextDocumentTest, DropsNulBytesOfTheText) {
    const RichTextDocument document(Courier(10), {Para(Courier(10), "a\0b\0\0"s)});

    EXPECT_EQ(document.Characters(), "ab\0"s);
    EXPECT_EQ(document.Paragraphs(), std::vector<Paragraph>{Para(Courier(10), "ab")});
}

}  // namespace
}  // namespace ostrelin::platform::richtext
