#include "report/TQRFrame.h"

#include <algorithm>

#include "report/Rounding.h"
#include "report/TQRPrinter.h"

namespace ostrelin::report {

void TQRFrame::PaintIt(const TQRPrinter& printer, const platform::canvas::Rect& rect) const {
    platform::canvas::Canvas* canvas = printer.Canvas();
    if (canvas == nullptr || !AnyFrame()) {
        return;
    }
    const int across = std::max(1, Round(Width * printer.YFactor()));  // horizontal lines
    const int down = std::max(1, Round(Width * printer.XFactor()));    // vertical lines
    const platform::canvas::Point topLeft{rect.Left, rect.Top};
    const platform::canvas::Point topRight{rect.Right, rect.Top};
    const platform::canvas::Point bottomLeft{rect.Left, rect.Bottom};
    const platform::canvas::Point bottomRight{rect.Right, rect.Bottom};
    if (DrawTop) {
        canvas->DrawLine(topLeft, topRight, Color, across);
    }
    if (DrawBottom) {
        canvas->DrawLine(bottomLeft, bottomRight, Color, across);
    }
    if (DrawLeft) {
        canvas->DrawLine(topLeft, bottomLeft, Color, down);
    }
    if (DrawRight) {
        canvas->DrawLine(topRight, bottomRight, Color, down);
    }
}

}  // namespace ostrelin::report
