#pragma once

#include <filesystem>

namespace ostrelin::platform::settings {

// The user's home folder: $HOME when it is an absolute path, else the account's home.
std::filesystem::path HomeFolder();

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, otherwise
// .config in the home folder ($HOME, or the account's home when HOME is not set).
std::filesystem::path UserConfigFolder();

// The most important folder of the machine-wide configuration: the first absolute path listed in
// $XDG_CONFIG_DIRS, or /etc/xdg when it lists none.
std::filesystem::path SystemConfigFolder();

}  // namespace ostrelin::platform::settings
