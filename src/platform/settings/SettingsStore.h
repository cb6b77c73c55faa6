#pragma once

#include <filesystem>
#include <string_view>
#include <utility>

#include "platform/desktop/ErrorReport.h"
#include "platform/settings/SettingsKey.h"

namespace ostrelin::platform::settings {

// The root under which a settings store keeps its keys.
inline constexpr std::string_view CurrentUserRoot = "HKEY_CURRENT_USER";

// A user's settings kept in one REGEDIT4 text file: the keys under HKEY_CURRENT_USER, each a
// section "[HKEY_CURRENT_USER\<path>]" of the file. A file that cannot be read (damaged, not
// UTF-8, larger than 1 MiB, unreadable) counts as absent: it is reported once through the error
// report and never written, so that nothing in it is lost.
class SettingsStore {
  public:
    // A store kept in `file`; damage is reported to `errors`, which must outlive every key.
    SettingsStore(std::filesystem::path file, desktop::ErrorReport& errors)
        : file_(std::move(file)), errors_(errors) {}

    // The file of a program's per-user settings: <user configuration
    // folder>/<vendor>/<product>.reg, the user configuration folder being $XDG_CONFIG_HOME or
    // ~/.config.
    static std::filesystem::path PerUserFile(std::string_view vendor, std::string_view product);

    // Opens the key `path` (e.g. "Software\Vendor\Product"), which need not exist yet: it is
    // created by the first value written. Reads the file now; later changes of the file by others
    // are not seen through this key.
    SettingsKey OpenKey(std::string_view path) const;

    // Where the settings are kept.
    const std::filesystem::path& File() const { return file_; }

  private:
    std::filesystem::path file_;
    desktop::ErrorReport& errors_;
};

}  // namespace ostrelin::platform::settings
