#pragma once

#include <optional>

#include "print/PrinterChoice.h"

namespace ostrelin::tools::render {

// The printer choice of a command-line run: one position chosen up front, the named printer's
// place in the printing system's list plus 1, or 0 for the system's default printer.
class FixedPrinterChoice final : public print::PrinterChoice {
  public:
    explicit FixedPrinterChoice(int position) : position_(position) {}

    std::optional<int> SelectedPosition() const override { return position_; }
    void SelectPosition(int position) override { position_ = position; }

  private:
    int position_;
};

}  // namespace ostrelin::tools::render
