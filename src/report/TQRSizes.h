#pragma once

#include "report/TQRUnitBase.h"

namespace ostrelin::report {

// The band or element that a size object belongs to.
class TQRSizeOwner {
  public:
    virtual ~TQRSizeOwner() = default;
    // The size's values changed: the owner takes them as its pixel bounds. Called with the
    // size's ParentUpdating set, so the owner does not write the bounds back.
    virtual void SizeChanged() = 0;
};

// A holder whose every write resizes its owner.
class TQROwnedSize : public TQRUnitBase {
  protected:
    TQROwnedSize(int count, TQRSizeOwner* owner, const DisplayMetrics& display)
        : TQRUnitBase(count, display), owner_(owner) {}

    void WriteValue(int index, double native) override;

  private:
    TQRSizeOwner* owner_;
};

// Height and width of a band.
class TQRBandSize : public TQROwnedSize {
  public:
    enum : int { HeightIndex = 0, WidthIndex = 1 };

    TQRBandSize(TQRSizeOwner* owner, const DisplayMetrics& display)
        : TQROwnedSize(2, owner, display) {}

    double Height() const { return GetValue(HeightIndex); }
    void SetHeight(double v) { SetValue(HeightIndex, v); }
    double Width() const { return GetValue(WidthIndex); }
    void SetWidth(double v) { SetValue(WidthIndex, v); }
};

// Position and size of a printable element; Left and Top count from its parent band or report.
class TQRPrintableSize : public TQROwnedSize {
  public:
    enum : int { HeightIndex = 0, LeftIndex = 1, TopIndex = 2, WidthIndex = 3 };

    TQRPrintableSize(TQRSizeOwner* owner, const DisplayMetrics& display)
        : TQROwnedSize(4, owner, display) {}

    double Height() const { return GetValue(HeightIndex); }
    void SetHeight(double v) { SetValue(HeightIndex, v); }
    double Left() const { return GetValue(LeftIndex); }
    void SetLeft(double v) { SetValue(LeftIndex, v); }
    double Top() const { return GetValue(TopIndex); }
    void SetTop(double v) { SetValue(TopIndex, v); }
    double Width() const { return GetValue(WidthIndex); }
    void SetWidth(double v) { SetValue(WidthIndex, v); }
};

}  // namespace ostrelin::report
