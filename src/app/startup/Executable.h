#pragma once

#include <string>

namespace ostrelin::app {

// The full path of the running executable; empty when it cannot be found.
std::string ExecutablePath();

// The directory of the running executable, ending with '/'; empty when it cannot be found.
std::string ExecutableDirectory();

}  // namespace ostrelin::app
