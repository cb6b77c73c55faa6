#pragma once

#include "report/ReportControl.h"
#include "report/TQRFrame.h"
#include "report/TQRSizes.h"

namespace ostrelin::report {

class TQRCustomBand;
class TQRPrinter;
class TQRReport;

// A printable element: something that draws itself on the report's pages, on a band (at the
// band's print position) or directly on the report (at its own position on the sheet, once per
// page). Its Size is in tenths of a millimetre, Left and Top relative to its parent.
class TQRPrintable : public ReportControl, public TQRSizeOwner {
  public:
    // An element on `parent`, a band or a report.
    explicit TQRPrintable(ReportControl* parent);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    TQRFrame& Frame() { return frame_; }
    const TQRFrame& Frame() const { return frame_; }
    TQRPrintableSize& Size() { return size_; }
    const TQRPrintableSize& Size() const { return size_; }

    // The report the element prints on; set by the report when a run starts.
    TQRReport* ParentReport() const { return parentReport_; }
    void SetParentReport(TQRReport* report) { parentReport_ = report; }
    // The band the element sits on; null when it sits directly on the report.
    TQRCustomBand* ParentBand() const;
    // The printer object of the run, between PreparePrint and UnpreparePrint.
    TQRPrinter* QRPrinter() const { return qrPrinter_; }
    bool IsPrinting() const { return printing_; }

    // Re-places the element inside its band by its alignment; the base element has none.
    virtual void AlignInBand() {}
    // Links the element to the run's printer object.
    virtual void PreparePrint();
    // Draws the element with its position shifted by the offsets (tenths of a millimetre); the
    // base element draws only its frame.
    virtual void PrintAt(int offsetX, int offsetY);
    // Told that the parent changed; kind 2 means the parent band's bounds changed.
    virtual void ParentChanged(ReportControl& sender, int kind);
    // Ends the link to the run's printer object.
    virtual void UnpreparePrint();

    // Pixel bounds set by code go into the size object, one changed value at a time.
    void SetBounds(const PixelBounds& bounds) override;
    void SizeChanged() override;

  protected:
    // The device rectangle of the element shifted by the offsets.
    platform::canvas::Rect DeviceRect(int offsetX, int offsetY) const;

  private:
    bool enabled_ = true;
    TQRFrame frame_;
    TQRPrintableSize size_;
    TQRReport* parentReport_ = nullptr;
    TQRPrinter* qrPrinter_ = nullptr;
    bool printing_ = false;
};

}  // namespace ostrelin::report
