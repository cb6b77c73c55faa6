#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "print/TPrintJob.h"

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

// A printer choice held in memory, for runs without the window: it starts at a given position or
// with nothing selected.
class HeldPrinterChoice final : public PrinterChoice {
public:
    explicit HeldPrinterChoice(std::optional<int> position = std::nullopt) : position_(position) {}

    std::optional<int> SelectedPosition() const override { return position_; }
    void SelectPosition(int position) override { position_ = position; }

private:
    std::optional<int> position_;
};

// The printer index of a job: the selected position minus 1, after selecting the first position
// when nothing was selected.
inline int JobPrinterIndex(PrinterChoice& choice) {
    if (!choice.SelectedPosition()) {
        choice.SelectPosition(0);
    }
    return choice.SelectedPosition().value_or(0) - 1;
}

// The settings every spool job prints with: all its pages once, upright, the picture centred and
// stretched to the page, on the printer chosen in the window.
inline TPrintJob SpoolJobSettings(std::string_view title, PrinterChoice& choice) {
    TPrintJob job;
    job.Title = std::string(title);
    job.CenterImage = true;
    job.StretchImage = true;
    job.OrientationMode = kOrientationPortrait;
    job.PrinterIndex = JobPrinterIndex(choice);
    job.Copies = 1;
    job.FirstPage = 1;
    job.LastPage = 9999;
    return job;
}

}  // namespace ostrelin::print
