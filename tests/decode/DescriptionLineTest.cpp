#include <gtest/gtest.h>

#include <map>
#include <string>

#include "decode/CaseName.h"
#include "decode/DescriptionLine.h"
#include "decode/Iconv.h"
#include "platform/Error.h"
#include "platform/files/ReadOnlyFileSystem.h"

namespace ostrelin::decode {
namespace {

using namespace std::string_literals;
using platform::files::FoundFile;

// Files held in memory. ReadTextLine cuts the content the way a text-mode first-line read does:
// at the first CR or SUB, or where it has read as much as it was asked for.
class InMemoryFiles : public platform::files::ReadOnlyFileSystem {
  public:
    std::map<std::string, std::string> Contents;
    bool FailWithError = false;

    std::vector<FoundFile> FindFiles(const std::string&, const std::string&,
                                     std::uint32_t) const override {
        return {};
    }
    std::string LoadWholeFile(const std::string& path) const override { return Contents.at(path); }
    std::optional<std::string> ReadTextLine(const std::string& path,
                                            std::size_t maxBytes) const override {
        if (FailWithError) {
            throw Error("Cannot open file " + path);
        }
        const auto file = Contents.find(path);
        if (file == Contents.end()) {
            return std::nullopt;
        }
        return file->second.substr(0, file->second.find_first_of("\r\x1a")).substr(0, maxBytes);
    }
};

const std::string kPath = "/spool/JOB1.QSF";

struct LineCase {
    const char* name;
    std::string content;
    std::string description;
};

class DescriptionLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DescriptionLineTest, ShowsFirstLineWithoutLeadingControlBytes) {
    InMemoryFiles files;
    files.Contents[kPath] = GetParam().content;
    EXPECT_EQ(ReadDescriptionLine(files, kPath), GetParam().description);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DescriptionLineTest,
    ::testing::Values(
        LineCase{"EmptyFile", "", ""},
        LineCase{"PlainLine", "Faktura 12\r\n\x00\x00\x01"s, "Faktura 12"},
        LineCase{"NoLineEnd", "Faktura 12", "Faktura 12"},
        LineCase{"LeadingControlBytesRemoved",
                 "\x01\x02"
                 "Faktura\r\n",
                 "Faktura"},
        LineCase{"InnerAndTrailingControlBytesKept",
                 "\x01\x02"
                 "Fa\x01kt\x02\r\n",
                 "Fa\x01kt\x02"},
        LineCase{"LeadingZeroBytesRemoved",
                 "\x00\x1f\x00"
                 "abc\r"s,
                 "abc"},
        LineCase{"SpaceStopsTheStripping", "\x1f \x01x\r\n", " \x01x"},
        LineCase{"OnlyControlBytes", "\x01\x02\x1f\r\nabc", ""},
        LineCase{"LfBeforeCrIsText", "Line\nnext\r\n", "Line\nnext"},
        LineCase{"SubEndsTheLine",
                 "Before\x1a"
                 "After\r\n",
                 "Before"},
        LineCase{"NonLettersKeepTheirBytes", "20\xf8 \xf5 \xe1\r\n", "20\xf8 \xf5 \xe1"},
        LineCase{"LineOfTheBoundIsWhole", std::string(kDescriptionMaxBytes, 'a') + "\r\n",
                 std::string(kDescriptionMaxBytes, 'a')},
        LineCase{"LongerLineIsCutAtTheBound",
                 std::string(kDescriptionMaxBytes, 'b') + "\x9f" + std::string(100'000, 'c'),
                 std::string(kDescriptionMaxBytes, 'b')},
        LineCase{"CutCountsTheLeadingControlBytes",
                 std::string(kDescriptionMaxBytes - 2, '\x01') + "\xa7lu\r", "\x9el"}),
    testing::CaseName());

TEST(DescriptionLineLettersTest, CzechLettersBecomeCodePage1250) {
    const std::string text = "Příliš žluťoučký kůň ŮĎŤŇ";
    const std::optional<std::string> inCp852 = testing::Iconv("UTF-8", "CP852", text);
    const std::optional<std::string> inCp1250 = testing::Iconv("UTF-8", "CP1250", text);
    ASSERT_TRUE(inCp852 && inCp1250);
    ASSERT_NE(*inCp852, *inCp1250);

    InMemoryFiles files;
    files.Contents[kPath] = "\x01\x02" + *inCp852 + "\r\n";
    EXPECT_EQ(ReadDescriptionLine(files, kPath), *inCp1250);
}

TEST(DescriptionLineFailureTest, UnreadableFileGivesEmptyDescription) {
    InMemoryFiles files;
    files.Contents["/spool/OTHER.QSF"] = "Other\r\n";
    EXPECT_EQ(ReadDescriptionLine(files, kPath), "");

    files.Contents[kPath] = "Job\r\n";
    files.FailWithError = true;
    EXPECT_EQ(ReadDescriptionLine(files, kPath), "");
}

}  // namespace
}  // namespace ostrelin::decode
