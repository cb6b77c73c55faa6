#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/TempDir.h"
#include "platform/settings/Autostart.h"
#include "platform/settings/ScopedEnvironment.h"

namespace ostrelin::platform::settings {
namespace {

using ostrelin::testing::ScopedEnvironment;
using ostrelin::testing::TempDir;
namespace fs = std::filesystem;

constexpr const char* Name = "Tarvok Calc Ostrelin";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AutostartTest, TheEntryStartsTheQuotedProgramPath) {
    EXPECT_EQ(AutostartEntryText(Name, "/opt/Tarvok Calc/ostrelin"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=Tarvok Calc Ostrelin\n"
              "Exec=\"/opt/Tarvok Calc/ostrelin\"\n");
}

TEST(AutostartTest, SpecialCharactersOfThePathAreEscaped) {
    struct Case {
        std::string Path;
        std::string Exec;
    };
    const Case cases[] = {
        {"/opt/$HOME/a", "Exec=\"/opt/\\\\$HOME/a\""},
        {"/opt/\"q\"", "Exec=\"/opt/\\\\\"q\\\\\"\""},
        {"/opt/`x`", "Exec=\"/opt/\\\\`x\\\\`\""},
        {"/opt/back\\slash", "Exec=\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/a", "Exec=\"/opt/100%%/a\""},
        {"/opt/tiskárna", "Exec=\"/opt/tiskárna\""},
        {"/opt/new\nline", "Exec=\"/opt/new\\nline\""},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> text = AutostartEntryText(Name, c.Path);
        ASSERT_TRUE(text) << c.Path;
        EXPECT_THAT(*text, ::testing::HasSubstr("\n" + c.Exec + "\n"));
    }
    EXPECT_FALSE(AutostartEntryText(Name, "/opt/\x01"));
    EXPECT_FALSE(AutostartEntryText(Name, "/opt/\xFF"));
}

TEST(AutostartTest, TheFolderIsTheFirstAbsoluteFolderOfXdgConfigDirs) {
    struct Case {
        std::optional<std::string> Dirs;
        fs::path Folder;
    };
    const Case cases[] = {
        {std::nullopt, "/etc/xdg/autostart"},
        {"", "/etc/xdg/autostart"},
        {"/srv/xdg:/etc/xdg", "/srv/xdg/autostart"},
        {"relative::/srv/second", "/srv/second/autostart"},
        {"relative", "/etc/xdg/autostart"},
    };
    for (const Case& c : cases) {
        const ScopedEnvironment dirs("XDG_CONFIG_DIRS", c.Dirs);
        EXPECT_EQ(SystemAutostartFolder(), c.Folder) << c.Dirs.value_or("(unset)");
    }
}

TEST(AutostartTest, WritingCreatesOrReplacesAnEntryEveryUserCanRead) {
    const TempDir dir;
    const ScopedEnvironment dirs("XDG_CONFIG_DIRS", (dir.Path() / "xdg").string() + ":/etc/xdg");
    const fs::path entry = dir.Path() / "xdg" / "autostart" / "Tarvok Calc Ostrelin.desktop";

    EXPECT_TRUE(WriteAutostartEntry(Name, "/old/ostrelin"));
    EXPECT_TRUE(WriteAutostartEntry(Name, "/usr/bin/ostrelin"));
    EXPECT_EQ(ReadAll(entry), *AutostartEntryText(Name, "/usr/bin/ostrelin"));
    EXPECT_EQ(fs::status(entry).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                   fs::perms::group_read | fs::perms::others_read);
}

// Without the right to write the folder, nothing happens and nobody is told. Permissions do not
// stop the superuser, so the folder lies beneath a plain file, which stops everyone.
TEST(AutostartTest, WithoutTheRightToWriteNothingHappensSilently) {
    const TempDir dir;
    std::ofstream(dir.Path() / "plain") << "x";
    const ScopedEnvironment dirs("XDG_CONFIG_DIRS", (dir.Path() / "plain" / "xdg").string());
    EXPECT_FALSE(WriteAutostartEntry(Name, "/usr/bin/ostrelin"));
    EXPECT_FALSE(WriteAutostartEntry("a/b", "/usr/bin/ostrelin"));
}

}  // namespace
}  // namespace ostrelin::platform::settings
