#pragma once

#include <string>
#include <string_view>

namespace ostrelin::tools::pcl {

// Expands a row sent with compression mode 1: pairs of (repeat count - 1, byte).
std::string ExpandRunLength(std::string_view data);

// Expands a row sent with compression mode 2 (TIFF PackBits): a control byte 0..127 is followed
// by that many plus one literal bytes, 129..255 by one byte repeated 257 minus the control times;
// 128 does nothing.
std::string ExpandPackBits(std::string_view data);

// Applies a row sent with compression mode 3 (delta row) to the previous row `seed`: each command
// byte names how many bytes to replace (top three bits plus one) and how far past the last change
// they start (low five bits, 31 meaning more offset bytes follow, each added until one below 255).
// Bytes not replaced keep the seed's values; the row grows where a change passes its end.
std::string ApplyDeltaRow(std::string_view data, std::string seed);

}  // namespace ostrelin::tools::pcl
