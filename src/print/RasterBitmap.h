#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string_view>
#include <vector>

namespace ostrelin::print {

// The black-and-white picture of a raster job, kept as its rows arrived: the row bytes one after
// another in a single buffer and where each row ends. A job may send one very long row and then
// a great many short ones; a full rectangular bitmap of such a job would need far more memory
// than the file itself, while this form never needs more than a small multiple of the file.
// Byte k of a row holds the pixels 8k to 8k + 7, bit 7 leftmost; a set bit is black. Pixels
// right of a row's data are white.
class RasterBitmap {
  public:
    // The longest row a spool file can carry (a data record's length is 16 bits), and so the
    // widest picture: 524280 pixels.
    static constexpr std::size_t kMaxRowBytes = 65535;
    static constexpr int kMaxWidth = static_cast<int>(kMaxRowBytes) * 8;

    // The number of pixels per row: 8 times the longest row appended so far.
    int Width() const { return width_; }

    // The number of rows appended.
    int Height() const { return static_cast<int>(rowEnds_.size()); }

    // Adds `row` as the new bottom row, widening the picture when the row is longer than any
    // before. Fails with ostrelin::Error (Czech text) for a row longer than kMaxRowBytes or when
    // the picture would pass 4 GB of row data.
    void AppendRow(std::string_view row);

    // The bytes of row `y` as they were appended (0 <= y < Height()).
    std::string_view Row(int y) const;

    // True when the pixel at column `x`, row `y` is black; pixels outside the picture are white.
    bool IsBlack(int x, int y) const;

    // The memory this picture holds, in bytes, including reserved room.
    std::size_t MemoryBytes() const;

    // Writes the picture as a binary PBM (P4) image; a picture without rows gives a 0 x 0 image.
    void WritePbm(std::ostream& out) const;

  private:
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint32_t> rowEnds_;
    int width_ = 0;
};

}  // namespace ostrelin::print
