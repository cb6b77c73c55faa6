#pragma once

#include <optional>

namespace ostrelin::print {

// The printer choice of the main window as the job decoders see it: position 0 is the system's
// default printer, position k the k-th installed printer.
class PrinterChoice {
public:
    virtual ~PrinterChoice() = default;

    // The selected position, or none when nothing is selected.
    virtual std::optional<int> SelectedPosition() const = 0;

    // Selects a position; the window shows the change.
    virtual void SelectPosition(int position) = 0;
};

// The printer index of a job: the selected position minus 1, after selecting the first position
// when nothing was selected.
inline int JobPrinterIndex(PrinterChoice& choice) {
    if (!choice.SelectedPosition()) {
        choice.SelectPosition(0);
    }
    return choice.SelectedPosition().value_or(0) - 1;
}

}  // namespace ostrelin::print
