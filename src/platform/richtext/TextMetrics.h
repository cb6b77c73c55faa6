#pragma once

#include <array>

#include "platform/richtext/RichTextDocument.h"

namespace ostrelin::platform::richtext {

// The measurements of one font at one point size, in points, independent of any device.
struct FontMeasures {
    std::array<double, 256> Advances{};  // advance width of each code page 1250 byte
    double Ascent = 0;                   // from the top of a line to the baseline
    double Descent = 0;                  // from the baseline to the bottom of a line
    double UnderlinePosition = 0;        // distance of the underline below the baseline
    double UnderlineThickness = 0;
};

// Where layout gets its font measurements from.
class TextMetrics {
  public:
    virtual ~TextMetrics() = default;

    // The measures of the font that `format` names, at its exact point size.
    virtual FontMeasures Measure(const CharFormat& format) = 0;
};

}  // namespace ostrelin::platform::richtext
