#pragma once

#include <cstdint>
#include <functional>

#include "platform/canvas/Canvas.h"
#include "report/ReportControl.h"
#include "report/TQRFrame.h"
#include "report/TQRSizes.h"

namespace ostrelin::report {

class TQRReport;

enum TQRBandType : std::uint8_t {
    rbTitle,
    rbPageHeader,
    rbDetail,
    rbPageFooter,
    rbSummary,
    rbGroupHeader,
    rbGroupFooter,
    rbSubDetail,
    rbColumnHeader,
    rbOverlay,
    rbChild,
};

// A horizontal strip of the report of one kind (title, page header, detail, ...), printed by the
// report run at its print position. Its height is its own; its width and place on the surface
// come from the report's layout. Elements on the band may grow it, even across pages.
class TQRCustomBand : public ReportControl, public TQRSizeOwner {
  public:
    // May veto printing by setting the flag to false.
    using BeforePrintEvent = std::function<void(TQRCustomBand& band, bool& printBand)>;
    // Told whether the band printed.
    using AfterPrintEvent = std::function<void(TQRCustomBand& band, bool printed)>;

    // A band of `type` on `report`.
    TQRCustomBand(TQRReport* report, TQRBandType type);
    ~TQRCustomBand() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool ForceNewPage() const { return forceNewPage_; }
    void SetForceNewPage(bool force) { forceNewPage_ = force; }
    bool ForceNewColumn() const { return forceNewColumn_; }
    void SetForceNewColumn(bool force) { forceNewColumn_ = force; }
    bool AlignToBottom() const { return alignToBottom_; }
    void SetAlignToBottom(bool align) { alignToBottom_ = align; }
    TQRBandType BandType() const { return bandType_; }
    // Changes the kind; the report lays its bands out again.
    void SetBandType(TQRBandType type);
    platform::canvas::Color Color() const { return color_; }
    void SetColor(platform::canvas::Color color) { color_ = color; }
    TQRFrame& Frame() { return frame_; }
    const TQRFrame& Frame() const { return frame_; }
    TQRBandSize& Size() { return size_; }
    const TQRBandSize& Size() const { return size_; }
    // Height and width in tenths of a millimetre, whatever the unit.
    double NativeHeight() const { return size_.NativeValue(TQRBandSize::HeightIndex); }
    double NativeWidth() const { return size_.NativeValue(TQRBandSize::WidthIndex); }
    void SetNativeHeight(double height);

    // The band printed right after this one; null when it has none.
    bool HasChild() const { return child_ != nullptr; }
    TQRCustomBand* ChildBand() const { return child_; }
    // Chains `child` after this band (it becomes a child band) or unchains it with null.
    void SetChildBand(TQRCustomBand* child);
    // The band this one is chained to; null for a band that is not a child.
    TQRCustomBand* ParentBand() const { return parentBand_; }
    // The kind that decides the band's width: a child band's is that of the first band up its
    // chain that is not a child.
    TQRBandType LayoutType() const;

    TQRReport* ParentReport() const { return parentReport_; }
    void SetParentReport(TQRReport* report) { parentReport_ = report; }

    // Device rectangle of the band on the page being drawn.
    const platform::canvas::Rect& BandRect() const { return bandRect_; }
    void SetBandRect(const platform::canvas::Rect& rect) { bandRect_ = rect; }

    // True when the band, grown by `amount` tenths of a millimetre, still fits on the page.
    bool CanGrow(double amount) const;
    // Grows the band by `amount`; when it no longer fits, the run moves on to a new column or
    // page, where the band continues `amount` high. Returns true in that case, with the band's
    // new top and the horizontal shift of the print position (tenths of a millimetre).
    bool GrowBand(double amount, double& newTop, double& shiftX);

    // Code can change only the height; a move re-runs the report's layout.
    void SetBounds(const PixelBounds& bounds) override;
    void SizeChanged() override;
    // Sets the bounds from the layout of the report, bypassing the bounds rule.
    void PlaceInLayout(int left, int top);

    BeforePrintEvent BeforePrint;
    AfterPrintEvent AfterPrint;

  private:
    void NotifyElements();

    bool enabled_ = true;
    bool forceNewPage_ = false;
    bool forceNewColumn_ = false;
    bool alignToBottom_ = false;
    TQRBandType bandType_;
    platform::canvas::Color color_ = platform::canvas::kWhite;
    TQRFrame frame_;
    TQRBandSize size_;
    TQRCustomBand* child_ = nullptr;
    TQRCustomBand* parentBand_ = nullptr;
    TQRReport* parentReport_ = nullptr;
    platform::canvas::Rect bandRect_;
};

// The band class that reports use.
class TQRBand : public TQRCustomBand {
  public:
    using TQRCustomBand::TQRCustomBand;
};

}  // namespace ostrelin::report
