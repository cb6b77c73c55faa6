#include "report/TPrinterSettings.h"

#include "report/Rounding.h"

namespace ostrelin::report {

namespace pp = platform::printing;

namespace {

constexpr std::size_t kDriverNameLength = 63;

// Device pixels to tenths of a millimetre at `dpi`.
int PixelsToTenths(int pixels, int dpi) {
    return dpi > 0 ? Round(static_cast<double>(pixels) / dpi * 254.0) : 0;
}

}  // namespace

void TPrinterSettings::SetPrinter(pp::Printer* printer) {
    printer_ = printer;
    if (printer_ != nullptr && !printer_->Printers().empty()) {
        ReadSettings();
    }
}

void TPrinterSettings::ReadNames() {
    const pp::PrinterNames names = printer_->GetPrinter(deviceMode_);
    device_ = names.Device;
    port_ = names.Port;
    const std::string path = printer_->DriverPath();
    const auto slash = path.find_last_of('/');
    driver_ =
        (slash == std::string::npos ? path : path.substr(slash + 1)).substr(0, kDriverNameLength);
}

bool TPrinterSettings::Supported(std::uint32_t field) const {
    return printer_ != nullptr && deviceMode_ && (Mode().Fields & field) == field;
}

void TPrinterSettings::MarkField(std::uint32_t field) {
    if (deviceMode_) {
        Mode().Fields |= field;
    }
}

void TPrinterSettings::ReadSettings() {
    if (printer_ == nullptr) {
        return;
    }
    ReadNames();
    const pp::Resolution dpi = printer_->LogPixels();
    pixelsPerX_ = dpi.X;
    pixelsPerY_ = dpi.Y;

    copies_ = Supported(pp::kFieldCopies) ? Mode().Copies : 1;

    outputBin_ = TQRBin::First;
    if (Supported(pp::kFieldDefaultSource)) {
        outputBin_ = BinOfCode(Mode().DefaultSource).value_or(TQRBin::First);
    }

    duplex_ = Supported(pp::kFieldDuplex) && Mode().Duplex != pp::kDuplexSimplex;

    const auto offset = printer_->PrintingOffset();
    leftOffset_ = offset ? PixelsToTenths(offset->X, pixelsPerX_) : 0;
    topOffset_ = offset ? PixelsToTenths(offset->Y, pixelsPerY_) : 0;

    paperSize_ = TQRPaperSize::Default;
    if (Supported(pp::kFieldPaperSize)) {
        paperSize_ = PaperSizeOfCode(Mode().PaperSize).value_or(TQRPaperSize::Default);
    }

    const auto sheet = printer_->PhysicalPageSize();
    paperWidth_ = sheet ? PixelsToTenths(sheet->X, pixelsPerX_) : 0;
    paperLength_ = sheet ? PixelsToTenths(sheet->Y, pixelsPerY_) : 0;

    paperAvailable_.reset();
    for (const std::int16_t code : printer_->Papers()) {
        if (const auto size = PaperSizeOfCode(code)) {
            paperAvailable_.set(static_cast<std::size_t>(*size));
        }
    }
}

void TPrinterSettings::ApplySettings() {
    if (printer_ == nullptr) {
        return;
    }
    ReadNames();
    pp::DeviceMode& mode = Mode();
    if (paperSize_ == TQRPaperSize::Custom) {
        MarkField(pp::kFieldPaperLength);
        mode.PaperLength = static_cast<std::int16_t>(paperLength_);
        MarkField(pp::kFieldPaperWidth);
        mode.PaperWidth = static_cast<std::int16_t>(paperWidth_);
    }
    if (Supported(pp::kFieldDuplex) && duplex_) {
        MarkField(pp::kFieldDuplex);
        mode.Duplex = pp::kDuplexHorizontal;
    }
    if (Supported(pp::kFieldPaperSize) && paperSize_ != TQRPaperSize::Default) {
        MarkField(pp::kFieldPaperSize);
        mode.PaperSize = PaperCode(paperSize_);
    }
    if (Supported(pp::kFieldCopies)) {
        MarkField(pp::kFieldCopies);
        mode.Copies = static_cast<std::int16_t>(copies_);
    }
    if (Supported(pp::kFieldDefaultSource)) {
        MarkField(pp::kFieldDefaultSource);
        mode.DefaultSource =
            static_cast<std::int16_t>(BinCode(outputBin_) | (mode.DefaultSource & 256));
    }
    if (Supported(pp::kFieldOrientation)) {
        MarkField(pp::kFieldOrientation);
        mode.Orientation =
            orientation_ == poLandscape ? pp::kOrientationLandscape : pp::kOrientationPortrait;
    }
    printer_->SetPrinter(device_, deviceMode_);
}

void TPrinterSettings::SetCopies(int copies) {
    if (Supported(pp::kFieldCopies)) {
        copies_ = copies;
    }
}

void TPrinterSettings::SetOrientation(TPrinterOrientation orientation) {
    if (Supported(pp::kFieldOrientation)) {
        orientation_ = orientation;
    }
}

void TPrinterSettings::SetOutputBin(TQRBin bin) {
    if (Supported(pp::kFieldDefaultSource)) {
        outputBin_ = bin;
    }
}

bool TPrinterSettings::PaperAvailable(TQRPaperSize size) const {
    return paperAvailable_.test(static_cast<std::size_t>(size));
}

void TPrinterSettings::SetPaperSize(TQRPaperSize size) {
    if (PaperAvailable(size) || size == TQRPaperSize::Default) {
        paperSize_ = size;
    }
}

int TPrinterSettings::PaperWidth() const {
    const auto mm = PaperDimensions(paperSize_);
    return mm ? Round(mm->Width * 10.0) : paperWidth_;
}

int TPrinterSettings::PaperLength() const {
    const auto mm = PaperDimensions(paperSize_);
    return mm ? Round(mm->Length * 10.0) : paperLength_;
}

void TPrinterSettings::SetPaperWidth(int width) {
    if (paperSize_ == TQRPaperSize::Custom) {
        paperWidth_ = width;
    }
}

void TPrinterSettings::SetPaperLength(int length) {
    if (paperSize_ == TQRPaperSize::Custom) {
        paperLength_ = length;
    }
}

}  // namespace ostrelin::report
