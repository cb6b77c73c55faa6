#include "report/TQRPrinter.h"

#include "report/EQRError.h"
#include "report/Rounding.h"

namespace ostrelin::report {

namespace pp = platform::printing;

namespace {

constexpr std::size_t kPageStreamMemoryLimit = 100000;

}  // namespace

TQRPrinter::TQRPrinter(const pp::PrintingSystem& system, int screenPixelsPerInch)
    : printer_(system), screenPixelsPerInch_(screenPixelsPerInch) {
    printersAvailable_ = !printer_.Printers().empty();
    if (printersAvailable_) {
        settings_.SetPrinter(&printer_);
    }
    topOffset_ = settings_.TopOffset();
    leftOffset_ = settings_.LeftOffset();
}

TQRPrinter::~TQRPrinter() {
    if (status_ == TQRPrinterStatus::Busy) {
        Cancel();
    }
    pageList_.SetStream(nullptr);
    pageStream_.reset();
    pageList_.Clear();
}

void TQRPrinter::SetPrinterIndex(int index) {
    if (!printersAvailable_) {
        return;
    }
    printer_.SetPrinterIndex(index);
    // Selecting the same printer again without settings makes the driver hand out fresh ones,
    // so nothing of an earlier print carries over.
    pp::DeviceModeHandle unused;
    const pp::PrinterNames names = printer_.GetPrinter(unused);
    printer_.SetPrinter(names.Device, nullptr);
    settings_.ReadSettings();
}

int TQRPrinter::PaperWidth() const {
    return settings_.Orientation() == poLandscape ? settings_.PaperLength()
                                                  : settings_.PaperWidth();
}

int TQRPrinter::PaperLength() const {
    return settings_.Orientation() == poLandscape ? settings_.PaperWidth()
                                                  : settings_.PaperLength();
}

int TQRPrinter::XPos(double value) const {
    return Round((value - leftOffset_) * xFactor_);
}

int TQRPrinter::YPos(double value) const {
    return Round((value - topOffset_) * yFactor_);
}

int TQRPrinter::XSize(double value) const {
    return Round(value * xFactor_);
}

int TQRPrinter::YSize(double value) const {
    return Round(value * yFactor_);
}

void TQRPrinter::BeginDoc() {
    pageMetafile_.reset();
    progressPage_ = 0;
    cancelled_ = false;
    const bool toPrinter = destination_ == TQRDestination::Printer;
    if (toPrinter) {
        settings_.ApplySettings();
    }
    // The offsets were measured when the printer was selected, before this report's paper and
    // orientation reached the driver.
    topOffset_ = toPrinter ? settings_.TopOffset() : 0;
    leftOffset_ = toPrinter ? settings_.LeftOffset() : 0;
    if (status_ != TQRPrinterStatus::Ready) {
        throw EQRError("QRPrinter not ready");
    }
    pagesBegun_ = 0;
    pageNumber_ = 0;
    status_ = TQRPrinterStatus::Busy;
    if (toPrinter) {
        const pp::Resolution dpi = printer_.LogPixels();
        xFactor_ = dpi.X / 254.0;
        yFactor_ = dpi.Y / 254.0;
    } else {
        pageStream_ = std::make_unique<TQRStream>(kPageStreamMemoryLimit);
        pageList_.SetStream(pageStream_.get());
        xFactor_ = yFactor_ = screenPixelsPerInch_ / 254.0;
    }
}

bool TQRPrinter::PageInRange() const {
    return (firstPage_ <= 0 || firstPage_ <= pageNumber_) &&
           (lastPage_ <= 0 || lastPage_ >= pageNumber_);
}

void TQRPrinter::NewPageMetafile() {
    const int dpiX =
        destination_ == TQRDestination::Printer ? settings_.PixelsPerX() : screenPixelsPerInch_;
    const int dpiY =
        destination_ == TQRDestination::Printer ? settings_.PixelsPerY() : screenPixelsPerInch_;
    pageMetafile_ = std::make_unique<platform::canvas::RecordingCanvas>(
        XSize(PaperWidth()), YSize(PaperLength()), dpiX, dpiY);
    canvas_ = pageMetafile_.get();
}

void TQRPrinter::StorePageMetafile() {
    if (pageMetafile_) {
        pageList_.AddPage(pageMetafile_->ToBytes());
        pageMetafile_.reset();
        canvas_ = nullptr;
    }
}

void TQRPrinter::StartPrinterDocument() {
    printer_.SetTitle(title_);
    printer_.BeginDoc();
    // Duplex and paper source go to the device once more now that the document exists, without
    // the driver's extra source bit this time.
    if (const pp::DeviceModeHandle& mode = settings_.DeviceMode()) {
        if (settings_.Supported(pp::kFieldDuplex) && settings_.Duplex()) {
            mode->Duplex = pp::kDuplexHorizontal;
        }
        mode->DefaultSource = BinCode(settings_.OutputBin());
    }
    printer_.ResetDC();
}

void TQRPrinter::NewPage() {
    if (status_ != TQRPrinterStatus::Busy) {
        throw EQRError("Illegal call to NewPage");
    }
    const bool toPrinter = destination_ == TQRDestination::Printer;
    if (pagesBegun_ > 0) {
        if (!toPrinter) {
            StorePageMetafile();
        } else if (PageInRange()) {
            // The last page of the range stays open until the document ends.
            if (printer_.Printing() && pageNumber_ != lastPage_) {
                printer_.NewPage();
            }
        } else {
            pageMetafile_.reset();
            canvas_ = nullptr;
        }
        SetProgressPage(progressPage_ + 1);
    }
    ++pageNumber_;
    ++pagesBegun_;
    if (!toPrinter || !PageInRange()) {
        NewPageMetafile();
        return;
    }
    if (!printer_.Printing()) {
        StartPrinterDocument();
    }
    canvas_ = &printer_.Canvas();
}

void TQRPrinter::EndDoc() {
    if (destination_ == TQRDestination::Printer) {
        canvas_ = nullptr;
        pageMetafile_.reset();
        printer_.EndDoc();
    } else if (pageNumber_ > 0) {
        StorePageMetafile();
    }
    SetProgressPage(progressPage_ + 1);
    status_ = TQRPrinterStatus::Finished;
    if (destination_ == TQRDestination::PageStore) {
        pageList_.Finish();
    } else if (AfterPrint) {
        AfterPrint(*this);
    }
}

void TQRPrinter::Abort() {
    if (destination_ == TQRDestination::Printer) {
        canvas_ = nullptr;
        pageMetafile_.reset();
        // A document whose pages all lay before the range never started; there is nothing to drop.
        if (printer_.Printing()) {
            printer_.Abort();
        }
    } else {
        StorePageMetafile();
    }
    status_ = TQRPrinterStatus::Finished;
}

void TQRPrinter::SetProgressPage(int page) {
    progressPage_ = page;
    if (progressForm_ != nullptr) {
        progressForm_->PostPage(page);
    }
}

void TQRPrinter::SetProgressPercent(int percent) {
    progressPercent_ = percent;
    if (progressForm_ != nullptr) {
        progressForm_->PostPercent(percent);
    }
}

}  // namespace ostrelin::report
