#include "report/TQRPage.h"

#include "report/Rounding.h"

namespace ostrelin::report {

TQRPage::TQRPage(TQRPageOwner* owner, const DisplayMetrics& display)
    : TQRUnitBase(7, display), owner_(owner) {
    const double margin = display.UsMeasurement ? 127.0 : 100.0;
    for (const int index : {BottomMarginIndex, TopMarginIndex, LeftMarginIndex, RightMarginIndex}) {
        StoreNative(index, margin);
    }
    SetPaperSize(display.UsMeasurement ? TQRPaperSize::Letter : TQRPaperSize::A4);
}

void TQRPage::WriteValue(int index, double native) {
    const bool isSheetSize = index == WidthIndex || index == LengthIndex;
    if (isSheetSize && paperSize_ != TQRPaperSize::Custom) {
        return;
    }
    StoreNative(index, native);
    if (owner_ == nullptr) {
        return;
    }
    if (isSheetSize || index == BottomMarginIndex) {
        owner_->ResizeSurface();
    }
    owner_->ArrangeBands();
}

void TQRPage::SetPaperSize(TQRPaperSize size) {
    const auto table = PaperDimensions(size);
    if (table) {
        const TQRUnit unit = Units();
        SetUnits(TQRUnit::MM);
        paperSize_ = TQRPaperSize::Custom;
        const bool landscape = orientation_ == poLandscape;
        SetWidth(landscape ? table->Length : table->Width);
        SetLength(landscape ? table->Width : table->Length);
        SetUnits(unit);
        if (owner_ != nullptr) {
            owner_->ArrangeBands();
        }
    }
    paperSize_ = size;
}

void TQRPage::SetOrientation(TPrinterOrientation orientation) {
    orientation_ = orientation;
    SetPaperSize(paperSize_);
}

int TQRPage::SurfaceWidth() const {
    return Round(PixelValue(WidthIndex));
}

int TQRPage::SurfaceHeight() const {
    return Round(PixelValue(LengthIndex));
}

void TQRPage::SetColumns(int columns) {
    if (columns <= 0 || columns == columns_) {
        return;
    }
    columns_ = columns;
    if (owner_ != nullptr) {
        owner_->ArrangeBands();
    }
}

}  // namespace ostrelin::report
