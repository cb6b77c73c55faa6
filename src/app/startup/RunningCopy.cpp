#include "app/startup/RunningCopy.h"

#include <filesystem>
#include <system_error>

namespace ostrelin::app {

int MakeRunningCopyQuit(const RunningCopyChannel& channel) {
    int posted = 0;
    while (posted < kQuitAttempts && channel.Find()) {
        channel.PostQuit();
        ++posted;
        channel.Sleep(kQuitWait);
    }
    return posted;
}

std::string ExecutableDirectory() {
    std::error_code failed;
    const std::filesystem::path executable =
        std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed || !executable.has_parent_path()) {
        return {};
    }
    std::string directory = executable.parent_path().string();
    if (directory.empty() || directory.back() != '/') {
        directory += '/';
    }
    return directory;
}

}  // namespace ostrelin::app
