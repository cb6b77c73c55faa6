#pragma once

#include "platform/canvas/Canvas.h"

namespace ostrelin::report {

class TQRPrinter;

// The frame lines of a band, an element or the report's margins. Width is in tenths of a
// millimetre; on a device each line is that many tenths thick, at least one pixel.
struct TQRFrame {
    bool DrawTop = false;
    bool DrawBottom = false;
    bool DrawLeft = false;
    bool DrawRight = false;
    platform::canvas::Color Color = platform::canvas::kBlack;
    int Width = 1;

    // True when any line is switched on.
    bool AnyFrame() const { return DrawTop || DrawBottom || DrawLeft || DrawRight; }

    // Draws the switched-on lines along the edges of `rect` (device pixels) on the printer
    // object's canvas, scaling the line width with its factors.
    void PaintIt(const TQRPrinter& printer, const platform::canvas::Rect& rect) const;
};

}  // namespace ostrelin::report
