#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/DeviceBitmap.h"
#include "print/RasterBitmap.h"

namespace ostrelin::print {

// A size in device pixels.
struct DeviceSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const DeviceSize&, const DeviceSize&) = default;
};

// The widest device piece that is built, and the most pixels one piece may hold.
inline constexpr int kMaxDeviceWidth = RasterBitmap::kMaxWidth;
inline constexpr std::int64_t kMaxDeviceBandPixels = std::int64_t{1} << 31;

// One horizontal piece of a picture on its way to the device: rows [FirstRow, EndRow) of the
// picture drawn at the plan's size, to be stretched into Destination.
struct DeviceBand {
    int FirstRow = 0;
    int EndRow = 0;
    platform::canvas::Rect Destination;
    friend bool operator==(const DeviceBand&, const DeviceBand&) = default;
};

// How a picture reaches a device rectangle in pieces of bounded size.
struct DeviceBandPlan {
    DeviceSize Size;  // the size the picture is drawn at before the device stretches it
    std::vector<DeviceBand> Bands;
};

// The size at which a picture goes to a device rectangle of `room`: on each axis the picture's own
// size, or the room where that is smaller. The device enlarges; reducing happens here so that
// no black pixel is lost and no piece is larger than the page needs.
DeviceSize ReducedDeviceSize(const RasterBitmap& bitmap, DeviceSize room);

// The number of rows of a one-bit piece `width` pixels wide that fit in `maxBytes` (at least 1).
int DeviceBandRows(int width, std::size_t maxBytes);

// Splits the drawing of `bitmap` into `destination` into pieces of at most `maxBandBytes` pixel
// data each (a piece holds at least one row). The destinations tile `destination` top to bottom
// without gaps. A picture without rows or columns, or an empty destination, gives no pieces.
DeviceBandPlan PlanDeviceBands(const RasterBitmap& bitmap,
                               const platform::canvas::Rect& destination, std::size_t maxBandBytes);

// Builds rows [firstRow, endRow) of `bitmap` drawn at `size` as a one-bit device bitmap with the
// colour table {0 = black, 1 = white}. Where `size` is smaller than the picture, a target pixel
// is black when any source pixel that falls on it is black (black keeps over white); where it is
// larger, source pixels repeat. Fails with ostrelin::Error (Czech text) when `size` is wider than
// kMaxDeviceWidth, when the piece would hold more than kMaxDeviceBandPixels pixels, or when the
// size or row range is invalid.
platform::canvas::DeviceBitmap RenderDeviceBand(const RasterBitmap& bitmap, DeviceSize size,
                                                int firstRow, int endRow);

// Builds the whole picture at its own size; fails as RenderDeviceBand does.
platform::canvas::DeviceBitmap RenderDeviceBitmap(const RasterBitmap& bitmap);

}  // namespace ostrelin::print
