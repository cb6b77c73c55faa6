#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Error.h"
#include "platform/ErrorOf.h"
#include "platform/TempDir.h"
#include "platform/desktop/fake/RecordingErrorReport.h"
#include "platform/settings/ScopedEnvironment.h"
#include "platform/settings/SettingsStore.h"

namespace ostrelin::platform::settings {
namespace {

using ostrelin::testing::ScopedEnvironment;
using ostrelin::testing::TempDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

constexpr const char* KeyPath = "Software\\Veldane\\Tarvok Calc Ostrelin";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

using ostrelin::testing::ErrorOf;

class SettingsStoreTest : public ::testing::Test {
  protected:
    fs::path File() const { return dir_.Path() / "Veldane" / "Tarvok Calc Ostrelin.reg"; }
    SettingsStore Store() { return SettingsStore(File(), errors_); }

    TempDir dir_;
    desktop::RecordingErrorReport errors_;
};

TEST_F(SettingsStoreTest, TextAndIntegersAreKeptApartAndReadBackAfterRestart) {
    {
        SettingsKey key = Store().OpenKey(KeyPath);
        EXPECT_FALSE(key.ValueExists("PrinterName"));
        key.WriteString("PrinterName", "-Výchozí tiskárna Windows-");
        key.WriteInteger("PrinterEnable", 0);
        key.WriteInteger("Negative", -2);
    }
    EXPECT_EQ(ReadAll(File()),
              "REGEDIT4\n\n"
              "[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
              "\"PrinterName\"=\"-Výchozí tiskárna Windows-\"\n"
              "\"PrinterEnable\"=dword:00000000\n"
              "\"Negative\"=dword:fffffffe\n\n");

    const SettingsKey key = Store().OpenKey(KeyPath);
    EXPECT_TRUE(key.ValueExists("printername"));
    EXPECT_EQ(key.ReadString("PRINTERNAME"), "-Výchozí tiskárna Windows-");
    EXPECT_EQ(key.ReadInteger("PrinterEnable"), 0);
    EXPECT_EQ(key.ReadInteger("Negative"), -2);
    EXPECT_EQ(ErrorOf([&] { key.ReadInteger("PrinterName"); }),
              "Invalid data type for 'PrinterName'");
    EXPECT_EQ(ErrorOf([&] { key.ReadString("PrinterEnable"); }),
              "Invalid data type for 'PrinterEnable'");
    EXPECT_FALSE(key.ValueExists("SpoolDir"));
    EXPECT_EQ(ErrorOf([&] { key.ReadString("SpoolDir"); }), "Nastavení „SpoolDir“ není uloženo.");
    EXPECT_TRUE(errors_.Messages().empty());
}

TEST_F(SettingsStoreTest, ATypeChangeReplacesTheValueAndOtherKeysAreKept) {
    WriteAll(File(),
             "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Keep\"=hex:01,02\n\n"
             "[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
             "\"printerenable\"=\"1\"\n");
    SettingsKey key = Store().OpenKey(KeyPath);
    EXPECT_EQ(ErrorOf([&] { key.ReadInteger("PrinterEnable"); }),
              "Invalid data type for 'PrinterEnable'");
    key.WriteInteger("PrinterEnable", 1);
    EXPECT_EQ(key.ReadInteger("PrinterEnable"), 1);
    EXPECT_EQ(ReadAll(File()),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"Keep\"=hex:01,02\n\n"
              "[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
              "\"printerenable\"=dword:00000001\n\n");
}

TEST_F(SettingsStoreTest, TextsComeBackExactly) {
    const std::string texts[] = {
        "Tiskárna v kanceláři \"Ředitel\"", "D:\\Spool", "\\\\server\\share\\", "", "tab\there",
    };
    {
        SettingsKey key = Store().OpenKey(KeyPath);
        for (std::size_t i = 0; i < std::size(texts); ++i) {
            key.WriteString("Text" + std::to_string(i), texts[i]);
        }
        key.WriteString("WithNul", std::string("D:\\Spool\0rest", 13));
    }
    const SettingsKey key = Store().OpenKey(KeyPath);
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        EXPECT_EQ(key.ReadString("Text" + std::to_string(i)), texts[i]);
    }
    EXPECT_EQ(key.ReadString("WithNul"), "D:\\Spool");
}

// A hand-made value of another stored type is neither text nor integer.
TEST_F(SettingsStoreTest, OtherStoredTypesAreTheWrongType) {
    WriteAll(File(),
             "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
             "\"SpoolDir\"=hex:44,3a\n\"PrinterEnable\"=hex(4):01,00\n"
             "\"Expandable\"=hex(2):44,3a,00\n");
    const SettingsKey key = Store().OpenKey(KeyPath);
    EXPECT_EQ(ErrorOf([&] { key.ReadString("SpoolDir"); }), "Invalid data type for 'SpoolDir'");
    EXPECT_EQ(ErrorOf([&] { key.ReadInteger("PrinterEnable"); }),
              "Invalid data type for 'PrinterEnable'");
    EXPECT_EQ(key.ReadString("Expandable"), "D:");
}

TEST_F(SettingsStoreTest, ADamagedFileIsReportedOnceTreatedAsAbsentAndNeverOverwritten) {
    const std::string damaged =
        "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
        "\"PrinterName\"=\"Laser\n";
    WriteAll(File(), damaged);

    const SettingsKey reading = Store().OpenKey(KeyPath);
    EXPECT_FALSE(reading.ValueExists("PrinterName"));
    EXPECT_FALSE(reading.ValueExists("PrinterEnable"));
    ASSERT_EQ(errors_.Messages().size(), 1u);
    EXPECT_THAT(errors_.Messages()[0], HasSubstr(File().string()));
    EXPECT_EQ(errors_.Messages()[0],
              "Soubor nastavení " + File().string() +
                  " je poškozený, řádek 3: text v uvozovkách není na svém řádku ukončen; "
                  "nastavení nelze číst ani ukládat, dokud soubor neopravíte.");
    EXPECT_EQ(ReadAll(File()), damaged);

    // Storing at the end keeps the file as it is, without a second message.
    SettingsKey storing = Store().OpenKey(KeyPath);
    EXPECT_THAT(ErrorOf([&] { storing.WriteInteger("PrinterEnable", 1); }),
                HasSubstr("nic neukládá"));
    EXPECT_EQ(errors_.Messages().size(), 1u);
    EXPECT_EQ(ReadAll(File()), damaged);
}

TEST_F(SettingsStoreTest, StoringKeepsEveryOtherKeyAndValueOfTheFile) {
    const std::string written =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
        "\"SpoolDir\"=\"/var/spool/tarvok\"\n\"Note\"=hex(7):61,00,00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\n\"X\"=dword:00000002\n";
    WriteAll(File(), written);
    SettingsKey key = Store().OpenKey(KeyPath);
    key.WriteString("PrinterName", "Laser");
    key.WriteInteger("PrinterEnable", 0);
    const SettingsKey again = Store().OpenKey(KeyPath);
    EXPECT_EQ(again.ReadString("SpoolDir"), "/var/spool/tarvok");
    EXPECT_TRUE(again.ValueExists("Note"));
    EXPECT_EQ(Store().OpenKey("Software\\Other").ReadInteger("X"), 2);
    EXPECT_EQ(again.ReadString("PrinterName"), "Laser");
}

TEST_F(SettingsStoreTest, AnUnreadableFileIsReportedAndTreatedAsAbsent) {
    fs::create_directories(File());
    EXPECT_FALSE(Store().OpenKey(KeyPath).ValueExists("PrinterName"));
    ASSERT_EQ(errors_.Messages().size(), 1u);
    EXPECT_THAT(errors_.Messages()[0], HasSubstr("nelze přečíst: nejde o obyčejný soubor"));
}

TEST_F(SettingsStoreTest, AWriteThatFailsIsReportedToTheCaller) {
    WriteAll(dir_.Path() / "plain", "a file, not a folder");
    SettingsStore store(dir_.Path() / "plain" / "Veldane" / "x.reg", errors_);
    SettingsKey key = store.OpenKey(KeyPath);
    EXPECT_THAT(ErrorOf([&] { key.WriteInteger("PrinterEnable", 1); }),
                HasSubstr("nelze přečíst, proto se do něj nic neukládá."));
    EXPECT_FALSE(key.ValueExists("PrinterEnable"));
}

// A write that breaks off half-way, here at the file size limit of the process, as a full disk
// or a crash would: the old file stays whole and nothing else is left in the folder.
TEST_F(SettingsStoreTest, AWriteBrokenOffHalfWayLeavesTheOldFileIntact) {
    SettingsKey key = Store().OpenKey(KeyPath);
    key.WriteString("PrinterName", "Laser");
    const std::string before = ReadAll(File());

    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction oldAction {};
    ::sigaction(SIGXFSZ, &ignore, &oldAction);
    rlimit oldLimit{};
    ::getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit small = oldLimit;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const std::string message =
        ErrorOf([&] { key.WriteString("PrinterName", std::string(100000, 'x')); });
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    ::sigaction(SIGXFSZ, &oldAction, nullptr);

    EXPECT_THAT(message, HasSubstr("nelze zapsat: soubor je příliš velký."));
    EXPECT_EQ(ReadAll(File()), before);
    EXPECT_EQ(key.ReadString("PrinterName"), "Laser");
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(File().parent_path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_THAT(names, ElementsAre("Tarvok Calc Ostrelin.reg"));
}

TEST_F(SettingsStoreTest, ANewFileIsPrivateAndAReplacedOneKeepsItsPermissionsAndLink) {
    Store().OpenKey(KeyPath).WriteInteger("PrinterEnable", 1);
    EXPECT_EQ(fs::status(File()).permissions(), fs::perms::owner_read | fs::perms::owner_write);

    const fs::path real = dir_.Path() / "dotfiles" / "ostrelin.reg";
    WriteAll(real, "REGEDIT4\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove(File());
    fs::create_symlink(real, File());
    Store().OpenKey(KeyPath).WriteInteger("PrinterEnable", 0);
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Store().OpenKey(KeyPath).ReadInteger("PrinterEnable"), 0);
}

TEST(SettingsStorePathTest, PerUserFileLivesInTheUsersConfigurationFolder) {
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", "/srv/config");
        EXPECT_EQ(SettingsStore::PerUserFile("Veldane", "Tarvok Calc Ostrelin"),
                  fs::path("/srv/config/Veldane/Tarvok Calc Ostrelin.reg"));
    }
    for (const std::optional<std::string>& unusable :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("relative/config")}) {
        const ScopedEnvironment config("XDG_CONFIG_HOME", unusable);
        const ScopedEnvironment home("HOME", "/home/jana");
        EXPECT_EQ(SettingsStore::PerUserFile("Veldane", "Tarvok Calc Ostrelin"),
                  fs::path("/home/jana/.config/Veldane/Tarvok Calc Ostrelin.reg"));
    }
}

}  // namespace
}  // namespace ostrelin::platform::settings
