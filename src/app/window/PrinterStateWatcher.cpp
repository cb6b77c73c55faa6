#include "app/window/PrinterStateWatcher.h"

#include <QMetaObject>
#include <utility>

namespace ostrelin::app {

PrinterStateWatcher::PrinterStateWatcher(Ask ask, QObject* parent)
    : QObject(parent), ask_(std::move(ask)) {
    pool_.setMaxThreadCount(1);
}

PrinterStateWatcher::~PrinterStateWatcher() {
    pool_.waitForDone();
}

void PrinterStateWatcher::AskFor(const std::string& device) {
    if (!ask_ || asking_.exchange(true)) {
        return;
    }
    pool_.start([this, device] {
        const platform::printing::PrinterState state = ask_(device);
        QMetaObject::invokeMethod(
            this,
            [this, device, state] {
                asking_ = false;
                emit Answered(device, state);
            },
            Qt::QueuedConnection);
    });
}

}  // namespace ostrelin::app
