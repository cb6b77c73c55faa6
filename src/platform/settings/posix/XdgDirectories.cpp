#include "platform/settings/posix/XdgDirectories.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace ostrelin::platform::settings {
namespace {

// Relative paths in the XDG variables are invalid and must be ignored.
bool IsAbsolute(std::string_view path) {
    return !path.empty() && path.front() == '/';
}

}  // namespace

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && IsAbsolute(home)) {
        return home;
    }
    if (const passwd* account = ::getpwuid(::getuid());
        account != nullptr && account->pw_dir != nullptr) {
        return account->pw_dir;
    }
    return "/";
}

std::filesystem::path UserConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME");
        config != nullptr && IsAbsolute(config)) {
        return config;
    }
    return HomeFolder() / ".config";
}

std::filesystem::path SystemConfigFolder() {
    if (const char* list = std::getenv("XDG_CONFIG_DIRS"); list != nullptr) {
        std::string_view rest = list;
        while (!rest.empty()) {
            const std::size_t colon = rest.find(':');
            const std::string_view entry = rest.substr(0, colon);
            if (IsAbsolute(entry)) {
                return std::filesystem::path(entry);
            }
            rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        }
    }
    return "/etc/xdg";
}

}  // namespace ostrelin::platform::settings
