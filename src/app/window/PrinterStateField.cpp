#include "app/window/PrinterStateField.h"

#include <QDir>
#include <utility>

#include "app/window/StatusTexts.h"

namespace ostrelin::app {

PrinterStateField::PrinterStateField(PrinterStateWatcher::Ask ask, QWidget* parent)
    : ElidingLabel(parent), watcher_(new PrinterStateWatcher(std::move(ask), this)) {
    connect(watcher_, &PrinterStateWatcher::Answered, this, &PrinterStateField::Show);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void PrinterStateField::Refresh(const std::string& device) {
    device_ = device;
    watcher_->AskFor(device);
}

void PrinterStateField::Show(const std::string& device,
                             const platform::printing::PrinterState& state) {
    // An answer for a printer chosen before is stale; the next refresh asks for the new one.
    if (device != device_) {
        return;
    }
    platform::printing::PrinterState shown = state;
    shown.OutputFolder =
        HomeAsTilde(QString::fromStdString(state.OutputFolder), QDir::homePath()).toStdString();
    SetText(QString::fromStdString(platform::printing::PrinterStateText(shown)),
            QString::fromStdString(shown.OutputFolder));
    if (shown_) {
        shown_(shown);
    }
}

}  // namespace ostrelin::app
