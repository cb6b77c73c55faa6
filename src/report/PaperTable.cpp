#include "report/PaperTable.h"

namespace ostrelin::report {

namespace {

struct PaperRow {
    double Width;
    double Length;
    std::int16_t Code;
};

// Indexed by TQRPaperSize. Default and Custom carry zero sizes: they have no table size.
// Note is 279.0 mm long, and Ledger is stored wider than long, as the drivers describe them.
constexpr std::array<PaperRow, kPaperSizeCount> kPapers{{
    {0, 0, 0},          {215.9, 279.4, 1},  {215.9, 279.4, 2},  {279.4, 431.8, 3},
    {431.8, 279.4, 4},  {215.9, 355.6, 5},  {139.7, 215.9, 6},  {190.5, 254.0, 7},
    {297.0, 420.0, 8},  {210.0, 297.0, 9},  {210.0, 297.0, 10}, {148.0, 210.0, 11},
    {250.0, 354.0, 12}, {182.0, 257.0, 13}, {215.9, 330.2, 14}, {215.0, 275.0, 15},
    {254.0, 355.6, 16}, {279.4, 431.8, 17}, {215.9, 279.0, 18}, {98.43, 225.4, 19},
    {104.8, 241.3, 20}, {114.3, 263.5, 21}, {101.6, 279.4, 22}, {127.0, 292.1, 23},
    {100.0, 100.0, 24}, {100.0, 100.0, 25}, {100.0, 100.0, 26}, {0, 0, 256},
}};

// Indexed by TQRBin. First and Upper share a code, as do Cassette and Last.
constexpr std::array<std::int16_t, kBinCount> kBinCodes{1, 1, 2, 3,  4,  5,  6,
                                                        7, 8, 9, 10, 11, 14, 14};

}  // namespace

std::optional<PaperMillimetres> PaperDimensions(TQRPaperSize size) {
    if (size == TQRPaperSize::Default || size == TQRPaperSize::Custom) {
        return std::nullopt;
    }
    const PaperRow& row = kPapers[static_cast<std::size_t>(size)];
    return PaperMillimetres{row.Width, row.Length};
}

std::int16_t PaperCode(TQRPaperSize size) {
    return kPapers[static_cast<std::size_t>(size)].Code;
}

std::optional<TQRPaperSize> PaperSizeOfCode(int code) {
    for (std::size_t i = 1; i < kPapers.size(); ++i) {
        if (kPapers[i].Code == code) {
            return static_cast<TQRPaperSize>(i);
        }
    }
    return std::nullopt;
}

std::int16_t BinCode(TQRBin bin) {
    return kBinCodes[static_cast<std::size_t>(bin)];
}

std::optional<TQRBin> BinOfCode(int code) {
    for (std::size_t i = 0; i < kBinCodes.size(); ++i) {
        if (kBinCodes[i] == code) {
            return static_cast<TQRBin>(i);
        }
    }
    return std::nullopt;
}

}  // namespace ostrelin::report
