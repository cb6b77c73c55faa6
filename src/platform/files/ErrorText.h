#pragma once

#include <string>

namespace ostrelin::platform::files {

// The cause of a failed write, rename or creation of a file (an errno value) in the user's words;
// plain C++, so that every layer can tell its file errors alike.
std::string FileErrorText(int error);

// The cause of a failed read of a file (an errno value) in the user's words.
std::string FileReadErrorText(int error);

}  // namespace ostrelin::platform::files
