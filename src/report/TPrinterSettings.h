#pragma once

#include <bitset>
#include <cstdint>
#include <string>

#include "platform/printing/Printer.h"
#include "report/PaperTable.h"
#include "report/TQRPage.h"

namespace ostrelin::report {

// The device settings of the printer a TQRPrinter prints on: read from the driver when a printer
// is selected, changed by the report's wishes where the driver allows it, and written back into
// the driver's settings when a document begins.
class TPrinterSettings {
  public:
    // Binds the settings to `printer` (not owned) and reads them when there is an installed
    // printer; null unbinds.
    void SetPrinter(platform::printing::Printer* printer);
    platform::printing::Printer* Printer() const { return printer_; }

    // Reads the selected printer's current settings into the fields; nothing without a printer.
    void ReadSettings();
    // Writes the fields into the driver's settings and makes the printer adopt them.
    void ApplySettings();

    // True when a printer is bound and its settings declare every bit of `field`.
    bool Supported(std::uint32_t field) const;
    // Declares `field` in the driver's settings.
    void MarkField(std::uint32_t field);

    const std::string& Device() const { return device_; }
    const std::string& Driver() const { return driver_; }
    const std::string& Port() const { return port_; }
    const platform::printing::DeviceModeHandle& DeviceMode() const { return deviceMode_; }

    int Copies() const { return copies_; }
    // Taken only when the driver declares copies.
    void SetCopies(int copies);
    bool Duplex() const { return duplex_; }
    TPrinterOrientation Orientation() const { return orientation_; }
    // Taken only when the driver declares the orientation.
    void SetOrientation(TPrinterOrientation orientation);
    TQRBin OutputBin() const { return outputBin_; }
    // Taken only when the driver declares the paper source.
    void SetOutputBin(TQRBin bin);
    TQRPaperSize PaperSize() const { return paperSize_; }
    // Taken when the driver lists the paper, and always for Default; otherwise ignored.
    void SetPaperSize(TQRPaperSize size);
    // Whether the driver lists `size`.
    bool PaperAvailable(TQRPaperSize size) const;

    // Unrotated sheet width and length in tenths of a millimetre: the stored size for Custom
    // and Default, the paper table's otherwise.
    int PaperWidth() const;
    int PaperLength() const;
    // Taken only while the paper size is Custom.
    void SetPaperWidth(int width);
    void SetPaperLength(int length);

    int PixelsPerX() const { return pixelsPerX_; }
    int PixelsPerY() const { return pixelsPerY_; }
    int TopOffset() const { return topOffset_; }
    int LeftOffset() const { return leftOffset_; }

  private:
    platform::printing::DeviceMode& Mode() const { return *deviceMode_; }
    void ReadNames();

    std::string device_;
    std::string driver_;
    std::string port_;
    platform::printing::DeviceModeHandle deviceMode_;
    int copies_ = 1;
    bool duplex_ = false;
    TPrinterOrientation orientation_ = poPortrait;
    TQRBin outputBin_ = TQRBin::First;
    TQRPaperSize paperSize_ = TQRPaperSize::A4;
    std::bitset<kPaperSizeCount> paperAvailable_;
    int paperWidth_ = 0;
    int paperLength_ = 0;
    int pixelsPerX_ = 0;
    int pixelsPerY_ = 0;
    int topOffset_ = 0;
    int leftOffset_ = 0;
    platform::printing::Printer* printer_ = nullptr;
};

}  // namespace ostrelin::report
