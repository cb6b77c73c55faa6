#pragma once

#include <QCoreApplication>

namespace ostrelin::platform::desktop {

// Loads Qt's own Czech translation (qtbase_cs.qm from Qt's translations folder) into the
// application, so that the standard buttons read "&Ano", "&Ne", ... The translator belongs to the
// application object. Returns false when the translation is not installed; texts stay English.
bool InstallCzechStandardTexts(QCoreApplication& application);

}  // namespace ostrelin::platform::desktop
