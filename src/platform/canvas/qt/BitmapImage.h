#pragma once

#include <QImage>

#include "platform/canvas/DeviceBitmap.h"

namespace ostrelin::platform::canvas {

// The QImage of a device bitmap. A one-bit bitmap in black and white becomes a Format_Mono image
// with the colour table {black, white} (flipping the bits when the bitmap's table is the other way
// round), which a PDF keeps as a lossless one-bit image; other depths become RGB images.
QImage ToQImage(const DeviceBitmap& bitmap);

}  // namespace ostrelin::platform::canvas
