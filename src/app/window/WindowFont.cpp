#include "app/window/WindowFont.h"

#include <QStringList>

namespace ostrelin::app {

QFont WindowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans")});
    font.setPixelSize(11);
    return font;
}

}  // namespace ostrelin::app
