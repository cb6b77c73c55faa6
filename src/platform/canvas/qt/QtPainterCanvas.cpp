#include "platform/canvas/qt/QtPainterCanvas.h"

#include <QFont>
#include <QGlyphRun>
#include <QPen>
#include <algorithm>

#include "platform/canvas/qt/BitmapImage.h"

namespace ostrelin::platform::canvas {

namespace {

QColor ToQColor(Color color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QRectF ToQRectF(const Rect& rect) {
    return QRectF(QPointF(rect.Left, rect.Top), QPointF(rect.Right, rect.Bottom));
}

// The typeface of `font` at `pixelSize` painter pixels, unrounded: the layout measured the text at
// its exact size, and the glyphs are drawn at that size too.
QRawFont RawFontOf(const TextFont& font, double pixelSize) {
    QFont typeface(QString::fromStdString(font.Family));
    typeface.setBold(font.Bold);
    typeface.setItalic(font.Italic);
    QRawFont raw = QRawFont::fromFont(typeface);
    raw.setPixelSize(pixelSize);
    return raw;
}

}  // namespace

QtPainterCanvas::QtPainterCanvas(QPainter& painter, int logPixelsX, int logPixelsY)
    : painter_(painter),
      logPixelsX_(logPixelsX),
      logPixelsY_(logPixelsY),
      deviceToPainter_(QTransform::fromScale(1.0, static_cast<double>(logPixelsX) / logPixelsY)) {}

void QtPainterCanvas::FillRect(const Rect& rect, Color color) {
    painter_.fillRect(deviceToPainter_.mapRect(ToQRectF(rect)), ToQColor(color));
}

void QtPainterCanvas::DrawLine(Point from, Point to, Color color, int width) {
    painter_.save();
    // Drawn in device pixels, so that the pen's width is measured across the line in the
    // resolution of that direction.
    painter_.setWorldTransform(deviceToPainter_, true);
    painter_.setPen(QPen(ToQColor(color), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter_.drawLine(QPoint(from.X, from.Y), QPoint(to.X, to.Y));
    painter_.restore();
}

void QtPainterCanvas::StretchDIBits(const Rect& destination, const DeviceBitmap& bitmap) {
    const QImage image = ToQImage(bitmap);
    if (image.isNull()) {
        return;
    }
    painter_.save();
    // Colour-on-colour drops whole rows and columns; only halftone asks for averaging.
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, stretchMode_ == StretchMode::Halftone);
    painter_.drawImage(deviceToPainter_.mapRect(ToQRectF(destination)), image);
    painter_.restore();
}

void QtPainterCanvas::IntersectClipRect(const Rect& rect) {
    painter_.setClipRect(deviceToPainter_.mapRect(ToQRectF(rect)),
                         painter_.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void QtPainterCanvas::RemoveClip() {
    painter_.setClipping(false);
}

const QRawFont& QtPainterCanvas::RawFont(const TextFont& font) {
    for (const auto& [known, raw] : rawFonts_) {
        if (known == font) {
            return raw;
        }
    }
    // The font is sized in vertical device pixels; the painter counts horizontal ones.
    const double pixelSize = font.PixelSize * logPixelsX_ / logPixelsY_;
    return rawFonts_.emplace_back(font, RawFontOf(font, pixelSize)).second;
}

void QtPainterCanvas::DrawText(Point origin, std::string_view text, std::span<const int> offsets,
                               const TextFont& font) {
    // Lines come one run at a time, nearly always in the font of the run before: the pen changes
    // only when the font does, so a PDF page does not restate it for every run.
    if (textFont_ != font) {
        painter_.setPen(ToQColor(font.TextColor));
        textFont_ = font;
        textRawFont_ = RawFont(font);
    }
    const QRawFont& raw = textRawFont_;
    // Glyphs straight from the font's character map: drawn text is never shaped, so each
    // character keeps the one glyph and the place that layout measured it with.
    QList<quint32> glyphs = raw.glyphIndexesForString(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    glyphs.resize(std::min<qsizetype>(glyphs.size(), std::ssize(offsets)));
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        // Glyphs keep their shape: only their origins are mapped, the font is sized for the
        // painter.
        positions.push_back(deviceToPainter_.map(
            QPointF(origin.X + offsets[static_cast<std::size_t>(i)], origin.Y)));
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(font.Underline);
    run.setStrikeOut(font.StrikeOut);
    painter_.drawGlyphRun(QPointF(0, 0), run);
}

}  // namespace ostrelin::platform::canvas
