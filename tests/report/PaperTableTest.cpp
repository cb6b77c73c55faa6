#include <gtest/gtest.h>

#include "report/PaperTable.h"

namespace ostrelin::report {
namespace {

TEST(PaperTable, SizesAndCodesOfTheRowsThatDifferFromTheirNeighbours) {
    const struct {
        TQRPaperSize size;
        double width, length;
        int code;
    } rows[] = {
        {TQRPaperSize::Letter, 215.9, 279.4, 1},  {TQRPaperSize::Ledger, 431.8, 279.4, 4},
        {TQRPaperSize::Executive, 190.5, 254, 7}, {TQRPaperSize::A4, 210, 297, 9},
        {TQRPaperSize::B4, 250, 354, 12},         {TQRPaperSize::Quarto, 215, 275, 15},
        {TQRPaperSize::Note, 215.9, 279.0, 18},   {TQRPaperSize::Env9, 98.43, 225.4, 19},
        {TQRPaperSize::Env14, 127, 292.1, 23},    {TQRPaperSize::ESheet, 100, 100, 26},
    };
    for (const auto& row : rows) {
        const auto mm = PaperDimensions(row.size);
        ASSERT_TRUE(mm.has_value()) << row.code;
        EXPECT_DOUBLE_EQ(mm->Width, row.width) << row.code;
        EXPECT_DOUBLE_EQ(mm->Length, row.length) << row.code;
        EXPECT_EQ(PaperCode(row.size), row.code);
    }
}

TEST(PaperTable, DefaultAndCustomHaveNoTableSize) {
    EXPECT_FALSE(PaperDimensions(TQRPaperSize::Default).has_value());
    EXPECT_FALSE(PaperDimensions(TQRPaperSize::Custom).has_value());
    EXPECT_EQ(PaperCode(TQRPaperSize::Default), 0);
    EXPECT_EQ(PaperCode(TQRPaperSize::Custom), 256);
}

TEST(PaperTable, EveryCodeFindsItsOwnSizeAndUnknownCodesFindNone) {
    for (int value = 1; value < kPaperSizeCount; ++value) {
        const auto size = static_cast<TQRPaperSize>(value);
        EXPECT_EQ(PaperSizeOfCode(PaperCode(size)), size) << value;
    }
    for (const int unknown : {0, 27, 41, 255}) {
        EXPECT_FALSE(PaperSizeOfCode(unknown).has_value()) << unknown;
    }
}

TEST(BinTable, SharedCodesReadAsTheFirstBinThatHasThem) {
    EXPECT_EQ(BinCode(TQRBin::Upper), 1);
    EXPECT_EQ(BinCode(TQRBin::Auto), 7);
    EXPECT_EQ(BinCode(TQRBin::Last), 14);
    EXPECT_EQ(BinOfCode(1), TQRBin::First);
    EXPECT_EQ(BinOfCode(11), TQRBin::LargeCapacity);
    EXPECT_EQ(BinOfCode(14), TQRBin::Cassette);
    for (const int unknown : {0, 12, 13, 15}) {
        EXPECT_FALSE(BinOfCode(unknown).has_value()) << unknown;
    }
}

}  // namespace
}  // namespace ostrelin::report
