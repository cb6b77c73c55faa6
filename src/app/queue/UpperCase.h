#pragma once

#include <string>

namespace ostrelin::app {

// Upper-cases a file name by the Unicode rules ("příkaz.qsf" gives "PŘÍKAZ.QSF"). A name that is
// not UTF-8 is read as code page 1250, the Czech Windows code page such names come from, so that
// it shows readably and two such names never show alike.
std::string UpperCaseFileName(const std::string& diskName);

}  // namespace ostrelin::app
