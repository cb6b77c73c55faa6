#pragma once

#include <string>

namespace ostrelin::app {

// Upper-cases a UTF-8 file name by the Unicode rules ("příkaz.qsf" gives "PŘÍKAZ.QSF").
std::string UpperCaseFileName(const std::string& utf8Name);

}  // namespace ostrelin::app
