#include "platform/richtext/fake/FixedTextMetrics.h"

namespace ostrelin::platform::richtext {

FontMeasures FixedTextMetrics::Measure(const CharFormat& format) {
    FontMeasures measures;
    measures.Advances.fill(advancePerPoint_ * format.SizePoints);
    const double lineHeight = lineHeightPerPoint_ * format.SizePoints;
    measures.Ascent = lineHeight * 0.75;
    measures.Descent = lineHeight * 0.25;
    measures.UnderlinePosition = measures.Descent / 2;
    measures.UnderlineThickness = format.SizePoints / 20;
    return measures;
}

}  // namespace ostrelin::platform::richtext
