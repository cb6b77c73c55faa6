#pragma once

#include <vector>

#include "report/DisplayMetrics.h"

namespace ostrelin::report {

// Pixel bounds of a control on the report surface, in screen pixels.
struct PixelBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const PixelBounds&, const PixelBounds&) = default;
};

// Something that sits on the report surface: the report itself, a band, a printable element. It
// has bounds in screen pixels, a parent and children in child order. Parents do not own their
// children: a child detaches itself from its parent when it is destroyed, and a parent that goes
// first leaves its children without a parent.
class ReportControl {
  public:
    virtual ~ReportControl();
    ReportControl(const ReportControl&) = delete;
    ReportControl& operator=(const ReportControl&) = delete;

    ReportControl* Parent() const { return parent_; }
    // Moves the control to the end of `parent`'s children (or to no parent).
    void SetParent(ReportControl* parent);
    // The controls whose parent this is, in child order.
    const std::vector<ReportControl*>& Children() const { return children_; }

    const PixelBounds& Bounds() const { return bounds_; }
    // Sets the pixel bounds; controls with a size object take the values into it.
    virtual void SetBounds(const PixelBounds& bounds) { StoreBounds(bounds); }

    const DisplayMetrics& Display() const { return display_; }

  protected:
    ReportControl(ReportControl* parent, const DisplayMetrics& display);

    // Stores the pixel bounds without any reaction.
    void StoreBounds(const PixelBounds& bounds) { bounds_ = bounds; }
    // Told after a child joined or left this control.
    virtual void ChildrenChanged() {}

  private:
    void Detach();

    ReportControl* parent_ = nullptr;
    std::vector<ReportControl*> children_;
    PixelBounds bounds_;
    DisplayMetrics display_;
};

}  // namespace ostrelin::report
