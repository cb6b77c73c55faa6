#pragma once

#include <cstdint>
#include <optional>

#include "report/ReportControl.h"
#include "report/TQRPage.h"
#include "report/TQRReport.h"

namespace ostrelin::print {

// The part of the page inside the margins, in screen pixels of the report surface.
struct PrintableArea {
    int Width = 0;
    int Left = 0;
    int Height = 0;
    int Top = 0;
    friend bool operator==(const PrintableArea&, const PrintableArea&) = default;
};

// The printable area of `report`'s page: the margins' share of the page applied to the surface
// size, truncated toward zero. Only ratios of page values enter, so the report's unit does not
// matter. A page without width or length gives an area without width or height.
PrintableArea ReportPrintableArea(const report::TQRReport& report);

// The orientation a picture job asks for: mode 0 portrait, 1 landscape, 2 landscape when the
// picture is at least as wide as high and portrait otherwise; nothing (keep the current one) for
// any other mode.
std::optional<report::TPrinterOrientation> PictureOrientation(std::int32_t mode, int pictureWidth,
                                                              int pictureHeight);

// The bounds of a picture of `pictureWidth` × `pictureHeight` pixels fitted into `area` with its
// proportions kept (sizes truncated toward zero): as wide as the area when the picture is
// relatively wider than the area, else as high. Centred in the area when `center` is set, else at
// its top-left corner. A picture without pixels in either direction gets an empty element at the
// area's top-left corner.
report::PixelBounds FitPicture(const PrintableArea& area, int pictureWidth, int pictureHeight,
                               bool center);

}  // namespace ostrelin::print
