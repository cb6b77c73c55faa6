#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrelin::platform::settings {

// The folder of the desktop's start-at-logon entries for every user of the machine: "autostart"
// in the first folder of $XDG_CONFIG_DIRS (/etc/xdg by default).
std::filesystem::path SystemAutostartFolder();

// The desktop entry that starts `executablePath` at logon under the name `name`: Type=Application,
// Name=<name> and Exec=<the path between double quotes>, escaped as desktop entries require.
// Nothing when the name or path cannot be written in one (not UTF-8, or control characters).
std::optional<std::string> AutostartEntryText(std::string_view name,
                                              std::string_view executablePath);

// Registers `executablePath` to start at every user's logon: writes the entry "<name>.desktop"
// into SystemAutostartFolder(), replacing an older one at once. Ordinary users may not write
// there; the function then does nothing and returns false, without a message.
bool WriteAutostartEntry(std::string_view name, std::string_view executablePath);

}  // namespace ostrelin::platform::settings
