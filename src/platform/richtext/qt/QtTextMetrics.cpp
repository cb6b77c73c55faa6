#include "platform/richtext/qt/QtTextMetrics.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include "platform/richtext/Cp1250.h"

namespace ostrelin::platform::richtext {

namespace {

// Large enough that rounding and hinting at this size no longer move any measure noticeably.
constexpr int kReferencePixelSize = 2048;

FontMeasures MeasureTypeface(const CharFormat& format) {
    QFont font(QString::fromStdString(format.FontName));
    font.setPixelSize(kReferencePixelSize);
    font.setBold(format.Bold);
    font.setItalic(format.Italic);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font);

    constexpr double kScale = 1.0 / kReferencePixelSize;
    FontMeasures measures;
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t code = Cp1250ToUnicode(static_cast<std::uint8_t>(byte));
        measures.Advances[static_cast<std::size_t>(byte)] =
            metrics.horizontalAdvance(QChar(static_cast<char16_t>(code))) * kScale;
    }
    measures.Ascent = metrics.ascent() * kScale;
    measures.Descent = metrics.descent() * kScale;
    measures.UnderlinePosition = metrics.underlinePos() * kScale;
    measures.UnderlineThickness = metrics.lineWidth() * kScale;
    return measures;
}

}  // namespace

const FontMeasures& QtTextMetrics::PerPoint(const CharFormat& format) {
    const Typeface typeface{format.FontName, format.Bold, format.Italic};
    auto known = perPoint_.find(typeface);
    if (known == perPoint_.end()) {
        known = perPoint_.emplace(typeface, MeasureTypeface(format)).first;
    }
    return known->second;
}

FontMeasures QtTextMetrics::Measure(const CharFormat& format) {
    FontMeasures measures = PerPoint(format);
    const double size = format.SizePoints;
    for (double& advance : measures.Advances) {
        advance *= size;
    }
    measures.Ascent *= size;
    measures.Descent *= size;
    measures.UnderlinePosition *= size;
    measures.UnderlineThickness *= size;
    return measures;
}

}  // namespace ostrelin::platform::richtext
