#include "app/tray/AutoPopup.h"

#include <QMenu>
#include <QVariant>

namespace ostrelin::app {
namespace {

// Kept on the menu itself, so that any QMenu can serve as a popup menu.
constexpr const char* AutoPopupProperty = "AutoPopup";

}  // namespace

bool AutoPopup(const QMenu& menu) {
    const QVariant value = menu.property(AutoPopupProperty);
    return !value.isValid() || value.toBool();
}

void SetAutoPopup(QMenu& menu, bool autoPopup) {
    menu.setProperty(AutoPopupProperty, autoPopup);
}

}  // namespace ostrelin::app
