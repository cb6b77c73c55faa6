#include "report/TQRPrintable.h"

#include "report/Rounding.h"
#include "report/TQRBand.h"
#include "report/TQRReport.h"

namespace ostrelin::report {

TQRPrintable::TQRPrintable(ReportControl* parent)
    : ReportControl(parent, parent != nullptr ? parent->Display() : DisplayMetrics{}),
      size_(this, Display()) {
    if (auto* report = dynamic_cast<TQRReport*>(parent)) {
        parentReport_ = report;
    } else if (auto* band = dynamic_cast<TQRCustomBand*>(parent)) {
        parentReport_ = band->ParentReport();
    }
    if (parentReport_ != nullptr) {
        size_.SetUnits(parentReport_->Units());
    }
}

TQRCustomBand* TQRPrintable::ParentBand() const {
    return dynamic_cast<TQRCustomBand*>(Parent());
}

void TQRPrintable::PreparePrint() {
    printing_ = true;
    qrPrinter_ = parentReport_ != nullptr ? parentReport_->QRPrinter() : nullptr;
}

void TQRPrintable::UnpreparePrint() {
    printing_ = false;
}

platform::canvas::Rect TQRPrintable::DeviceRect(int offsetX, int offsetY) const {
    const TQRPrinter& printer = *parentReport_->QRPrinter();
    const double left = size_.NativeValue(TQRPrintableSize::LeftIndex) + offsetX;
    const double top = size_.NativeValue(TQRPrintableSize::TopIndex) + offsetY;
    return {printer.XPos(left), printer.YPos(top),
            printer.XPos(left + size_.NativeValue(TQRPrintableSize::WidthIndex)),
            printer.YPos(top + size_.NativeValue(TQRPrintableSize::HeightIndex))};
}

void TQRPrintable::PrintAt(int offsetX, int offsetY) {
    if (parentReport_ == nullptr || parentReport_->QRPrinter() == nullptr) {
        return;
    }
    if (parentReport_->DrawPage() && frame_.AnyFrame()) {
        frame_.PaintIt(*parentReport_->QRPrinter(), DeviceRect(offsetX, offsetY));
    }
}

void TQRPrintable::ParentChanged(ReportControl&, int kind) {
    if (kind == 2) {
        AlignInBand();
    }
}

void TQRPrintable::SetBounds(const PixelBounds& bounds) {
    if (size_.ParentUpdating()) {
        StoreBounds(bounds);
        return;
    }
    const PixelBounds old = Bounds();
    StoreBounds(bounds);
    size_.SetPixels();
    if (bounds.Height != old.Height) {
        size_.SetHeight(bounds.Height);
    }
    if (bounds.Width != old.Width) {
        size_.SetWidth(bounds.Width);
    }
    if (bounds.Top != old.Top) {
        size_.SetTop(bounds.Top);
    }
    if (bounds.Left != old.Left) {
        size_.SetLeft(bounds.Left);
    }
    size_.RestoreUnits();
}

void TQRPrintable::SizeChanged() {
    SetBounds({Round(size_.PixelValue(TQRPrintableSize::LeftIndex)),
               Round(size_.PixelValue(TQRPrintableSize::TopIndex)),
               Round(size_.PixelValue(TQRPrintableSize::WidthIndex)),
               Round(size_.PixelValue(TQRPrintableSize::HeightIndex))});
}

}  // namespace ostrelin::report
