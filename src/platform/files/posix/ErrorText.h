#pragma once

#include <string>

namespace ostrelin::platform::files {

// The cause of a failed file operation (an errno value) in the user's words.
std::string FileErrorText(int error);

}  // namespace ostrelin::platform::files
