#pragma once

#include <cstdint>

#include "report/PaperTable.h"
#include "report/TQRUnitBase.h"

namespace ostrelin::report {

enum TPrinterOrientation : std::uint8_t { poPortrait = 0, poLandscape = 1 };

// What a page setup tells the report it belongs to.
class TQRPageOwner {
  public:
    virtual ~TQRPageOwner() = default;
    // The page's paper size changed: the report surface takes the new size.
    virtual void ResizeSurface() = 0;
    // A page length or the column count changed: the bands are laid out again.
    virtual void ArrangeBands() = 0;
};

// The page setup of a report: paper, orientation, margins and columns, in tenths of a millimetre
// read through the report's unit.
class TQRPage : public TQRUnitBase {
  public:
    enum Length : int {
        BottomMarginIndex = 0,
        LengthIndex = 1,
        TopMarginIndex = 2,
        WidthIndex = 3,
        LeftMarginIndex = 4,
        RightMarginIndex = 5,
        ColumnSpaceIndex = 6,
    };

    // A new page setup: A4 with 10 mm margins, or Letter with 0.5 inch margins where the locale
    // measures in U.S. units; one column, portrait. `owner` may be null.
    TQRPage(TQRPageOwner* owner, const DisplayMetrics& display);

    double BottomMargin() const { return GetValue(BottomMarginIndex); }
    void SetBottomMargin(double v) { SetValue(BottomMarginIndex, v); }
    double Length() const { return GetValue(LengthIndex); }
    void SetLength(double v) { SetValue(LengthIndex, v); }
    double TopMargin() const { return GetValue(TopMarginIndex); }
    void SetTopMargin(double v) { SetValue(TopMarginIndex, v); }
    double Width() const { return GetValue(WidthIndex); }
    void SetWidth(double v) { SetValue(WidthIndex, v); }
    double LeftMargin() const { return GetValue(LeftMarginIndex); }
    void SetLeftMargin(double v) { SetValue(LeftMarginIndex, v); }
    double RightMargin() const { return GetValue(RightMarginIndex); }
    void SetRightMargin(double v) { SetValue(RightMarginIndex, v); }
    double ColumnSpace() const { return GetValue(ColumnSpaceIndex); }
    void SetColumnSpace(double v) { SetValue(ColumnSpaceIndex, v); }

    TPrinterOrientation Orientation() const { return orientation_; }
    // Stores the orientation and applies the paper table in it (width and length swap).
    void SetOrientation(TPrinterOrientation orientation);

    TQRPaperSize PaperSize() const { return paperSize_; }
    // A standard size writes Width and Length from the paper table in the current orientation;
    // Default and Custom are only stored.
    void SetPaperSize(TQRPaperSize size);

    int Columns() const { return columns_; }
    // Ignores values below 1 and the current value; otherwise re-arranges the bands.
    void SetColumns(int columns);

    // Width and height of the report surface in screen pixels: Width and Length read in Pixels,
    // rounded.
    int SurfaceWidth() const;
    int SurfaceHeight() const;

    bool Ruler() const { return ruler_; }
    void SetRuler(bool ruler) { ruler_ = ruler; }

  protected:
    void WriteValue(int index, double native) override;

  private:
    TQRPageOwner* owner_;
    int columns_ = 1;
    TPrinterOrientation orientation_ = poPortrait;
    TQRPaperSize paperSize_ = TQRPaperSize::Default;
    bool ruler_ = true;
};

}  // namespace ostrelin::report
