#include "print/RasterDeviceBand.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

#include "platform/Error.h"

namespace ostrelin::print {
namespace {

using platform::canvas::DeviceBitmap;
using platform::canvas::Rect;

// A run of pixels [Begin, End) on one axis.
struct Span {
    std::int64_t Begin = 0;
    std::int64_t End = 0;
};

// Target pixel t of an axis `target` long takes the source pixels whose scaled positions fall on
// it. Reducing, these spans partition the source, so every source pixel lands on exactly one
// target pixel; enlarging, each span is the one source pixel that the target repeats.
Span SourceSpan(std::int64_t t, std::int64_t target, std::int64_t source) {
    const std::int64_t begin = t * source / target;
    return {begin, std::max(begin + 1, (t + 1) * source / target)};
}

// The target pixels [first, end) on which source pixel x lands: the inverse of SourceSpan.
Span TargetSpan(std::int64_t x, std::int64_t target, std::int64_t source) {
    const auto ceilDiv = [](std::int64_t a, std::int64_t b) { return (a + b - 1) / b; };
    const std::int64_t end = ceilDiv((x + 1) * target, source);
    return {std::min(ceilDiv(x * target, source), end - 1), end};
}

// Clears bits [first, end) of a row, bit 7 of byte 0 being pixel 0: in the device form a clear
// bit is colour 0, black.
void PaintBlack(std::uint8_t* row, std::int64_t first, std::int64_t end) {
    for (std::int64_t x = first; x < end; ++x) {
        row[x / 8] = static_cast<std::uint8_t>(row[x / 8] & ~(0x80u >> (x % 8)));
    }
}

// ORs source rows [span.Begin, span.End) into `merged`, which grows to the longest of them.
void MergeRows(const RasterBitmap& bitmap, Span span, std::string& merged) {
    merged.clear();
    const std::int64_t end = std::min<std::int64_t>(span.End, bitmap.Height());
    for (std::int64_t y = span.Begin; y < end; ++y) {
        const std::string_view row = bitmap.Row(static_cast<int>(y));
        if (merged.size() < row.size()) {
            merged.resize(row.size(), '\0');
        }
        for (std::size_t k = 0; k < row.size(); ++k) {
            merged[k] = static_cast<char>(merged[k] | row[k]);
        }
    }
}

// Draws one merged source row into a target row `targetWidth` pixels wide.
void DrawRow(std::string_view merged, int sourceWidth, int targetWidth, std::uint8_t* target) {
    if (targetWidth == sourceWidth) {
        for (std::size_t k = 0; k < merged.size(); ++k) {
            target[k] = static_cast<std::uint8_t>(~static_cast<unsigned char>(merged[k]));
        }
        return;
    }
    for (std::size_t k = 0; k < merged.size(); ++k) {
        const auto byte = static_cast<unsigned char>(merged[k]);
        for (unsigned bit = 0; byte != 0 && bit < 8; ++bit) {
            if ((byte & (0x80u >> bit)) != 0) {
                const Span span =
                    TargetSpan(static_cast<std::int64_t>(k * 8 + bit), targetWidth, sourceWidth);
                PaintBlack(target, span.Begin, span.End);
            }
        }
    }
}

// Bytes per row of a one-bit device bitmap `width` pixels wide.
std::size_t StrideOf(int width) {
    DeviceBitmap shape;
    shape.Width = width;
    return static_cast<std::size_t>(shape.Stride());
}

void CheckBand(DeviceSize size, int firstRow, int endRow) {
    if (size.Width < 0 || size.Height < 0 || firstRow < 0 || endRow < firstRow ||
        endRow > size.Height) {
        throw Error(
            "Nářezový plán nelze připravit pro tiskárnu: neplatný rozměr nebo rozsah "
            "řádků obrazu.");
    }
    if (size.Width > kMaxDeviceWidth) {
        throw Error("Nářezový plán nelze připravit pro tiskárnu: obraz by byl široký " +
                    std::to_string(size.Width) + " bodů, nejvýše lze " +
                    std::to_string(kMaxDeviceWidth) + " bodů.");
    }
    const std::int64_t pixels =
        static_cast<std::int64_t>(StrideOf(size.Width)) * 8 * (endRow - firstRow);
    if (pixels > kMaxDeviceBandPixels) {
        throw Error("Nářezový plán nelze připravit pro tiskárnu: část obrazu by měla " +
                    std::to_string(pixels) + " bodů, nejvýše lze " +
                    std::to_string(kMaxDeviceBandPixels) + " bodů.");
    }
}

}  // namespace

DeviceSize ReducedDeviceSize(const RasterBitmap& bitmap, DeviceSize room) {
    return {std::clamp(room.Width, 0, bitmap.Width()), std::clamp(room.Height, 0, bitmap.Height())};
}

int DeviceBandRows(int width, std::size_t maxBytes) {
    const std::size_t stride = StrideOf(std::max(width, 0));
    if (stride == 0) {
        return std::numeric_limits<int>::max();
    }
    const std::size_t rows = std::min<std::size_t>(
        maxBytes / stride, static_cast<std::size_t>(kMaxDeviceBandPixels) / 8 / stride);
    return static_cast<int>(std::clamp<std::size_t>(rows, 1, std::numeric_limits<int>::max()));
}

DeviceBandPlan PlanDeviceBands(const RasterBitmap& bitmap, const Rect& destination,
                               std::size_t maxBandBytes) {
    DeviceBandPlan plan;
    plan.Size = ReducedDeviceSize(bitmap, {destination.Width(), destination.Height()});
    if (plan.Size.Width == 0 || plan.Size.Height == 0) {
        return plan;
    }
    const std::int64_t rowsPerBand = DeviceBandRows(plan.Size.Width, maxBandBytes);
    // Each piece's destination starts where its first row falls in the rectangle, so that
    // neighbouring pieces meet without a gap or an overlap whatever the scale.
    const auto topOf = [&](std::int64_t row) {
        return destination.Top + static_cast<int>(row * destination.Height() / plan.Size.Height);
    };
    for (std::int64_t first = 0; first < plan.Size.Height; first += rowsPerBand) {
        const std::int64_t end = std::min<std::int64_t>(first + rowsPerBand, plan.Size.Height);
        plan.Bands.push_back({static_cast<int>(first), static_cast<int>(end),
                              Rect{destination.Left, topOf(first), destination.Right, topOf(end)}});
    }
    return plan;
}

DeviceBitmap RenderDeviceBand(const RasterBitmap& bitmap, DeviceSize size, int firstRow,
                              int endRow) {
    CheckBand(size, firstRow, endRow);
    DeviceBitmap band;
    band.Width = size.Width;
    band.Height = endRow - firstRow;
    band.BitsPerPixel = 1;
    band.ColorTable = {platform::canvas::kBlack, platform::canvas::kWhite};
    const auto stride = static_cast<std::size_t>(band.Stride());
    band.Bits.assign(stride * static_cast<std::size_t>(band.Height), 0xFF);
    if (size.Width == 0) {
        return band;
    }
    std::string merged;
    for (int y = firstRow; y < endRow; ++y) {
        MergeRows(bitmap, SourceSpan(y, size.Height, bitmap.Height()), merged);
        DrawRow(merged, bitmap.Width(), size.Width,
                band.Bits.data() + stride * static_cast<std::size_t>(y - firstRow));
    }
    return band;
}

DeviceBitmap RenderDeviceBitmap(const RasterBitmap& bitmap) {
    return RenderDeviceBand(bitmap, {bitmap.Width(), bitmap.Height()}, 0, bitmap.Height());
}

}  // namespace ostrelin::print
