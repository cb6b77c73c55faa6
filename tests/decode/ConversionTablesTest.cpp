#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/ConversionTables.h"
#include "decode/Iconv.h"

namespace ostrelin::decode {
namespace {

using namespace std::string_literals;

// The letters with a diacritic or stroke of code page 852, in code-page order.
const std::string kLetterSet =
    "ÇüéâäůćçłëŐőîŹÄĆÉĹĺôöĽľŚśÖÜŤťŁčáíóúĄąŽžĘęźČşÁÂĚŞŻżĂăđĐĎËďŇÍÎěŢŮÓÔŃńňŠšŔÚŕŰýÝţűŘř";

// The Kamenicky code page from 0x80 on, up to its last letter.
const std::string kKamenickyFrom0x80 = "ČüéďäĎŤčěĚĹÍľĺÄÁÉžŽôöÓůÚýÖÜŠĽÝŘťáíóúňŇŮÔšřŕŔ";

// The letters that table 2 gives their Kamenicky byte.
const std::string kKamenickyLetters = "áÁäÄčČďĎéÉěĚíÍľĽňŇóÓôÔöÖŕŔřŘšŠťŤúÚůŮüÜýÝžŽ";

// Splits UTF-8 text into its characters.
std::vector<std::string> Characters(const std::string& utf8) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        while (i + length < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80) {
            ++length;
        }
        characters.push_back(utf8.substr(i, length));
        i += length;
    }
    return characters;
}

std::vector<unsigned char> LetterSetBytes() {
    std::vector<unsigned char> bytes;
    for (const std::string& letter : Characters(kLetterSet)) {
        const std::optional<unsigned char> byte = testing::ByteInCodePage("CP852", letter);
        EXPECT_TRUE(byte) << letter;
        bytes.push_back(byte.value_or(0));
    }
    return bytes;
}

std::string Cp852Text(const std::string& utf8) {
    return testing::Iconv("UTF-8", "CP852", utf8).value_or("");
}

TEST(ConversionTablesTest, EveryTableListsTheLetterSetInOrder) {
    const std::vector<unsigned char> letters = LetterSetBytes();
    ASSERT_EQ(letters.size(), 80u);
    for (int table = 0; table < kConversionTableCount; ++table) {
        const ConversionTable& pairs = ConversionTables()[static_cast<std::size_t>(table)];
        EXPECT_EQ(pairs.Count, 160) << "table " << table;
        for (std::size_t i = 0; i < letters.size(); ++i) {
            EXPECT_EQ(pairs.Pairs[i].Source, letters[i]) << "table " << table << " pair " << i;
        }
    }
}

TEST(ConversionTablesTest, Table3MatchesPublishedCodePages) {
    const std::vector<unsigned char> letters = LetterSetBytes();
    for (int byte = 128; byte < 256; ++byte) {
        const auto source = static_cast<std::uint8_t>(byte);
        int expected = byte;
        if (std::find(letters.begin(), letters.end(), source) != letters.end()) {
            const std::optional<std::string> letter =
                testing::Iconv("CP852", "UTF-8", std::string(1, static_cast<char>(source)));
            ASSERT_TRUE(letter) << byte;
            const std::optional<unsigned char> target = testing::ByteInCodePage("CP1250", *letter);
            ASSERT_TRUE(target) << *letter;
            expected = *target;
        }
        EXPECT_EQ(ConvertChar(source, kCp852ToCp1250Table), expected) << "byte " << byte;
    }
}

TEST(ConversionTablesTest, Table0DropsDiacritics) {
    EXPECT_EQ(ConvertString(Cp852Text("Příliš žluťoučký kůň"), kCp852ToAsciiTable),
              "Prilis zlutoucky kun");

    const testing::ScopedUtf8Ctype utf8;
    if (!utf8.Available()) {
        GTEST_SKIP() << "no C.UTF-8 locale for transliteration";
    }
    for (const std::string& letter : Characters(kLetterSet)) {
        const std::optional<std::string> ascii = testing::Iconv("UTF-8", "ASCII//TRANSLIT", letter);
        ASSERT_TRUE(ascii && ascii->size() == 1) << letter;
        EXPECT_EQ(ConvertString(Cp852Text(letter), kCp852ToAsciiTable), *ascii) << letter;
    }
}

TEST(ConversionTablesTest, Table2UsesKamenickyForCzechAndSlovakLettersOnly) {
    const std::vector<std::string> kamenicky = Characters(kKamenickyFrom0x80);
    const std::vector<std::string> ownLetters = Characters(kKamenickyLetters);
    ASSERT_EQ(ownLetters.size(), 42u);
    for (const std::string& letter : Characters(kLetterSet)) {
        const auto source = static_cast<std::uint8_t>(Cp852Text(letter).at(0));
        const bool own =
            std::find(ownLetters.begin(), ownLetters.end(), letter) != ownLetters.end();
        const auto position = std::find(kamenicky.begin(), kamenicky.end(), letter);
        const int expected = own ? 0x80 + static_cast<int>(position - kamenicky.begin())
                                 : ConvertChar(source, kCp852ToAsciiTable);
        EXPECT_EQ(ConvertChar(source, kCp852ToKamenickyTable), expected) << letter;
    }
}

TEST(ConversionTablesTest, Table1AndBytesBelow128StayUnchanged) {
    for (int byte = 0; byte < 256; ++byte) {
        const auto value = static_cast<std::uint8_t>(byte);
        EXPECT_EQ(ConvertChar(value, kIdentityTable), value);
        if (byte < 128) {
            for (int table = 0; table < kConversionTableCount; ++table) {
                EXPECT_EQ(ConvertChar(value, table), value) << "table " << table;
            }
        }
    }
}

struct CharCase {
    int table;
    std::uint8_t byte;
    std::uint8_t expected;
};

class ConvertCharTest : public ::testing::TestWithParam<CharCase> {};

TEST_P(ConvertCharTest, ConvertsKnownBytes) {
    EXPECT_EQ(ConvertChar(GetParam().byte, GetParam().table), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvertCharTest,
                         ::testing::Values(CharCase{3, 159, 232},  // c caron
                                           CharCase{3, 253, 248},  // r caron
                                           CharCase{3, 133, 249},  // u ring
                                           CharCase{3, 166, 142},  // Z caron
                                           CharCase{3, 128, 199},  // C cedilla
                                           CharCase{3, 225, 225},  // sharp s is no letter here
                                           CharCase{3, 248, 248},  // degree sign
                                           CharCase{3, 245, 245},  // section sign
                                           CharCase{3, 196, 196},  // box drawing
                                           CharCase{2, 146, 'l'},  // l acute
                                           CharCase{2, 150, 140},  // l caron
                                           CharCase{0, 208, 'd'},  // d stroke
                                           CharCase{0, 157, 'L'},  // L stroke
                                           CharCase{4, 159, 159},  // no such table
                                           CharCase{-1, 159, 159}));

TEST(ConvertStringTest, KeepsLengthAndConvertsEveryByte) {
    EXPECT_EQ(ConvertString("", kCp852ToCp1250Table), "");
    const std::string input = "\x00\x9f\xfd\r\n\xe1\x85"s;
    const std::string converted = ConvertString(input, kCp852ToCp1250Table);
    EXPECT_EQ(converted, "\x00\xe8\xf8\r\n\xe1\xf9"s);
    EXPECT_EQ(input, "\x00\x9f\xfd\r\n\xe1\x85"s);
}

}  // namespace
}  // namespace ostrelin::decode
