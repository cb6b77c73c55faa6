#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/richtext/TextMetrics.h"

namespace ostrelin::platform::richtext {

// Font measurements from Qt's font system (fontconfig resolves "Courier New" and "Arial" to the
// metric-compatible Liberation fonts). Qt rounds a font's pixel size to whole pixels on each
// device, which would make line widths, and so line breaks, differ between resolutions; these
// measures are taken once per typeface at a large reference size and scaled to the exact point
// size instead. Needs a QGuiApplication.
class QtTextMetrics final : public TextMetrics {
  public:
    FontMeasures Measure(const CharFormat& format) override;

  private:
    using Typeface = std::tuple<std::string, bool, bool>;  // family, bold, italic

    // The measures of a typeface at one point (the reference measures scaled down).
    const FontMeasures& PerPoint(const CharFormat& format);

    std::map<Typeface, FontMeasures> perPoint_;
};

}  // namespace ostrelin::platform::richtext
