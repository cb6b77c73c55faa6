#include <gtest/gtest.h>

#include <string>

#include "decode/CaseName.h"
#include "decode/ClassifyJob.h"
#include "decode/RecordReaders.h"

namespace ostrelin::decode {
namespace {

using namespace std::string_literals;

const std::string kSignature75 = "\x03\x06\x1b*t75R"s;
const std::string kSignature150 = "\x03\x07\x1b*t150R"s;

struct ClassifyCase {
    const char* name;
    std::string file;
    JobKind kind;
    std::size_t position;
};

class ClassifyJobTest : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(ClassifyJobTest, DecidesKindAndFindsRecordStream) {
    const ClassifyCase& c = GetParam();
    ByteStream stream(c.file);
    // Wherever the stream stood before, every search starts at the beginning of the file.
    stream.SetPosition(c.file.size());
    EXPECT_EQ(ClassifyJob(stream), c.kind);
    EXPECT_EQ(stream.Position(), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassifyJobTest,
    ::testing::Values(
        ClassifyCase{"EmptyFile", "", JobKind::Text, 2},
        ClassifyCase{"TextJob", "Job\r\n\x00\x00\x01\x02\x64\x00"s, JobKind::Text, 7},
        ClassifyCase{"NoCrLf", "a\rb\nc\n\rd", JobKind::Text, 10},
        ClassifyCase{"EndsWithLf", "Job\r\n", JobKind::Text, 7},
        ClassifyCase{"OneByteAfterLf", "Job\r\nx", JobKind::Text, 7},
        ClassifyCase{"TwoBytesAfterLf", "Job\r\nxy", JobKind::Text, 7},
        ClassifyCase{"LfBeforeCrInDescription", "a\nb\r\n\x00\x00\x01"s, JobKind::Text, 7},
        ClassifyCase{"CrCrLf", "a\r\r\nxy\x01", JobKind::Text, 6},
        ClassifyCase{"Signature75", "J\r\n\x00\x00"s + kSignature75, JobKind::Raster, 5},
        ClassifyCase{"Signature150", "J\r\n\x00\x00"s + kSignature150, JobKind::Raster, 5},
        ClassifyCase{"SignatureInDescription", kSignature150 + " Plan\r\n\x00\x00"s,
                     JobKind::Raster, 18},
        ClassifyCase{"SignatureInsideTextRecord", "J\r\n\x00\x00\x00\x0a-"s + kSignature75 + "-",
                     JobKind::Raster, 5},
        ClassifyCase{"SignatureAfterDataByteThree", "J\r\n\x00\x00\x02\x01\x00\x03"s + kSignature75,
                     JobKind::Raster, 5},
        ClassifyCase{"WrongResolution", "J\r\n\x00\x00\x03\x06\x1b*t76R"s, JobKind::Text, 5},
        ClassifyCase{"WrongRecordLength", "J\r\n\x00\x00\x03\x07\x1b*t75R"s, JobKind::Text, 5},
        ClassifyCase{"SignatureCutShort", "J\r\n\x00\x00"s + kSignature150.substr(0, 8),
                     JobKind::Text, 5}),
    testing::CaseName());

TEST(ClassifyJobRecordsTest, FirstRecordFollowsTheTwoSkippedBytes) {
    ByteStream stream("Job\r\n\x00\x00\x01\x02\x64\x00"s);
    ASSERT_EQ(ClassifyJob(stream), JobKind::Text);
    EXPECT_EQ(stream.ReadByte(), 1);
    EXPECT_EQ(ReadShortRecord(stream), "\x64\x00"s);
    EXPECT_EQ(stream.ReadByte(), std::nullopt);
}

TEST(ClassifyJobRecordsTest, FileEndingWithinTheSkippedBytesHasNoRecords) {
    for (const std::string file : {"Job\r\n", "Job\r\nx", "Job\r\nxy", "no line end"}) {
        ByteStream stream(file);
        ClassifyJob(stream);
        EXPECT_EQ(stream.ReadByte(), std::nullopt) << file;
    }
}

}  // namespace
}  // namespace ostrelin::decode
