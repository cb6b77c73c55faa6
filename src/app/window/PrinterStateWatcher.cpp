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
    if (!ask_) {
        return;
    }
    if (asking_) {
        next_ = device;
        return;
    }
    Start(device);
}

void PrinterStateWatcher::Start(const std::string& device) {
    asking_ = true;
    pool_.start([this, device] {
        const platform::printing::PrinterState state = ask_(device);
        QMetaObject::invokeMethod(
            this,
            [this, device, state] {
                asking_ = false;
                emit Answered(device, state);
                if (next_) {
                    Start(*std::exchange(next_, std::nullopt));
                }
            },
            Qt::QueuedConnection);
    });
}

}  // namespace ostrelin::app
