#include <gtest/gtest.h>

#include <string>

#include "decode/Cp1250.h"
#include "decode/Iconv.h"

namespace ostrelin::decode {
namespace {

const std::string kReplacementUtf8 = "\xEF\xBF\xBD";

TEST(Cp1250Test, EveryByteMatchesThePublishedCodePage) {
    int undefined = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string single(1, static_cast<char>(byte));
        const std::optional<std::string> expected = testing::Iconv("CP1250", "UTF-8", single);
        if (!expected) {
            ++undefined;
        }
        EXPECT_EQ(Cp1250ToUtf8(single), expected.value_or(kReplacementUtf8)) << "byte " << byte;
    }
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1250Test, ConvertsWholeTexts) {
    const std::string text = "Příliš žluťoučký kůň – „Tisk“ 100 €";
    const std::optional<std::string> cp1250 = testing::Iconv("UTF-8", "CP1250", text);
    ASSERT_TRUE(cp1250);
    EXPECT_EQ(Cp1250ToUtf8(*cp1250), text);
    EXPECT_EQ(Cp1250ToUtf8(""), "");
    EXPECT_EQ(Cp1250ToUtf8("a\x81z"), "a" + kReplacementUtf8 + "z");
}

}  // namespace
}  // namespace ostrelin::decode
