#pragma once

#include <QLabel>
#include <functional>
#include <string>

#include "app/window/PrinterStateWatcher.h"
#include "platform/printing/PrinterState.h"

namespace ostrelin::app {

// The status bar's field with the chosen printer's state in words. Each Refresh asks for it
// away from the event loop; the field shows the answer when it comes, if the printer asked
// about is still the chosen one. It takes the status bar's room beside the pause state.
class PrinterStateField final : public QLabel {
  public:
    PrinterStateField(PrinterStateWatcher::Ask ask, QWidget* parent);

    // Asks for the state of `device` (empty: the system's default printer).
    void Refresh(const std::string& device);
    // Called with every state the field shows, changed or not.
    void OnShown(std::function<void(const platform::printing::PrinterState&)> shown) {
        shown_ = std::move(shown);
    }

  protected:
    // The state in full as the tool tip; in the field as much as fits, ended by an ellipsis.
    void paintEvent(QPaintEvent* event) override;

  private:
    void Show(const std::string& device, const platform::printing::PrinterState& state);

    PrinterStateWatcher* watcher_;
    std::string device_;
    std::function<void(const platform::printing::PrinterState&)> shown_;
};

}  // namespace ostrelin::app
