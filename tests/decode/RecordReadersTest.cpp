#include <gtest/gtest.h>

#include <string>

#include "decode/CaseName.h"
#include "decode/RecordReaders.h"

namespace ostrelin::decode {
namespace {

using namespace std::string_literals;

TEST(ByteStreamTest, ReadingPastTheEndYieldsNothingAndKeepsThePosition) {
    ByteStream stream("ab");
    EXPECT_EQ(stream.ReadByte(), 'a');
    EXPECT_EQ(stream.ReadBytes(5), "b");
    EXPECT_EQ(stream.Position(), 2u);
    EXPECT_EQ(stream.ReadByte(), std::nullopt);
    EXPECT_EQ(stream.ReadBytes(3), "");
    EXPECT_EQ(stream.Position(), 2u);

    stream.Skip(2);
    EXPECT_EQ(stream.Position(), 4u);
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(stream.ReadByte(), std::nullopt);
    EXPECT_EQ(stream.Position(), 4u);

    stream.SetPosition(1);
    EXPECT_EQ(stream.ReadByte(), 'b');
}

TEST(ByteStreamTest, BytesAboveSevenBitsReadAsUnsigned) {
    ByteStream stream("\xff\x80"s);
    EXPECT_EQ(stream.ReadByte(), 255);
    EXPECT_EQ(stream.ReadByte(), 128);
}

struct PatternCase {
    const char* name;
    std::string bytes;
    std::size_t start;
    std::string pattern;
    bool found;
    std::size_t position;
};

class FindBytePatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(FindBytePatternTest, StopsAfterFirstOccurrenceOrAtTheEnd) {
    const PatternCase& c = GetParam();
    ByteStream stream(c.bytes);
    stream.SetPosition(c.start);
    EXPECT_EQ(FindBytePattern(stream, c.pattern), c.found);
    EXPECT_EQ(stream.Position(), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindBytePatternTest,
    ::testing::Values(PatternCase{"AtStart", "\r\nab", 0, "\r\n", true, 2},
                      PatternCase{"InsidePartialMatch", "ab\r\r\ncd", 0, "\r\n", true, 5},
                      PatternCase{"RestartsAfterLongerPartialMatch", "xababac", 0, "abac", true, 7},
                      PatternCase{"AtTheVeryEnd", "xxabc", 0, "abc", true, 5},
                      PatternCase{"FirstOfTwo", "a\r\nb\r\n", 0, "\r\n", true, 3},
                      PatternCase{"SearchesFromThePosition", "\r\nab\r\n", 1, "\r\n", true, 6},
                      PatternCase{"MissingLeavesStreamAtEnd", "a\rb\nc\n\r", 0, "\r\n", false, 7},
                      PatternCase{"PatternLongerThanRest", "xab", 1, "abc", false, 3},
                      PatternCase{"EmptyStream", "", 0, "\r\n", false, 0},
                      PatternCase{"BeyondTheEndStaysThere", "abc", 10, "a", false, 10},
                      PatternCase{"HighAndZeroBytes", "\x00\xff\x00\xff\xfe\x01"s, 0, "\xff\xfe"s,
                                  true, 5}),
    testing::CaseName());

struct RecordCase {
    const char* name;
    std::string bytes;
    std::string data;
    std::size_t position;
};

class ShortRecordTest : public ::testing::TestWithParam<RecordCase> {};
class LongRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(ShortRecordTest, ReadsLengthThenAsMuchDataAsThereIs) {
    const RecordCase& c = GetParam();
    ByteStream stream(c.bytes);
    EXPECT_EQ(ReadShortRecord(stream), c.data);
    EXPECT_EQ(stream.Position(), c.position);
}

TEST_P(LongRecordTest, ReadsLittleEndianLengthThenAsMuchDataAsThereIs) {
    const RecordCase& c = GetParam();
    ByteStream stream(c.bytes);
    EXPECT_EQ(ReadLongRecord(stream), c.data);
    EXPECT_EQ(stream.Position(), c.position);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShortRecordTest,
                         ::testing::Values(RecordCase{"Complete",
                                                      "\x03"
                                                      "abcX",
                                                      "abc", 4},
                                           RecordCase{"Empty", "\x00xyz"s, "", 1},
                                           RecordCase{"LengthAboveSevenBits",
                                                      "\x80"s + std::string(130, 'q'),
                                                      std::string(128, 'q'), 129},
                                           RecordCase{"Truncated",
                                                      "\x0a"
                                                      "abcd",
                                                      "abcd", 5},
                                           RecordCase{"NoLengthByte", "", "", 0}),
                         testing::CaseName());

INSTANTIATE_TEST_SUITE_P(Cases, LongRecordTest,
                         ::testing::Values(RecordCase{"Complete",
                                                      "\x03\x00"
                                                      "abcd"s,
                                                      "abc", 5},
                                           RecordCase{"LowByteFirst",
                                                      "\x34\x12"s + std::string(4661, 'r'),
                                                      std::string(4660, 'r'), 4662},
                                           RecordCase{"Empty", "\x00\x00z"s, "", 2},
                                           RecordCase{"Truncated",
                                                      "\x10\x00"
                                                      "ab"s,
                                                      "ab", 4},
                                           RecordCase{"OneLengthByteLeftIsConsumed", "\x05", "", 1},
                                           RecordCase{"NoLengthBytes", "", "", 0}),
                         testing::CaseName());

TEST(RecordReadersTest, ConsecutiveRecordsAndTypeBytes) {
    // A command record, a data record, then the stream ends in the middle of a text record.
    ByteStream stream("\x01\x02\x64\x00\x02\x03\x00xyz\x00\x09trunc"s);
    EXPECT_EQ(stream.ReadByte(), 1);
    EXPECT_EQ(ReadShortRecord(stream), "\x64\x00"s);
    EXPECT_EQ(stream.ReadByte(), 2);
    EXPECT_EQ(ReadLongRecord(stream), "xyz");
    EXPECT_EQ(stream.ReadByte(), 0);
    EXPECT_EQ(ReadShortRecord(stream), "trunc");
    EXPECT_EQ(stream.ReadByte(), std::nullopt);
    EXPECT_EQ(ReadShortRecord(stream), "");
    EXPECT_EQ(ReadLongRecord(stream), "");
    EXPECT_EQ(stream.Position(), stream.Size());
}

}  // namespace
}  // namespace ostrelin::decode
