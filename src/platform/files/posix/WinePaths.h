#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ostrelin::platform::files {

// Turns the Windows path `windowsPath` ("C:\Tarvok\Spool\" or with '/') that a program in the Wine
// prefix `prefix` uses into the Linux folder it stands for, as Wine maps it: the drive letter
// through the link <prefix>/dosdevices/<letter>: (any case), then each existing name of the path
// looked up without regard to case; names that do not exist yet are kept as written. The result
// ends with '/', as a folder's path always does here, whether or not the Windows path ended with a
// backslash. Nothing when the path names no drive ("\\server\share", "Spool\"), or when the
// drive is not mapped in the prefix.
std::optional<std::string> MapWinePath(const std::filesystem::path& prefix,
                                       std::string_view windowsPath);

}  // namespace ostrelin::platform::files
