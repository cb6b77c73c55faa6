#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/ErrorReport.h"

namespace ostrelin::platform::settings {

// The Wine prefix Windows programs of this user run in: $WINEPREFIX when it is set, else ~/.wine,
// as Wine itself chooses.
std::filesystem::path DefaultWinePrefix();

// True when `prefix` has been made by Wine (it holds its registry).
bool WinePrefixExists(const std::filesystem::path& prefix);

// The architecture of the prefix's Windows, "win32" or "win64", as Wine notes it in the registry;
// nothing when the prefix does not exist or does not say.
std::optional<std::string> WinePrefixArchitecture(const std::filesystem::path& prefix);

// Settings a Windows program keeps for the spooler in the prefix's per-user registry (user.reg).
struct WinePrefixSettings {
    std::optional<std::string> SpoolDir;  // mapped to its Linux folder, ending with '/'
    std::optional<std::string> PrinterName;
    std::optional<std::int32_t> PrinterEnable;
};

// Reads "SpoolDir", "PrinterName" and "PrinterEnable" of the per-user key `keyPath` (e.g.
// "Software\Vendor\Product") in the prefix's user.reg. Only reads: the prefix is never written.
// A missing prefix, file, key or value gives nothing and no message. A file that cannot be read or
// is damaged, a value of the wrong type and a "SpoolDir" that maps to no Linux folder (no drive
// letter, a drive the prefix does not map) are each told to `errors` in Czech and give nothing.
WinePrefixSettings ReadWinePrefixSettings(const std::filesystem::path& prefix,
                                          std::string_view keyPath, desktop::ErrorReport& errors);

}  // namespace ostrelin::platform::settings
