#include "platform/printing/Sheet.h"

#include <cmath>

#include "platform/printing/PaperCodes.h"

namespace ostrelin::platform::printing {

std::optional<Sheet> SheetOfMode(const DeviceMode& mode, std::int16_t driverPaper) {
    const std::int16_t code = (mode.Fields & kFieldPaperSize) != 0 ? mode.PaperSize : driverPaper;
    Sheet sheet;
    if (code == kPaperCodeCustom) {
        if (mode.PaperWidth <= 0 || mode.PaperLength <= 0) {
            return std::nullopt;
        }
        sheet.Width = mode.PaperWidth * 10;
        sheet.Length = mode.PaperLength * 10;
    } else if (const auto paper = PaperOfCode(code)) {
        sheet.Width = paper->Width;
        sheet.Length = paper->Length;
    } else {
        return std::nullopt;
    }
    sheet.Landscape = mode.Orientation == kOrientationLandscape;
    return sheet;
}

int HundredthsToPixels(int hundredths, int dpi) {
    return static_cast<int>(std::lround(hundredths / 2540.0 * dpi));
}

}  // namespace ostrelin::platform::printing
