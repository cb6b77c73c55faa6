#pragma once

#include "platform/richtext/TextMetrics.h"

namespace ostrelin::platform::richtext {

// Metrics for exact tests: every character is `advancePerPoint` × size wide and every line
// `lineHeightPerPoint` × size high, three quarters of it above the baseline, whatever the font.
class FixedTextMetrics final : public TextMetrics {
  public:
    FixedTextMetrics(double advancePerPoint, double lineHeightPerPoint)
        : advancePerPoint_(advancePerPoint), lineHeightPerPoint_(lineHeightPerPoint) {}

    FontMeasures Measure(const CharFormat& format) override;

  private:
    double advancePerPoint_;
    double lineHeightPerPoint_;
};

}  // namespace ostrelin::platform::richtext
