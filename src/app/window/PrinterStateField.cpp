#include "app/window/PrinterStateField.h"

#include <QPainter>
#include <utility>

namespace ostrelin::app {

PrinterStateField::PrinterStateField(PrinterStateWatcher::Ask ask, QWidget* parent)
    : QLabel(parent), watcher_(new PrinterStateWatcher(std::move(ask), this)) {
    connect(watcher_, &PrinterStateWatcher::Answered, this, &PrinterStateField::Show);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void PrinterStateField::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, static_cast<int>(alignment()),
                     fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
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
    const QString text = QString::fromStdString(platform::printing::PrinterStateText(state));
    setText(text);
    setToolTip(text);
    if (shown_) {
        shown_(state);
    }
}

}  // namespace ostrelin::app
