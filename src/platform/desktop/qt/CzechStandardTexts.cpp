#include "platform/desktop/qt/CzechStandardTexts.h"

#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace ostrelin::platform::desktop {

bool InstallCzechStandardTexts(QCoreApplication& application) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_cs"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return false;
    }
    translator.release()->setParent(&application);
    return true;
}

}  // namespace ostrelin::platform::desktop
