#pragma once

#include <QFont>

namespace ostrelin::app {

// The font of the window and its dialogs: "MS Sans Serif" at 11 pixels where it is installed;
// elsewhere the face whose widths come closest to it, so that the list's columns hold what they
// held on the original platform: an 8.3 name in "Soubor", a seven-digit size in "Velikost".
// Measured at 11 pixels (MS Sans Serif: letters 5.7 pixels on average, digits 6, line 13):
// DejaVu Sans Condensed 6.1, 6 and 13; Liberation Sans 6.4, 6 and 12; DejaVu Sans, to which
// fontconfig resolves the name, 6.8, 7 and 13.
QFont WindowFont();

}  // namespace ostrelin::app
