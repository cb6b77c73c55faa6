#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/Error.h"
#include "platform/settings/RegEditText.h"

namespace ostrelin::platform::settings {
namespace {

using namespace std::string_literals;

constexpr const char* OurKey = "HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin";

RegistryDocument DocumentOf(const std::vector<RegistryValue>& values,
                            const std::string& path = OurKey) {
    RegistryDocument document;
    RegistryKey& key = document.Key(path);
    for (const RegistryValue& value : values) {
        key.Values.Set(value);
    }
    return document;
}

// Parses text that must be sound.
RegistryDocument Parse(const std::string& text) {
    RegEditParseResult result = ParseRegEditText(text);
    EXPECT_FALSE(result.Damage) << "line " << result.Damage->Line << ": " << result.Damage->Reason;
    return result.Document;
}

TEST(RegEditTextTest, WritesTheValuesOfAKeyInRegEditForm) {
    const RegistryDocument document = DocumentOf({
        TextValue("PrinterName", "-Výchozí tiskárna Windows-"),
        IntegerValue("PrinterEnable", 10),
        TextValue("SpoolDir", "C:\\Spool\\ \"quoted\""),
        TextValue("", "default"),
    });
    EXPECT_EQ(FormatRegEditText(document),
              "REGEDIT4\n"
              "\n"
              "[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
              "\"PrinterName\"=\"-Výchozí tiskárna Windows-\"\n"
              "\"PrinterEnable\"=dword:0000000a\n"
              "\"SpoolDir\"=\"C:\\\\Spool\\\\ \\\"quoted\\\"\"\n"
              "@=\"default\"\n"
              "\n");
}

TEST(RegEditTextTest, WritesOtherTypesAsHexBytesWrappedOverLines) {
    std::string bytes;
    for (int i = 0; i < 27; ++i) {
        bytes.push_back(static_cast<char>(i * 10));
    }
    const RegistryDocument document = DocumentOf({
        RegistryValue{"Blob", REG_BINARY, bytes},
        RegistryValue{"List", 7, std::string("a\0b\0\0", 5)},
        RegistryValue{"Empty", REG_NONE, ""},
        TextValue("Lines", "one\ntwo"),
        RegistryValue{"Short", REG_DWORD, "\x01\x02"},
    });
    EXPECT_EQ(FormatRegEditText(document),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
              "\"Blob\"=hex:00,0a,14,1e,28,32,3c,46,50,5a,64,6e,78,82,8c,96,a0,aa,b4,be,c8,d2,"
              "dc,e6,f0,\\\n  fa,04\n"
              "\"List\"=hex(7):61,00,62,00,00\n"
              "\"Empty\"=hex(0):\n"
              "\"Lines\"=hex(1):6f,6e,65,0a,74,77,6f\n"
              "\"Short\"=hex(4):01,02\n"
              "\n");
}

TEST(RegEditTextTest, EveryDocumentReadsBackEqual) {
    const RegistryDocument document = DocumentOf({
        TextValue("Czech", "Příliš žluťoučký kůň úpěl ďábelské ódy"),
        TextValue("Backslashes", "\\\\server\\share\\"),
        TextValue("Quotes", "\"\"\\\""),
        TextValue("Tab", "a\tb"),
        TextValue("Empty", ""),
        TextValue("WithNul", std::string("before\0after", 12)),
        TextValue("NotUtf8", "\xC3\x28"),
        IntegerValue("Zero", 0),
        IntegerValue("AllBits", 0xFFFFFFFFu),
        RegistryValue{"Binary", REG_BINARY, std::string(100, '\xAB')},
        RegistryValue{"HighType", 0xFFFFFFFFu, "x"},
        TextValue("", "default value"),
    });
    RegistryDocument twoKeys = document;
    twoKeys.Key("HKEY_CURRENT_USER\\Software\\Other]Key").Values.Set(IntegerValue("n", 1));
    for (const RegistryDocument& original : {document, twoKeys}) {
        EXPECT_EQ(Parse(FormatRegEditText(original)), original);
    }
}

TEST(RegEditTextTest, NamesThatCannotBeWrittenAreRefused) {
    for (const RegistryDocument& document : {
             DocumentOf({TextValue("Two\nLines", "x")}),
             DocumentOf({TextValue("\xFF", "x")}),
             DocumentOf({TextValue("x", "x")}, "-Removal"),
             DocumentOf({TextValue("x", "x")}, "Tab\x01Key"),
         }) {
        EXPECT_THROW(FormatRegEditText(document), Error);
    }
}

// Files written by hand or by other tools, and what they hold.
TEST(RegEditTextTest, ReadsTheUsualVariationsOfTheForm) {
    struct Case {
        const char* Name;
        std::string Text;
        RegistryValue Expected;
    };
    const std::string header = "REGEDIT4\r\n\r\n[K]\r\n";
    const std::vector<Case> cases = {
        {"crlf", header + "\"a\"=\"x\"\r\n", TextValue("a", "x")},
        {"bom", "\xEF\xBB\xBFREGEDIT4\n[K]\n\"a\"=\"x\"", TextValue("a", "x")},
        {"comments and blanks", "REGEDIT4\n; note\n\n  [K]  \n\t; more\n\"a\"=\"x\"\n",
         TextValue("a", "x")},
        {"blanks around =", header + "  \"a\" \t=  \"x\"  \r\n", TextValue("a", "x")},
        {"upper-case dword", header + "\"a\"=DWORD:FF\r\n", IntegerValue("a", 255)},
        {"short dword", header + "\"a\"=dword:7\r\n", IntegerValue("a", 7)},
        {"hex(4) is an integer", header + "\"a\"=hex(4):0a,00,00,00\r\n", IntegerValue("a", 10)},
        {"hex(1) is text", header + "\"a\"=hex(1):41,42\r\n", TextValue("a", "AB")},
        {"continued hex", header + "\"a\"=hex:01,\\\r\n   02 , 3,\\\n\\\n  04\r\n",
         RegistryValue{"a", REG_BINARY, "\x01\x02\x03\x04"}},
        {"trailing comma", header + "\"a\"=hex:01,02,\r\n",
         RegistryValue{"a", REG_BINARY, "\x01\x02"}},
        {"later value wins", header + "\"a\"=\"x\"\r\n\"A\"=dword:1\r\n", IntegerValue("a", 1)},
        {"key sections merge", header + "\"b\"=\"y\"\n[k]\n\"a\"=\"x\"\n", TextValue("a", "x")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const RegistryDocument document = Parse(c.Text);
        ASSERT_EQ(document.Keys().size(), 1u);
        const RegistryValue* value = document.Keys()[0].Values.Find("a");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->Type, c.Expected.Type);
        EXPECT_EQ(value->Data, c.Expected.Data);
    }
}

TEST(RegEditTextTest, DamageIsFoundWithItsLine) {
    struct Case {
        std::string Text;
        std::size_t Line;
    };
    const std::string header = "REGEDIT4\n[K]\n";
    const std::vector<Case> cases = {
        {"", 1},
        {"REGEDIT5\n[K]\n", 1},
        {"\n\nREGEDIT4\n", 1},
        {"REGEDIT4\n\"a\"=\"x\"\n", 2},
        {"REGEDIT4\n[K\n", 2},
        {"REGEDIT4\n[]\n", 2},
        {"REGEDIT4\n[-K]\n", 2},
        {"REGEDIT4\n[K\x01]\n", 2},
        {header + "a=\"x\"\n", 3},
        {header + "\"a\"\n", 3},
        {header + "\"a=\"x\"\n", 3},
        {header + "\"a\"=\"x\n", 3},
        {header + "\"a\"=\"x\\n\"\n", 3},
        {header + "\"a\"=\"x\" y\n", 3},
        {header + "\"a\"=\"\x01\"\n", 3},
        {header + "\"a\"=\"\xC3\"\n", 3},
        {header + "\"a\"=\"\xED\xA0\x80\"\n", 3},
        {header + "\"a\"=\"\xC0\xAF\"\n", 3},
        {header + "\"a\"=-\n", 3},
        {header + "\"a\"=text\n", 3},
        {header + "\"a\"=dword:\n", 3},
        {header + "\"a\"=dword:123456789\n", 3},
        {header + "\"a\"=dword:12x\n", 3},
        {header + "\"a\"=hex:1g\n", 3},
        {header + "\"a\"=hex:123\n", 3},
        {header + "\"a\"=hex:01 02\n", 3},
        {header + "\"a\"=hex:01,,02\n", 3},
        {header + "\"a\"=hex(1:01\n", 3},
        {header + "\"a\"=hex(1)01\n", 3},
        {header + "\"a\"=hex:01,\\ x\n", 3},
        {header + "\"a\"=hex:01,\\\n  zz\n", 4},
        {header + "\"a\"=hex:01,\\", 3},
        {header + "\"a\"=\"x\"\n\x00\n"s, 4},
        {"REGEDIT4\n" + std::string(MaxRegEditTextSize, ';'), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.substr(0, 60));
        const RegEditParseResult result = ParseRegEditText(c.Text);
        ASSERT_TRUE(result.Damage);
        EXPECT_EQ(result.Damage->Line, c.Line);
        EXPECT_FALSE(result.Damage->Reason.empty());
        EXPECT_TRUE(result.Document.Keys().empty());
    }
}

// Random edits of a sound file: whatever comes out, reading never fails other than by reporting
// damage, and what it reads is written back so that it reads the same again.
TEST(RegEditTextTest, AnyBytesAreReadSafelyAndWhatIsReadRoundTrips) {
    const std::string seed = FormatRegEditText(DocumentOf({
        TextValue("PrinterName", "Tiskárna \"A\" \\\\srv"),
        IntegerValue("PrinterEnable", 1),
        RegistryValue{"Blob", REG_BINARY, std::string(30, '\x5A')},
        RegistryValue{"Multi", 7, std::string("a\0b\0", 4)},
    }));
    const std::string alphabet = "\"\\[]@=:,;-()\n\r\t 0aFxhexdword\x00\xC3\xA1\xFF"s;
    std::mt19937 random(20240611);
    std::size_t sound = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = seed;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % (text.size() + 1);
            const char c = alphabet[random() % alphabet.size()];
            switch (random() % 3) {
                case 0:
                    text.insert(at, 1, c);
                    break;
                case 1:
                    if (at < text.size()) {
                        text.erase(at, 1);
                    }
                    break;
                default:
                    if (at < text.size()) {
                        text[at] = c;
                    }
            }
        }
        const RegEditParseResult result = ParseRegEditText(text);
        if (result.Damage) {
            continue;
        }
        ++sound;
        EXPECT_EQ(ParseRegEditText(FormatRegEditText(result.Document)).Document, result.Document)
            << text;
    }
    EXPECT_GT(sound, 100u);
}

// A file at the size limit made of many keys and values, all distinct, reads whole; a reader that
// looked names up one by one would take hours on it.
TEST(RegEditTextTest, AFullSizeFileOfManyKeysAndValuesIsRead) {
    std::string text = "REGEDIT4\n";
    std::size_t keys = 0;
    while (text.size() < MaxRegEditTextSize - 64) {
        text += "[K" + std::to_string(keys) + "]\n\"v" + std::to_string(keys) + "\"=dword:1\n";
        ++keys;
    }
    const RegEditParseResult result = ParseRegEditText(text);
    ASSERT_FALSE(result.Damage);
    EXPECT_EQ(result.Document.Keys().size(), keys);
}

}  // namespace
}  // namespace ostrelin::platform::settings
