#include "app/queue/UpperCase.h"

#include <QString>

namespace ostrelin::app {

std::string UpperCaseFileName(const std::string& utf8Name) {
    return QString::fromUtf8(utf8Name.data(), static_cast<qsizetype>(utf8Name.size()))
        .toUpper()
        .toStdString();
}

}  // namespace ostrelin::app
