#include <gtest/gtest.h>

#include "report/TQRSizes.h"

namespace ostrelin::report {
namespace {

TEST(Units, ALengthWrittenInMillimetresReadsInEveryUnit) {
    TQRBandSize size(nullptr, DisplayMetrics{});
    ASSERT_EQ(size.Units(), TQRUnit::MM);
    size.SetHeight(10);
    size.SetUnits(TQRUnit::Native);
    EXPECT_DOUBLE_EQ(size.Height(), 100.0);
    size.SetUnits(TQRUnit::Pixels);
    EXPECT_NEAR(size.Height(), 37.795275, 1e-6);
    size.SetUnits(TQRUnit::Inches);
    EXPECT_NEAR(size.Height(), 10.0 / 25.4, 1e-12);
}

TEST(Units, PixelsFollowResolutionAndZoomBothWays) {
    TQRBandSize size(nullptr, DisplayMetrics{120, false});
    size.SetUnits(TQRUnit::Native);
    size.SetHeight(254);
    size.SetUnits(TQRUnit::Pixels);
    EXPECT_DOUBLE_EQ(size.Height(), 120.0);
    size.SetZoom(50);
    EXPECT_DOUBLE_EQ(size.Height(), 60.0);
    size.SetHeight(30);  // 30 pixels at half zoom are a whole inch
    EXPECT_DOUBLE_EQ(size.NativeValue(TQRBandSize::HeightIndex), 127.0);
}

TEST(Units, SwitchingToPixelsRemembersTheUnitToReturnTo) {
    TQRPrintableSize size(nullptr, DisplayMetrics{});
    size.SetUnits(TQRUnit::Inches);
    size.SetPixels();
    EXPECT_EQ(size.Units(), TQRUnit::Pixels);
    size.RestoreUnits();
    EXPECT_EQ(size.Units(), TQRUnit::Inches);
}

TEST(Units, NewHoldersUseInchesWhereTheLocaleMeasuresInUsUnits) {
    EXPECT_EQ(TQRBandSize(nullptr, DisplayMetrics{96, true}).Units(), TQRUnit::Inches);
    EXPECT_EQ(TQRBandSize(nullptr, DisplayMetrics{96, false}).Units(), TQRUnit::MM);
}

// Records resize requests so that a test sees which writes reach the owner.
struct CountingOwner : TQRSizeOwner {
    int changes = 0;
    void SizeChanged() override { ++changes; }
};

TEST(Units, EveryWriteOfASizeResizesItsOwnerOnce) {
    CountingOwner owner;
    TQRPrintableSize size(&owner, DisplayMetrics{});
    size.SetLeft(1);
    size.SetTop(2);
    size.SetWidth(3);
    size.SetHeight(4);
    EXPECT_EQ(owner.changes, 4);
    EXPECT_FALSE(size.ParentUpdating());
}

}  // namespace
}  // namespace ostrelin::report
