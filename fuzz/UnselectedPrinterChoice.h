#pragma once

#include <optional>

#include "print/PrinterChoice.h"

namespace ostrelin::fuzz {

// A printer choice with nothing selected, as after the window's list was refilled, so that every
// decoded job also takes the path that selects the system's default printer.
class UnselectedPrinterChoice final : public print::PrinterChoice {
  public:
    std::optional<int> SelectedPosition() const override { return selected_; }
    void SelectPosition(int position) override { selected_ = position; }

  private:
    std::optional<int> selected_;
};

}  // namespace ostrelin::fuzz
