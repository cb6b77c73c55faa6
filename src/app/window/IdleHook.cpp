#include "app/window/IdleHook.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>

namespace ostrelin::app {

IdleHook::IdleHook(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &IdleHook::AboutToBlock);
}

void IdleHook::AboutToBlock() {
    if (running_ || stopped_ || qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        return;
    }
    running_ = true;
    const bool done = handler_();
    running_ = false;
    if (!done && !stopped_) {
        QAbstractEventDispatcher::instance()->wakeUp();
    }
}

}  // namespace ostrelin::app
