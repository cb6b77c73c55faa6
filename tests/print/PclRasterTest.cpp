#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Error.h"
#include "tools/pcl/PclCompression.h"
#include "tools/pcl/PclRaster.h"
#include "tools/pcl/RasterSpool.h"

namespace ostrelin::tools::pcl {
namespace {

using namespace std::string_literals;
using Rows = std::vector<std::string>;

TEST(PclCompressionTest, RunLengthAndPackBitsExpand) {
    EXPECT_EQ(ExpandRunLength("\x02\xff\x00\x0f"s), "\xff\xff\xff\x0f"s);
    // The PackBits example of the TIFF description: runs, literals and a no-op byte.
    EXPECT_EQ(
        ExpandPackBits("\xfe\xaa\x02\x80\x00\x2a\xfd\xaa\x03\x80\x00\x2a\x22\xf7\xaa"s),
        "\xaa\xaa\xaa\x80\x00\x2a\xaa\xaa\xaa\xaa\x80\x00\x2a\x22"s + std::string(10, '\xaa'));
    EXPECT_EQ(ExpandPackBits("\x80\x00\x41"s), "A");
}

TEST(PclCompressionTest, DeltaRowChangesTheSeedWhereItSays) {
    struct Case {
        const char* name;
        std::string data;
        std::string seed;
        std::string row;
    };
    const std::vector<Case> cases = {
        {"EmptyRepeatsSeed", "", "\x01\x02"s, "\x01\x02"s},
        {"TwoBytesAtOffsetOne", "\x21\xaa\xbb"s, std::string(4, '\0'), "\x00\xaa\xbb\x00"s},
        {"OffsetsCountFromTheLastChange", "\x00\x11\x01\x22"s, std::string(4, '\0'),
         "\x11\x00\x22\x00"s},
        {"LongOffsetAddsBytesUntilOneBelow255", "\x1f\xff\x02\x33"s, "",
         std::string(31 + 255 + 2, '\0') + "\x33"},
        {"ChangePastTheEndGrowsTheRow", "\x41\x01\x02\x03"s, "\x09"s, "\x09\x01\x02\x03"s},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplyDeltaRow(c.data, c.seed), c.row) << c.name;
    }
}

TEST(PclRasterTest, RowsMovesAndPagesBecomeOnePicture) {
    const std::string pcl =
        "\x1b"
        "E\x1b*t150R\x1b&u600D\x1b*p0x0Y\x1b*r1A"s
        // Mode 0 row whose data holds an escape and a form feed, which are pixels here.
        "\x1b*b0m3W\x1b\x0c\x01"s
        // Mode 1, then two white rows by a raster move.
        "\x1b*b1M\x1b*b2W\x01\xf0\x1b*b2Y"s
        // Mode 2, then a cursor move of 8 units at 600 per inch: two rows at 150 dpi.
        "\x1b*b2M\x1b*b2W\xfe\x0f\x1b*p+8Y"s
        // Mode 3 changes the first byte of the row before, then an empty transfer repeats it.
        "\x1b*b3M\x1b*b2W\x00\x80\x1b*bW"s
        // Commands with data that is not raster are passed over whole.
        "\x1b(s5W\x1b*b9W\x1b*rB"s
        // The next page's rows follow the last row of this one.
        "\x0c\x1b*r1A\x1b*b0M\x1b*p+4Y\x1b*b1W\x55\x1b*rC\x1b"
        "E"s;
    const PclRaster raster = ReadPclRaster(pcl);
    EXPECT_EQ(raster.Resolution, 150);
    EXPECT_EQ(raster.Rows, (Rows{"\x1b\x0c\x01"s, "\xf0\xf0"s, "", "", "\x0f\x0f\x0f"s, "", "",
                                 "\x80\x0f\x0f"s, "\x80\x0f\x0f"s, "", "\x55"s}));
}

TEST(PclRasterTest, WhatCannotBePlacedIsRefused) {
    for (const std::string& pcl :
         {"\x1b*b5M"s, "\x1b*b0M\x1b*b1W\x01\x1b*p0Y\x1b*b1W\x01"s, "\x1b*p30X\x1b*r1A"s}) {
        EXPECT_THROW(ReadPclRaster(pcl), Error);
    }
}

TEST(RasterSpoolTest, RowsBecomeAnnouncedDataRecords) {
    EXPECT_EQ(WriteRasterSpool("N\xa0vrh", 150, {"\x80"s, ""}),
              "N\xa0vrh\r\n\0\0"s
              "\x03\x07\x1b*t150R"
              "\x03\x05\x1b*b1W\x02\x01\x00\x80"
              "\x03\x05\x1b*b0W\x02\x00\x00"s);
    EXPECT_EQ(WriteRasterSpool("", 75, {}), "\r\n\0\0\x03\x06\x1b*t75R"s);
    EXPECT_THROW(WriteRasterSpool("", 300, {}), Error);
    EXPECT_THROW(WriteRasterSpool("", 150, {std::string(65536, '\0')}), Error);
}

}  // namespace
}  // namespace ostrelin::tools::pcl
