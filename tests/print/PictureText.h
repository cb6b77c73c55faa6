#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "print/RasterBitmap.h"

namespace ostrelin::print::testing {

// Builds a picture from rows drawn as text, '#' black and anything else white; each row becomes
// as many bytes as its drawing needs.
inline RasterBitmap PictureFromText(const std::vector<std::string_view>& rows) {
    RasterBitmap picture;
    for (const std::string_view drawing : rows) {
        std::string bytes((drawing.size() + 7) / 8, '\0');
        for (std::size_t x = 0; x < drawing.size(); ++x) {
            if (drawing[x] == '#') {
                bytes[x / 8] = static_cast<char>(bytes[x / 8] | (0x80 >> (x % 8)));
            }
        }
        picture.AppendRow(bytes);
    }
    return picture;
}

}  // namespace ostrelin::print::testing
