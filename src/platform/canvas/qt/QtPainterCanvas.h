#pragma once

#include <QPainter>
#include <QRawFont>
#include <QTransform>
#include <optional>
#include <utility>
#include <vector>

#include "platform/canvas/Canvas.h"

namespace ostrelin::platform::canvas {

// A canvas drawing with a QPainter whose device counts in pixels of the horizontal resolution in
// both directions (a PDF page at the printer's resolution, an image). A printer may resolve finer
// down the page than across it: vertical device pixels are then scaled onto the painter's, so
// every position and length keeps the size its own direction's resolution gives it. The painter
// must outlive the canvas.
class QtPainterCanvas final : public Canvas {
  public:
    QtPainterCanvas(QPainter& painter, int logPixelsX, int logPixelsY);

    int LogPixelsX() const override { return logPixelsX_; }
    int LogPixelsY() const override { return logPixelsY_; }
    void FillRect(const Rect& rect, Color color) override;
    void DrawLine(Point from, Point to, Color color, int width) override;
    StretchMode GetStretchMode() const override { return stretchMode_; }
    void SetStretchMode(StretchMode mode) override { stretchMode_ = mode; }
    void StretchDIBits(const Rect& destination, const DeviceBitmap& bitmap) override;
    void IntersectClipRect(const Rect& rect) override;
    void RemoveClip() override;
    void DrawText(Point origin, std::string_view text, std::span<const int> offsets,
                  const TextFont& font) override;

  private:
    // The typeface and size that draw text in `font`, made on its first use.
    const QRawFont& RawFont(const TextFont& font);

    QPainter& painter_;
    int logPixelsX_;
    int logPixelsY_;
    // Device pixels to painter units: vertical pixels scaled by logPixelsX / logPixelsY.
    QTransform deviceToPainter_;
    StretchMode stretchMode_ = StretchMode::BlackOnWhite;
    // The font of the last DrawText, its typeface, and its colour in the pen, since every other
    // drawing restores the pen it found.
    std::optional<TextFont> textFont_;
    QRawFont textRawFont_;
    // Every font drawn with so far; a document has few.
    std::vector<std::pair<TextFont, QRawFont>> rawFonts_;
};

}  // namespace ostrelin::platform::canvas
