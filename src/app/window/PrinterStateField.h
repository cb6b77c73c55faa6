#pragma once

#include <functional>
#include <string>

#include "app/window/ElidingLabel.h"
#include "app/window/PrinterStateWatcher.h"
#include "platform/printing/PrinterState.h"

namespace ostrelin::app {

// The status bar's field with the chosen printer's state in words. Each Refresh asks for it
// away from the event loop; the field shows the answer when it comes, if the printer asked
// about is still the chosen one. It takes the status bar's room that the pause state and a
// failed job's reason leave, a folder shown from "~" and shortened in its middle.
class PrinterStateField final : public ElidingLabel {
  public:
    PrinterStateField(PrinterStateWatcher::Ask ask, QWidget* parent);

    // Asks for the state of `device` (empty: the system's default printer).
    void Refresh(const std::string& device);
    // Called with every state the field shows, changed or not (its folder from "~").
    void OnShown(std::function<void(const platform::printing::PrinterState&)> shown) {
        shown_ = std::move(shown);
    }

  private:
    void Show(const std::string& device, const platform::printing::PrinterState& state);

    PrinterStateWatcher* watcher_;
    std::string device_;
    std::function<void(const platform::printing::PrinterState&)> shown_;
};

}  // namespace ostrelin::app
