#include "app/window/QtWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ostrelin::app {

void QtWaitCursor::ShowWait() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtWaitCursor::RestoreDefault() {
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace ostrelin::app
