#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/Error.h"
#include "report/CodeTreeReader.h"
#include "report/TQRPageList.h"
#include "report/TQRStream.h"

namespace ostrelin::report {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(TQRStream& stream) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream.Size()));
    stream.Seek(0, TQRStream::SeekOrigin::Begin);
    EXPECT_EQ(stream.Read(bytes), bytes.size());
    return bytes;
}

std::vector<std::uint8_t> Pattern(std::size_t size, int seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 31 + static_cast<std::size_t>(seed));
    }
    return bytes;
}

// Points the temporary folder at a fresh folder of the test's own.
class PageStore : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("ostrelin-pagestore-" + std::to_string(getpid()));
        fs::create_directories(folder);
        setenv("TMPDIR", folder.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("TMPDIR");
        fs::remove_all(folder);
    }
    std::vector<fs::path> FilesInFolder() const {
        return {fs::directory_iterator(folder), fs::directory_iterator()};
    }
    fs::path folder;
};

TEST_F(PageStore, StreamStaysInMemoryUpToItsLimitAndMovesToATemporaryFileBeyond) {
    const auto first = Pattern(60, 1);
    const auto second = Pattern(40, 2);
    {
        TQRStream stream(100);
        stream.Write(first);
        stream.Write(second);
        EXPECT_FALSE(stream.InFile());  // exactly at the limit is not larger than it
        EXPECT_TRUE(FilesInFolder().empty());

        stream.Write(std::vector<std::uint8_t>{0xAB});
        ASSERT_TRUE(stream.InFile());
        const auto files = FilesInFolder();
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].filename().string().substr(0, 3), "QRP");

        auto expected = first;
        expected.insert(expected.end(), second.begin(), second.end());
        expected.push_back(0xAB);
        EXPECT_EQ(ReadAll(stream), expected);

        stream.Seek(10, TQRStream::SeekOrigin::Begin);
        stream.Write(std::vector<std::uint8_t>{1, 2});
        expected[10] = 1;
        expected[11] = 2;
        EXPECT_EQ(stream.Position(), 12);
        EXPECT_EQ(ReadAll(stream), expected);
    }
    EXPECT_TRUE(FilesInFolder().empty()) << "the temporary file is deleted with the stream";
}

TEST_F(PageStore, SeekingBeforeTheStartFails) {
    TQRStream stream(100);
    EXPECT_THROW(stream.Seek(-1, TQRStream::SeekOrigin::Begin), Error);
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | bytes.at(at + static_cast<std::size_t>(i));
    }
    return static_cast<std::int32_t>(v);
}

struct Record {
    std::int32_t number;
    std::vector<std::uint8_t> data;
};

// Walks the records after the header, checking each record's start and end links.
std::vector<Record> Records(const std::vector<std::uint8_t>& bytes) {
    std::vector<Record> records;
    std::size_t at = TQRPageList::kHeaderSize;
    while (at < bytes.size()) {
        const auto end = static_cast<std::size_t>(Int32At(bytes, at + 4));
        EXPECT_EQ(Int32At(bytes, end - 4), static_cast<std::int32_t>(at));
        records.push_back({Int32At(bytes, at),
                           {bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                            bytes.begin() + static_cast<std::ptrdiff_t>(end - 4)}});
        at = end;
    }
    return records;
}

TEST_F(PageStore, HeaderCarriesVersionCountStampAndCompressionFlag) {
    TQRStream stream(100000);
    TQRPageList list([] { return 46365.5; });
    list.SetStream(&stream);
    list.SetCompression(true);
    list.AddPage(Pattern(10, 0));
    list.AddPage(Pattern(10, 1));
    list.Finish();

    const auto bytes = ReadAll(stream);
    ASSERT_GE(bytes.size(), 124u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 3);
    EXPECT_EQ(bytes[2] | bytes[3] << 8, 212);
    EXPECT_EQ(Int32At(bytes, 8), 2);
    double stamp = 0;
    std::memcpy(&stamp, bytes.data() + 12, sizeof stamp);
    EXPECT_EQ(stamp, 46365.5);
    EXPECT_EQ(bytes[21], 1);
    for (const std::size_t zero : {4u, 5u, 6u, 7u, 20u, 22u, 123u}) {
        EXPECT_EQ(bytes[zero], 0) << zero;
    }
}

TEST_F(PageStore, PagesAreAppendedAsLinkedRecordsPlainOrCompressed) {
    const std::vector<std::vector<std::uint8_t>> pages{Pattern(300, 3), Pattern(5, 4),
                                                       std::vector<std::uint8_t>(4000, 0)};
    for (const bool compressed : {false, true}) {
        TQRStream stream(1000);  // small limit: the records continue in the temporary file
        TQRPageList list;
        list.SetStream(&stream);
        list.SetCompression(compressed);
        for (const auto& page : pages) {
            list.AddPage(page);
        }
        EXPECT_TRUE(stream.InFile());
        const auto records = Records(ReadAll(stream));
        ASSERT_EQ(records.size(), pages.size());
        for (std::size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(records[i].number, static_cast<std::int32_t>(i + 1));
            if (compressed) {
                const auto& data = records[i].data;
                ASSERT_EQ(Int32At(data, 0), static_cast<std::int32_t>(pages[i].size()));
                EXPECT_EQ(
                    testing::DecodeCodeTree({data.data() + 4, data.size() - 4}, pages[i].size()),
                    pages[i]);
            } else {
                EXPECT_EQ(records[i].data, pages[i]);
            }
        }
    }
}

TEST(PageStoreClock, LocalDateTimeIsDaysSince30December1899) {
    const double now = LocalDateTimeNow();
    EXPECT_GT(now, 45658.0);  // after 1 January 2025
    EXPECT_LT(now, 80000.0);
}

}  // namespace
}  // namespace ostrelin::report
