#include "platform/printing/PaperTableDriver.h"

#include "platform/printing/PaperCodes.h"

namespace ostrelin::platform::printing {

namespace {

constexpr std::int16_t kA4 = 9;

}  // namespace

DeviceMode PaperTableDriver::DefaultDeviceMode() const {
    DeviceMode mode;
    mode.Fields = kFieldOrientation | kFieldPaperSize;
    mode.PaperSize = kA4;
    mode.Orientation = kOrientationPortrait;
    return mode;
}

std::vector<std::int16_t> PaperTableDriver::Papers(const DeviceMode&) const {
    std::vector<std::int16_t> codes;
    for (const PaperCodeInfo& paper : PaperCodeTable()) {
        codes.push_back(paper.Code);
    }
    return codes;
}

Resolution PaperTableDriver::LogPixels(const DeviceMode&) const {
    return {dpi_, dpi_};
}

std::optional<canvas::Point> PaperTableDriver::PrintingOffset(const DeviceMode&) const {
    return canvas::Point{0, 0};
}

std::optional<canvas::Point> PaperTableDriver::PhysicalPageSize(const DeviceMode& mode) const {
    const auto sheet = SheetOfMode(mode, kA4);
    if (!sheet) {
        return std::nullopt;
    }
    return SheetPixels(*sheet, dpi_);
}

Sheet PageSheet(const DeviceMode& mode) {
    return SheetOfMode(mode, kA4).value_or(Sheet{21000, 29700, false});
}

canvas::Point SheetPixels(const Sheet& sheet, int dpi) {
    const int width = HundredthsToPixels(sheet.Width, dpi);
    const int length = HundredthsToPixels(sheet.Length, dpi);
    return sheet.Landscape ? canvas::Point{length, width} : canvas::Point{width, length};
}

}  // namespace ostrelin::platform::printing
