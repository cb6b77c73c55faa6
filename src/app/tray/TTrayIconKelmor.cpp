#include "app/tray/TTrayIconKelmor.h"

namespace ostrelin::app {

TTrayIconKelmor::TTrayIconKelmor(QWidget* owner) : QObject(owner), owner_(owner) {
    setObjectName(QStringLiteral("TrayIcon"));
}

void TTrayIconKelmor::SetApplicationVisible(bool visible) {
    if (owner_.isNull()) {
        return;
    }
    owner_->setVisible(visible);
    applicationVisible_ = visible;
}

}  // namespace ostrelin::app
