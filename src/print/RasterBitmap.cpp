#include "print/RasterBitmap.h"

#include <algorithm>
#include <limits>
#include <ostream>

#include "platform/Error.h"

namespace ostrelin::print {

void RasterBitmap::AppendRow(std::string_view row) {
    // Row ends are 32-bit and the row count is an int; a job that passes either is far beyond
    // any cutting plan and would not fit a printer anyway.
    constexpr std::size_t kMaxBytes = std::numeric_limits<std::uint32_t>::max();
    if (row.size() > kMaxRowBytes) {
        throw Error("Nářezový plán má řádek delší než 65535 bajtů.");
    }
    if (row.size() > kMaxBytes - bytes_.size() ||
        rowEnds_.size() >= static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw Error("Nářezový plán je příliš velký: jeho řádky přesahují 4 GB dat.");
    }
    bytes_.insert(bytes_.end(), row.begin(), row.end());
    rowEnds_.push_back(static_cast<std::uint32_t>(bytes_.size()));
    width_ = std::max(width_, static_cast<int>(row.size()) * 8);
}

std::string_view RasterBitmap::Row(int y) const {
    const auto index = static_cast<std::size_t>(y);
    const std::size_t begin = index == 0 ? 0 : rowEnds_[index - 1];
    const char* data = reinterpret_cast<const char*>(bytes_.data());
    return {data + begin, rowEnds_[index] - begin};
}

bool RasterBitmap::IsBlack(int x, int y) const {
    if (x < 0 || y < 0 || y >= Height()) {
        return false;
    }
    const std::string_view row = Row(y);
    const auto byte = static_cast<std::size_t>(x / 8);
    if (byte >= row.size()) {
        return false;
    }
    return (static_cast<unsigned char>(row[byte]) & (0x80u >> (x % 8))) != 0;
}

std::size_t RasterBitmap::MemoryBytes() const {
    return sizeof(*this) + bytes_.capacity() + rowEnds_.capacity() * sizeof(std::uint32_t);
}

void RasterBitmap::WritePbm(std::ostream& out) const {
    out << "P4\n" << width_ << ' ' << Height() << '\n';
    // PBM's bit order and colour sense are the picture's own (1 is black, leftmost bit first),
    // so each row goes out as it came, padded with white to the full width.
    const std::string padding(static_cast<std::size_t>(width_ / 8), '\0');
    for (int y = 0; y < Height(); ++y) {
        const std::string_view row = Row(y);
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
        out.write(padding.data(), static_cast<std::streamsize>(padding.size() - row.size()));
    }
}

}  // namespace ostrelin::print
