#include <gtest/gtest.h>

#include <limits>

#include "platform/desktop/PostedMessage.h"

namespace ostrelin::platform::desktop {
namespace {

TEST(PostedMessage, WireFormRoundTripsEveryValue) {
    constexpr auto Int64Min = std::numeric_limits<std::int64_t>::min();
    constexpr auto Int64Max = std::numeric_limits<std::int64_t>::max();
    const PostedMessage messages[] = {
        {WM_USER, 123456, 123456},
        {WM_QUIT, 0, 0},
        {std::numeric_limits<std::uint32_t>::max(), Int64Min, Int64Max},
    };
    EXPECT_EQ(FormatPostedMessage(messages[0]), "1024 123456 123456\n");
    for (const PostedMessage& message : messages) {
        std::string line = FormatPostedMessage(message);
        ASSERT_EQ(line.back(), '\n');
        line.pop_back();
        EXPECT_EQ(ParsePostedMessage(line), message) << line;
    }
}

TEST(PostedMessage, ParsesOnlyThreeDecimalNumbers) {
    const std::pair<std::string, std::optional<PostedMessage>> cases[] = {
        {"1024 123456 123456", PostedMessage{1024, 123456, 123456}},
        {"  18\t-1   2 \r", PostedMessage{18, -1, 2}},
        {"", std::nullopt},
        {"\r", std::nullopt},
        {"1024 1", std::nullopt},
        {"1024 1 2 3", std::nullopt},
        {"-1 0 0", std::nullopt},
        {"4294967296 0 0", std::nullopt},
        {"1 9223372036854775808 0", std::nullopt},
        {"1 +1 0", std::nullopt},
        {"1 1x 0", std::nullopt},
        {"0x10 0 0", std::nullopt},
        {"1 2 3\r\r", std::nullopt},
        {std::string("1 2\0 3", 6), std::nullopt},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(ParsePostedMessage(line), expected) << '"' << line << '"';
    }
}

}  // namespace
}  // namespace ostrelin::platform::desktop
