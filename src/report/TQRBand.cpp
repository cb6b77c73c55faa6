#include "report/TQRBand.h"

#include "report/Rounding.h"
#include "report/TQRPrintable.h"
#include "report/TQRReport.h"

namespace ostrelin::report {

TQRCustomBand::TQRCustomBand(TQRReport* report, TQRBandType type)
    : ReportControl(report, report != nullptr ? report->Display() : DisplayMetrics{}),
      bandType_(type),
      size_(this, Display()),
      parentReport_(report) {
    if (report != nullptr) {
        size_.SetUnits(report->Units());
        report->ArrangeBands();
    }
}

TQRCustomBand::~TQRCustomBand() {
    SetChildBand(nullptr);
    if (parentBand_ != nullptr) {
        parentBand_->child_ = nullptr;
    }
    if (parentReport_ != nullptr && Parent() == parentReport_) {
        SetParent(nullptr);
        parentReport_->ArrangeBands();
    }
}

void TQRCustomBand::SetBandType(TQRBandType type) {
    const TQRBandType layoutBefore = LayoutType();
    bandType_ = type;
    if (parentReport_ != nullptr && LayoutType() != layoutBefore) {
        parentReport_->ArrangeBands();
    }
}

void TQRCustomBand::SetNativeHeight(double height) {
    const TQRUnit unit = size_.Units();
    size_.SetUnits(TQRUnit::Native);
    size_.SetHeight(height);
    size_.SetUnits(unit);
}

void TQRCustomBand::SetChildBand(TQRCustomBand* child) {
    if (child_ != nullptr) {
        child_->parentBand_ = nullptr;
    }
    child_ = child;
    if (child_ != nullptr) {
        child_->parentBand_ = this;
        child_->bandType_ = rbChild;
    }
    if (parentReport_ != nullptr) {
        parentReport_->ArrangeBands();
    }
}

TQRBandType TQRCustomBand::LayoutType() const {
    const TQRCustomBand* band = this;
    while (band->bandType_ == rbChild && band->parentBand_ != nullptr) {
        band = band->parentBand_;
    }
    return band->bandType_;
}

bool TQRCustomBand::CanGrow(double amount) const {
    return parentReport_ != nullptr &&
           Round(NativeHeight() + amount) <= parentReport_->AvailableSpace();
}

bool TQRCustomBand::GrowBand(double amount, double& newTop, double& shiftX) {
    TQRReport& report = *parentReport_;
    const TQRPrinter& printer = *report.QRPrinter();
    shiftX = 0;
    bool moved = false;
    double oldBottom = NativeHeight() + report.CurrentY();
    if (!CanGrow(amount) && report.DrawPage()) {
        frame_.PaintIt(printer, {printer.XPos(report.CurrentX()), printer.YPos(report.CurrentY()),
                                 printer.XPos(report.CurrentX() + NativeWidth()),
                                 printer.YPos(report.CurrentY() + NativeHeight())});
    }
    SetNativeHeight(NativeHeight() + amount);
    bandRect_ = {printer.XPos(report.CurrentX()), printer.YPos(report.CurrentY()),
                 printer.XPos(report.CurrentX() + NativeWidth()),
                 printer.YPos(report.CurrentY() + NativeHeight())};
    if (Round(NativeHeight()) > report.AvailableSpace()) {
        const int oldX = report.CurrentX();
        report.AdvanceColumn();
        SetNativeHeight(amount);
        moved = true;
        newTop = report.CurrentY();
        shiftX = report.CurrentX() - oldX;
        oldBottom = report.CurrentY();
    }
    if (report.DrawPage() && report.QRPrinter()->Canvas() != nullptr) {
        // Only the part the band gained is painted: from where it ended to where it ends now.
        const TQRPrinter& current = *report.QRPrinter();
        current.Canvas()->FillRect({current.XPos(report.CurrentX()), current.YPos(oldBottom),
                                    current.XPos(report.CurrentX() + NativeWidth()),
                                    current.YPos(report.CurrentY() + NativeHeight())},
                                   color_);
    }
    return moved;
}

void TQRCustomBand::SetBounds(const PixelBounds& bounds) {
    if (size_.ParentUpdating() || parentReport_ == nullptr || Parent() != parentReport_) {
        StoreBounds(bounds);
        NotifyElements();
        return;
    }
    const PixelBounds old = Bounds();
    size_.SetPixels();
    size_.SetHeight(bounds.Height);
    size_.RestoreUnits();
    if (bounds.Left != old.Left || bounds.Top != old.Top) {
        StoreBounds({bounds.Left, bounds.Top, Bounds().Width, Bounds().Height});
        parentReport_->ArrangeBands();
    }
}

void TQRCustomBand::PlaceInLayout(int left, int top) {
    StoreBounds({left, top, Bounds().Width, Bounds().Height});
    NotifyElements();
}

void TQRCustomBand::SizeChanged() {
    SetBounds({Bounds().Left, Bounds().Top, Round(size_.PixelValue(TQRBandSize::WidthIndex)),
               Round(size_.PixelValue(TQRBandSize::HeightIndex))});
}

void TQRCustomBand::NotifyElements() {
    for (ReportControl* child : Children()) {
        if (auto* element = dynamic_cast<TQRPrintable*>(child)) {
            element->ParentChanged(*this, 2);
        }
    }
}

}  // namespace ostrelin::report
