#include "print/PageGeometry.h"

#include <cmath>

namespace ostrelin::print {

namespace {

// Truncates toward zero, as the placement of content on the surface always does. Degenerate
// proportions (a page or picture without extent) give 0 rather than an undefined conversion.
int Trunc(double value) {
    return std::isfinite(value) ? static_cast<int>(value) : 0;
}

}  // namespace

PrintableArea ReportPrintableArea(const report::TQRReport& report) {
    using report::TQRPage;
    const TQRPage& page = report.Page();
    const double width = page.NativeValue(TQRPage::WidthIndex);
    const double length = page.NativeValue(TQRPage::LengthIndex);
    const double leftMargin = page.NativeValue(TQRPage::LeftMarginIndex);
    const double rightMargin = page.NativeValue(TQRPage::RightMarginIndex);
    const double topMargin = page.NativeValue(TQRPage::TopMarginIndex);
    const double bottomMargin = page.NativeValue(TQRPage::BottomMarginIndex);
    const double surfaceWidth = report.Bounds().Width;
    const double surfaceHeight = report.Bounds().Height;

    PrintableArea area;
    if (width > 0) {
        area.Width = Trunc(surfaceWidth * (width - (leftMargin + rightMargin)) / width);
        area.Left = Trunc(leftMargin * surfaceWidth / width);
    }
    if (length > 0) {
        area.Height = Trunc(surfaceHeight * (length - (bottomMargin + topMargin)) / length);
        area.Top = Trunc(topMargin * surfaceHeight / length);
    }
    return area;
}

std::optional<report::TPrinterOrientation> PictureOrientation(std::int32_t mode, int pictureWidth,
                                                              int pictureHeight) {
    switch (mode) {
        case 0:
            return report::poPortrait;
        case 1:
            return report::poLandscape;
        case 2:
            return static_cast<double>(pictureWidth) / pictureHeight >= 1.0 ? report::poLandscape
                                                                            : report::poPortrait;
        default:
            return std::nullopt;
    }
}

report::PixelBounds FitPicture(const PrintableArea& area, int pictureWidth, int pictureHeight,
                               bool center) {
    report::PixelBounds bounds{area.Left, area.Top, 0, 0};
    if (pictureWidth <= 0 && pictureHeight <= 0) {
        return bounds;
    }
    const double proportion = static_cast<double>(pictureWidth) / pictureHeight;
    if (proportion > static_cast<double>(area.Width) / area.Height) {
        bounds.Width = area.Width;
        bounds.Height = Trunc(area.Width / proportion);
    } else {
        bounds.Height = area.Height;
        bounds.Width = Trunc(area.Height * proportion);
    }
    if (center) {
        bounds.Left += (area.Width - bounds.Width) / 2;
        bounds.Top += (area.Height - bounds.Height) / 2;
    }
    return bounds;
}

}  // namespace ostrelin::print
