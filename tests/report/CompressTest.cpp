#include <gtest/gtest.h>

#include <random>

#include "report/CodeTreeReader.h"
#include "report/TQRCompress.h"

namespace ostrelin::report {
namespace {

TEST(Compress, ThreeZeroBytesGiveTwoBytesTheLastWrittenWhenTheCompressorIsFreed) {
    std::vector<std::uint8_t> out;
    {
        TQRCompress compress(out);
        for (int i = 0; i < 3; ++i) {
            compress.Write(0);
        }
        EXPECT_EQ(out, std::vector<std::uint8_t>{0x80});
    }
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x80, 0x0F}));
}

TEST(Compress, OnAFreshTreeByte255HasANineBitCodeAndEveryOtherByteEightBits) {
    for (int b = 0; b < 256; ++b) {
        std::vector<std::uint8_t> out;
        TQRCompress compress(out);
        compress.Write(static_cast<std::uint8_t>(b));
        ASSERT_EQ(out.size(), 1u) << b;  // eight bits make a whole byte at once
        compress.Flush();
        EXPECT_EQ(out.size(), b == 255 ? 2u : 1u) << b;
    }
}

TEST(Compress, CodedBytesReadBackExactly) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> uniform(5000);
    for (auto& b : uniform) {
        b = static_cast<std::uint8_t>(random());
    }
    std::vector<std::uint8_t> skewed;
    for (int i = 0; i < 5000; ++i) {
        skewed.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? random() : 0xFF));
    }
    for (const auto& input : {uniform, skewed, std::vector<std::uint8_t>{255, 255, 0, 1}}) {
        std::vector<std::uint8_t> coded;
        {
            TQRCompress compress(coded);
            compress.Write(input);
        }
        EXPECT_EQ(testing::DecodeCodeTree(coded, input.size()), input);
    }
}

TEST(Compress, RepetitiveInputShrinks) {
    const std::vector<std::uint8_t> page(20000, 0xFF);
    std::vector<std::uint8_t> coded;
    {
        TQRCompress compress(coded);
        compress.Write(page);
    }
    EXPECT_LT(coded.size(), page.size() / 4);
}

}  // namespace
}  // namespace ostrelin::report
