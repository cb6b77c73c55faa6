#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/canvas/DeviceBitmap.h"

namespace ostrelin::platform::canvas {

// A point in device pixels.
struct Point {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle in device pixels; Right and Bottom lie just outside it, as the printing interfaces
// count them.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// How a bitmap drawn smaller than its own size loses pixels: BlackOnWhite keeps black pixels
// (AND of the dropped ones), WhiteOnBlack keeps white (OR), ColorOnColor deletes whole rows and
// columns, Halftone averages.
enum class StretchMode : std::uint8_t {
    BlackOnWhite = 1,
    WhiteOnBlack = 2,
    ColorOnColor = 3,
    Halftone = 4,
};

// A font for a run of text, sized in device pixels.
struct TextFont {
    std::string Family;
    double PixelSize = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    Color TextColor = 0;
    friend bool operator==(const TextFont&, const TextFont&) = default;
};

// The drawing surface of one page in device pixels: what the report engine and its elements draw.
class Canvas {
  public:
    virtual ~Canvas() = default;

    // Device pixels per inch, horizontally and vertically.
    virtual int LogPixelsX() const = 0;
    virtual int LogPixelsY() const = 0;

    // Fills `rect` with a solid colour.
    virtual void FillRect(const Rect& rect, Color color) = 0;

    // Draws a straight line `width` pixels thick, centred on the line from `from` to `to`.
    virtual void DrawLine(Point from, Point to, Color color, int width) = 0;

    // The mode used when a bitmap is drawn smaller than its size.
    virtual StretchMode GetStretchMode() const = 0;
    // Sets the mode used when a bitmap is drawn smaller than its size.
    virtual void SetStretchMode(StretchMode mode) = 0;

    // Draws the whole `bitmap` stretched into `destination` with a plain copy.
    virtual void StretchDIBits(const Rect& destination, const DeviceBitmap& bitmap) = 0;

    // Restricts further drawing to the part of the current drawing area inside `rect`.
    virtual void IntersectClipRect(const Rect& rect) = 0;
    // Removes every restriction of the drawing area.
    virtual void RemoveClip() = 0;

    // Draws UTF-8 `text` on the baseline through `origin`, its n-th character (code point)
    // starting `offsets[n]` pixels right of the origin; there is one offset per character. The
    // device puts every character where it is told and never advances by widths of its own, so
    // that no character's place depends on how a device rounds the widths of those before it.
    virtual void DrawText(Point origin, std::string_view text, std::span<const int> offsets,
                          const TextFont& font) = 0;
};

}  // namespace ostrelin::platform::canvas
