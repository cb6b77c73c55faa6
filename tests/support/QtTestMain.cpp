// Entry point of the test programs that need a QApplication: Qt's offscreen platform, a private
// runtime directory (where the window-class sockets live) and private configuration folders for
// the user and the machine, so that no test touches the user's session or the machine's start-up.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <filesystem>
#include <string>

namespace {

std::string PrivateDirectory(const char* purpose) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string("ostrelin-") + purpose + "-XXXXXX"))
            .string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string runtime = PrivateDirectory("runtime");
    const std::string config = PrivateDirectory("config");
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::string machineConfig = config + "/xdg";
    ::setenv("XDG_CONFIG_DIRS", machineConfig.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);

    int result = 0;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(runtime, ignored);
    std::filesystem::remove_all(config, ignored);
    return result;
}
