#include "platform/canvas/qt/QtPainterCanvas.h"

#include <QFont>
#include <QPen>

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

void QtPainterCanvas::DrawText(Point origin, std::string_view text, const TextFont& font) {
    // Words come one at a time, nearly always in the font of the word before: the painter's font
    // and pen change only when the font does, so a PDF page does not restate them for every word.
    if (textFont_ != font) {
        QFont qfont(QString::fromStdString(font.Family));
        qfont.setPointSizeF(font.PixelSize * 72.0 / logPixelsY_);
        qfont.setBold(font.Bold);
        qfont.setItalic(font.Italic);
        qfont.setUnderline(font.Underline);
        qfont.setStrikeOut(font.StrikeOut);
        painter_.setFont(qfont);
        painter_.setPen(ToQColor(font.TextColor));
        textFont_ = font;
    }
    // Glyphs keep their shape: only the origin is mapped, the font is sized in points.
    painter_.drawText(deviceToPainter_.map(QPointF(origin.X, origin.Y)),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace ostrelin::platform::canvas
