#include "app/queue/UpperCase.h"

#include <QString>
#include <QUtf8StringView>

#include "decode/Cp1250.h"

namespace ostrelin::app {

std::string UpperCaseFileName(const std::string& diskName) {
    const std::string utf8 =
        QUtf8StringView(diskName).isValidUtf8() ? diskName : decode::Cp1250ToUtf8(diskName);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
        .toUpper()
        .toStdString();
}

}  // namespace ostrelin::app
