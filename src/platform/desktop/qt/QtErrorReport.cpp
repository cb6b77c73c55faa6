#include "platform/desktop/qt/QtErrorReport.h"

#include <QGuiApplication>
#include <algorithm>

#include "platform/desktop/qt/QtMessageBoxes.h"

namespace ostrelin::platform::desktop {

bool QtErrorReport::HasDisplay() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void QtErrorReport::Report(const std::string& message) {
    if (HasDisplay()) {
        QtMessageBoxes(owner_).MessageBox(
            message, QGuiApplication::applicationDisplayName().toStdString(), MB_OK | MB_ICONERROR);
        return;
    }
    std::string line = message;
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    console_ << QCoreApplication::applicationName().toStdString() << ": " << line << std::endl;
}

}  // namespace ostrelin::platform::desktop
