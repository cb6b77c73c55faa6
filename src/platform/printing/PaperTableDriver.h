#pragma once

#include "platform/printing/PrinterDriver.h"
#include "platform/printing/Sheet.h"

namespace ostrelin::platform::printing {

// What the drivers of the program's own printers answer alike: every paper of the paper table,
// portrait or landscape, A4 by default, one resolution, no unprintable margin, and the sheet the
// settings name as the page. What they print to is up to each of them.
class PaperTableDriver : public PrinterDriver {
  public:
    explicit PaperTableDriver(int dpi) : dpi_(dpi) {}

    DeviceMode DefaultDeviceMode() const override;
    std::vector<std::int16_t> Papers(const DeviceMode& mode) const override;
    Resolution LogPixels(const DeviceMode& mode) const override;
    std::optional<canvas::Point> PrintingOffset(const DeviceMode& mode) const override;
    std::optional<canvas::Point> PhysicalPageSize(const DeviceMode& mode) const override;

  protected:
    int Dpi() const { return dpi_; }

  private:
    int dpi_;
};

// The sheet a page is printed on with `mode`: the one it names, or A4 portrait when it names none
// that is known.
Sheet PageSheet(const DeviceMode& mode);

// The size of `sheet` in device pixels at `dpi`, turned when it is printed in landscape.
canvas::Point SheetPixels(const Sheet& sheet, int dpi);

}  // namespace ostrelin::platform::printing
