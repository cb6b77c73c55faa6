#pragma once

#include <string_view>

#include "decode/ByteStream.h"
#include "print/BitmapOutput.h"
#include "print/PrinterChoice.h"
#include "print/RasterBitmap.h"

namespace ostrelin::decode {

// The document name under which a raster job (a cutting plan) is printed.
inline constexpr std::string_view kRasterJobTitle = "Tarvok Ostrelin - tisk nářezového plánu";

// Adds the pixel data of one data record as the new bottom row of `bitmap`.
void AppendRasterRow(print::RasterBitmap& bitmap, std::string_view row);

// Decodes the record stream of a raster job from the stream's position: every data record that
// directly answers an ESC *b<digits>W escape becomes a row of one picture, everything else is
// passed over. Then selects the default printer in `choice` when nothing is selected, fills the
// job settings for a one-page picture print and prints the picture through `output` before
// returning. Errors of the output pass on to the caller.
void DecodeRasterJob(ByteStream& stream, print::PrinterChoice& choice, print::BitmapOutput& output);

}  // namespace ostrelin::decode
