#include "app/startup/Executable.h"

#include <filesystem>
#include <system_error>

namespace ostrelin::app {

std::string ExecutablePath() {
    std::error_code failed;
    const std::filesystem::path executable =
        std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::string() : executable.string();
}

std::string ExecutableDirectory() {
    const std::filesystem::path executable = ExecutablePath();
    if (!executable.has_parent_path()) {
        return {};
    }
    std::string directory = executable.parent_path().string();
    if (directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

}  // namespace ostrelin::app
