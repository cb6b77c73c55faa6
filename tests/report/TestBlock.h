#pragma once

#include <functional>

#include "report/TQRBand.h"
#include "report/TQRPrintable.h"
#include "report/TQRReport.h"

namespace ostrelin::report::testing {

// A printable element for tests: a filled rectangle in its own colour, which can also grow its
// band step by step the way a flowing text does.
class TestBlock : public TQRPrintable {
  public:
    TestBlock(ReportControl* parent, platform::canvas::Color color, double left, double top,
              double width, double height)
        : TQRPrintable(parent), color_(color) {
        Size().SetUnits(TQRUnit::Native);
        Size().SetLeft(left);
        Size().SetTop(top);
        Size().SetWidth(width);
        Size().SetHeight(height);
    }

    // Steps of GrowAmount tenths of a millimetre by which the block grows its band when printed.
    int GrowSteps = 0;
    double GrowAmount = 50;
    // Called first in every PrintAt.
    std::function<void()> OnPrint;
    int Prints = 0;
    int Moves = 0;

    void PrintAt(int offsetX, int offsetY) override {
        ++Prints;
        if (OnPrint) {
            OnPrint();
        }
        if (platform::canvas::Canvas* canvas = QRPrinter()->Canvas()) {
            canvas->FillRect(DeviceRect(offsetX, offsetY), color_);
        }
        for (int step = 0; step < GrowSteps; ++step) {
            double newTop = 0;
            double shift = 0;
            if (ParentBand()->GrowBand(GrowAmount, newTop, shift)) {
                ++Moves;
            }
        }
        TQRPrintable::PrintAt(offsetX, offsetY);
    }

  private:
    platform::canvas::Color color_;
};

}  // namespace ostrelin::report::testing
