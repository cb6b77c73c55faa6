#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/TempDir.h"
#include "platform/desktop/fake/RecordingErrorReport.h"
#include "platform/files/posix/WinePaths.h"
#include "platform/settings/wine/WinePrefix.h"
#include "platform/settings/wine/WineRegistryText.h"

namespace ostrelin::platform::settings {
namespace {

using ostrelin::testing::TempDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
namespace fs = std::filesystem;

constexpr const char* KeyPath = "Software\\Veldane\\Tarvok Calc Ostrelin";

// The head of a user.reg as Wine writes it.
constexpr const char* Head =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win64\n"
    "\n";

// A prefix in a temporary folder: drive C: is drive_c, Z: the root, D: a link to nowhere.
class WinePrefixTest : public ::testing::Test {
  protected:
    WinePrefixTest() {
        fs::create_directories(Prefix() / "dosdevices");
        fs::create_directories(Prefix() / "drive_c" / "Tarvok" / "Spool");
        fs::create_symlink("../drive_c", Prefix() / "dosdevices" / "c:");
        fs::create_symlink("/", Prefix() / "dosdevices" / "z:");
        fs::create_symlink(dir_.Path() / "unplugged", Prefix() / "dosdevices" / "d:");
        Write("system.reg", std::string(Head));
    }

    fs::path Prefix() const { return dir_.Path() / "prefix"; }
    std::string DriveC() const { return fs::canonical(Prefix() / "drive_c").string(); }

    void Write(const std::string& name, const std::string& content) {
        std::ofstream(Prefix() / name, std::ios::binary) << content;
    }
    void WriteKey(const std::string& values) {
        Write("user.reg", std::string(Head) +
                              "[Software\\\\Veldane\\\\Tarvok Calc Ostrelin] 1796996565\n"
                              "#time=1dd897580720304\n" +
                              values + "\n");
    }
    WinePrefixSettings Read() { return ReadWinePrefixSettings(Prefix(), KeyPath, errors_); }

    TempDir dir_;
    desktop::RecordingErrorReport errors_;
};

TEST_F(WinePrefixTest, ValuesAsWineWritesThemWithEscapes) {
    fs::create_directories(Prefix() / "drive_c" / "Tisk \"Č\" 100%" / "Fronta");
    WriteKey(
        "\"PrinterEnable\"=dword:00000000\n"
        "\"PrinterName\"=\"Laser \\x10c\\x165\\\\2\\\"\\t\"\n"
        "\"SpoolDir\"=\"C:\\\\Tisk \\\"\\x10c\\\" 100%\\\\Fronta\\\\\"");
    const WinePrefixSettings settings = Read();
    EXPECT_THAT(errors_.Messages(), IsEmpty());
    EXPECT_EQ(settings.PrinterName, "Laser Čť\\2\"\t");
    EXPECT_EQ(settings.PrinterEnable, 0);
    EXPECT_EQ(settings.SpoolDir, DriveC() + "/Tisk \"Č\" 100%/Fronta/");
}

TEST_F(WinePrefixTest, OtherFormsOfTextAndNumbers) {
    struct Case {
        const char* Values;
        std::string SpoolDir;
    };
    const Case cases[] = {
        // str(2): an expandable string; the name may be escaped as well
        {"\"Spool\\x44ir\"=str(2):\"C:\\\\Tarvok\\\\Spool\"", DriveC() + "/Tarvok/Spool/"},
        // hex(1): UTF-16LE bytes over two lines, with its terminating NUL
        {"\"SpoolDir\"=hex(1):43,00,3a,00,5c,00,54,00,61,00,72,00,76,00,6f,00,6b,00,\\\n"
         "  00,00",
         DriveC() + "/Tarvok/"},
        // the drive letter in lower case, '/' as separator, "." and ".." on the way
        {"\"SpoolDir\"=\"c:/Tarvok/./x/../Spool\"", DriveC() + "/Tarvok/Spool/"},
        // a folder that does not exist yet keeps the name as written
        {"\"SpoolDir\"=\"C:\\\\Tarvok\\\\Nová\\\\\"", DriveC() + "/Tarvok/Nová/"},
        // the Z: drive of every prefix, the root
        {"\"SpoolDir\"=\"Z:\\\\tmp\"", "/tmp/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Values);
        WriteKey(c.Values);
        EXPECT_EQ(Read().SpoolDir, c.SpoolDir);
    }
    EXPECT_THAT(errors_.Messages(), IsEmpty());
}

TEST_F(WinePrefixTest, PathWhoseCaseDiffersFindsTheFolder) {
    WriteKey("\"SpoolDir\"=\"C:\\\\TARVOK\\\\spool\\\\\"");
    EXPECT_EQ(Read().SpoolDir, DriveC() + "/Tarvok/Spool/");
    WriteKey("\"SpoolDir\"=\"C:\\\\tarvok\\\\SPOOL\"");  // without the trailing backslash
    EXPECT_EQ(Read().SpoolDir, DriveC() + "/Tarvok/Spool/");
    EXPECT_THAT(errors_.Messages(), IsEmpty());
}

TEST_F(WinePrefixTest, NothingAndNoMessageWithoutPrefixFileKeyOrValues) {
    EXPECT_EQ(ReadWinePrefixSettings(dir_.Path() / "none", KeyPath, errors_).SpoolDir,
              std::nullopt);
    EXPECT_EQ(Read().SpoolDir, std::nullopt);  // no user.reg yet
    Write("user.reg",
          std::string(Head) + "[Software\\\\Veldane\\\\Tarvok Calc] 1\n\"SpoolDir\"=\"C:\\\\\"\n");
    EXPECT_EQ(Read().SpoolDir, std::nullopt);  // another key
    WriteKey("\"Other\"=\"C:\\\\\"");
    const WinePrefixSettings settings = Read();
    EXPECT_EQ(settings.SpoolDir, std::nullopt);
    EXPECT_EQ(settings.PrinterName, std::nullopt);
    EXPECT_EQ(settings.PrinterEnable, std::nullopt);
    EXPECT_THAT(errors_.Messages(), IsEmpty());
}

TEST_F(WinePrefixTest, UnmappableSpoolDirIsToldAndGivesNothing) {
    const char* const values[] = {
        "\"SpoolDir\"=\"Q:\\\\Spool\\\\\"",          // no such drive in dosdevices
        "\"SpoolDir\"=\"D:\\\\Spool\\\\\"",          // a drive whose link leads nowhere
        "\"SpoolDir\"=\"\\\\\\\\server\\\\spool\"",  // a network path
        "\"SpoolDir\"=\"Spool\\\\\"",                // a relative path
    };
    for (const char* value : values) {
        SCOPED_TRACE(value);
        errors_ = {};
        WriteKey(std::string(value) + "\n\"PrinterName\"=\"Laser\"");
        const WinePrefixSettings settings = Read();
        EXPECT_EQ(settings.SpoolDir, std::nullopt);
        EXPECT_EQ(settings.PrinterName, "Laser");
        ASSERT_EQ(errors_.Messages().size(), 1u);
        EXPECT_THAT(errors_.Messages()[0], HasSubstr("nelze najít v Linuxu"));
    }
}

TEST_F(WinePrefixTest, DamagedFileOrWrongTypesAreToldOnce) {
    Write("user.reg", "REGEDIT4\n");
    EXPECT_EQ(Read().SpoolDir, std::nullopt);
    WriteKey("\"SpoolDir\"=\"C:\\\\Tarvok");  // no closing quote
    EXPECT_EQ(Read().SpoolDir, std::nullopt);
    WriteKey("\"SpoolDir\"=dword:00000001\n\"PrinterEnable\"=\"1\"");
    const WinePrefixSettings settings = Read();
    EXPECT_EQ(settings.SpoolDir, std::nullopt);
    EXPECT_EQ(settings.PrinterEnable, std::nullopt);
    ASSERT_EQ(errors_.Messages().size(), 4u);
    EXPECT_THAT(errors_.Messages()[0], HasSubstr("WINE REGISTRY Version 2"));
    EXPECT_THAT(errors_.Messages()[1], HasSubstr("je poškozený, řádek 8"));
    EXPECT_THAT(errors_.Messages()[2], HasSubstr("„SpoolDir“"));
    EXPECT_THAT(errors_.Messages()[3], HasSubstr("„PrinterEnable“"));
}

TEST_F(WinePrefixTest, ArchitectureAndDefaultPrefix) {
    EXPECT_EQ(WinePrefixArchitecture(Prefix()), "win64");
    Write("system.reg", "WINE REGISTRY Version 2\n;; x\n\n#arch=win32\n");
    EXPECT_EQ(WinePrefixArchitecture(Prefix()), "win32");
    EXPECT_TRUE(WinePrefixExists(Prefix()));
    EXPECT_FALSE(WinePrefixExists(dir_.Path()));
    EXPECT_EQ(WinePrefixArchitecture(dir_.Path()), std::nullopt);
}

TEST(WineRegistryTextTest, KeysValuesAndEscapesOfEveryKind) {
    const RegEditParseResult parsed = ParseWineRegistryText(
        "WINE REGISTRY Version 2\r\n"
        ";; comment\r\n"
        "#arch=win64\r\n"
        "[A\\\\B\\]C] 123\r\n"
        "#time=1\r\n"
        "@=\"default\"\r\n"
        "\"Octal\"=\"\\101\\0\\x20ac\\xd83d\\xde00\"\r\n"
        "\"Bin\"=hex:01,ff,\\\r\n"
        "  10\r\n"
        "\"Multi\"=str(7):\"a\\0b\\0\"\r\n");
    ASSERT_FALSE(parsed.Damage) << parsed.Damage->Reason;
    const RegistryKey* key = parsed.Document.Find("a\\b]c");
    ASSERT_NE(key, nullptr);
    EXPECT_THAT(key->Values.Values(),
                ElementsAre(RegistryValue{"", REG_SZ, "default"},
                            RegistryValue{"Octal", REG_SZ, std::string("A\0€😀", 9)},
                            RegistryValue{"Bin", REG_BINARY, "\x01\xff\x10"},
                            RegistryValue{"Multi", 7, std::string("a\0b\0", 4)}));
}

}  // namespace
}  // namespace ostrelin::platform::settings
