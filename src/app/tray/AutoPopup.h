#pragma once

class QMenu;

namespace ostrelin::app {

// Whether a popup menu opens by itself when its owner asks for it (the default), or only when its
// program opens it explicitly.
bool AutoPopup(const QMenu& menu);

// Sets whether `menu` opens by itself; see AutoPopup.
void SetAutoPopup(QMenu& menu, bool autoPopup);

}  // namespace ostrelin::app
