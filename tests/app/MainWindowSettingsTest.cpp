// The main window's settings: read while it is created, stored when it goes; and how it hides
// with and without a notification area.

#include <QComboBox>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainWindowFixture.h"
#include "platform/settings/Autostart.h"

namespace ostrelin::app {
namespace {

using platform::settings::SettingsKey;

class MainWindowSettingsTest : public MainWindowTest {
  protected:
    SettingsKey Key() const { return settings.OpenKey(kSettingsKey); }
    int SelectedPrinter() const { return Find<QComboBox>("CBoxPrinters")->currentIndex(); }
    void Destroy() { window.reset(); }
};

std::string FileText(const std::filesystem::path& file) {
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

TEST_F(MainWindowSettingsTest, FirstStartUsesTheDefaultsAndStoresThemAtExitWithTheStartAtLogon) {
    spool.Write("a.qsf", SpoolFile("a"));
    Create();
    EXPECT_EQ(SelectedPrinter(), 0);
    EXPECT_TRUE(window->Cycle().PrinterEnabled());
    EXPECT_EQ(window->SpoolDir(), spool.Path());
    EXPECT_EQ(List()->model()->rowCount(), 1);
    Destroy();

    EXPECT_EQ(Key().ReadString("PrinterName"), "-Výchozí tiskárna Windows-");
    EXPECT_EQ(Key().ReadInteger("PrinterEnable"), 1);
    EXPECT_FALSE(Key().ValueExists("SpoolDir")) << "the spool directory is only ever read";
    const std::string entry =
        FileText(platform::settings::SystemAutostartFolder() / "Tarvok Calc Ostrelin.desktop");
    EXPECT_NE(entry.find("Exec=\"/opt/ostrelin/ostrelin\""), std::string::npos) << entry;
    EXPECT_TRUE(errors.Messages().empty());
}

TEST_F(MainWindowSettingsTest, StoredValuesChooseThePrinterThePauseAndTheSpoolDirectory) {
    struct Case {
        const char* name;
        std::function<void(SettingsKey&)> store;
        int printer;
        bool enabled;
        std::string spoolDir;  // empty: the executable's directory
    };
    const Case cases[] = {
        {"printer in other letter case",
         [](SettingsKey& k) { k.WriteString("PrinterName", "lASER"); }, 1, true, ""},
        {"removed printer", [](SettingsKey& k) { k.WriteString("PrinterName", "Gone"); }, 0, true,
         ""},
        {"paused", [](SettingsKey& k) { k.WriteInteger("PrinterEnable", 0); }, 0, false, ""},
        {"any non-zero enables", [](SettingsKey& k) { k.WriteInteger("PrinterEnable", 7); }, 0,
         true, ""},
        {"spool directory without separator",
         [](SettingsKey& k) { k.WriteString("SpoolDir", "/var/spool/tarvok"); }, 0, true,
         "/var/spool/tarvok/"},
        {"spool directory with separator",
         [](SettingsKey& k) { k.WriteString("SpoolDir", "/var/spool/tarvok/"); }, 0, true,
         "/var/spool/tarvok/"},
        {"empty spool directory", [](SettingsKey& k) { k.WriteString("SpoolDir", ""); }, 0, true,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(settings.File());
        SettingsKey key = Key();
        c.store(key);
        Create();
        EXPECT_EQ(SelectedPrinter(), c.printer);
        EXPECT_EQ(window->Cycle().PrinterEnabled(), c.enabled);
        EXPECT_EQ(window->SpoolDir(), c.spoolDir.empty() ? spool.Path() : c.spoolDir);
        Destroy();
    }
    EXPECT_EQ(Key().ReadString("PrinterName"), "-Výchozí tiskárna Windows-")
        << "the last start fell back to the default printer and stored it";
    EXPECT_TRUE(errors.Messages().empty());
}

TEST_F(MainWindowSettingsTest, WithoutASpoolDirOfItsOwnTheWinePrefixGivesFolderAndPrinter) {
    const testing::SpoolDirectory prefixDir;
    winePrefix = std::filesystem::path(prefixDir.Path()).parent_path();
    std::filesystem::create_directories(winePrefix / "dosdevices");
    std::filesystem::create_directories(winePrefix / "drive_c" / "Tarvok" / "Spool");
    std::filesystem::create_symlink("../drive_c", winePrefix / "dosdevices" / "c:");
    const std::string driveC = std::filesystem::canonical(winePrefix / "drive_c").string();
    auto writeUserReg = [&](const std::string& spoolDir) {
        std::ofstream(winePrefix / "user.reg", std::ios::binary)
            << "WINE REGISTRY Version 2\n\n#arch=win64\n\n"
               "[Software\\\\Veldane\\\\Tarvok Calc Ostrelin] 1796996565\n"
               "\"PrinterEnable\"=dword:00000000\n"
               "\"PrinterName\"=\"lASER\"\n"
               "\"SpoolDir\"=\""
            << spoolDir << "\"\n";
    };
    struct Case {
        const char* name;
        const char* prefixSpoolDir;  // as user.reg holds it
        std::function<void(SettingsKey&)> store;
        int printer;
        bool enabled;
        std::string spoolDir;  // empty: the executable's directory
        std::size_t messages;
    };
    const Case cases[] = {
        {"nothing of its own: all three from the prefix", "C:\\\\TARVOK\\\\SPOOL\\\\",
         [](SettingsKey&) {}, 1, false, driveC + "/Tarvok/Spool/", 0},
        {"its own printer settings win, the folder comes from the prefix", "C:\\\\Tarvok\\\\Spool",
         [](SettingsKey& k) {
             k.WriteString("PrinterName", "Tisk do PDF");
             k.WriteInteger("PrinterEnable", 1);
         },
         2, true, driveC + "/Tarvok/Spool/", 0},
        {"its own spool folder: the prefix is not read", "C:\\\\Tarvok\\\\Spool",
         [](SettingsKey& k) { k.WriteString("SpoolDir", "/var/spool/tarvok"); }, 0, true,
         "/var/spool/tarvok/", 0},
        {"an unmapped drive is told and the own directory stays", "Q:\\\\Spool",
         [](SettingsKey&) {}, 1, false, "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(settings.File());
        const std::size_t messagesBefore = errors.Messages().size();
        writeUserReg(c.prefixSpoolDir);
        const std::string userRegBefore = FileText(winePrefix / "user.reg");
        SettingsKey key = Key();
        c.store(key);
        Create();
        EXPECT_EQ(SelectedPrinter(), c.printer);
        EXPECT_EQ(window->Cycle().PrinterEnabled(), c.enabled);
        EXPECT_EQ(window->SpoolDir(), c.spoolDir.empty() ? spool.Path() : c.spoolDir);
        EXPECT_EQ(errors.Messages().size() - messagesBefore, c.messages);
        Destroy();
        EXPECT_EQ(FileText(winePrefix / "user.reg"), userRegBefore) << "the prefix is only read";
        EXPECT_EQ(Key().ValueExists("SpoolDir"), c.spoolDir == "/var/spool/tarvok/")
            << "the prefix's folder is never stored as the spooler's own";
    }
}

TEST_F(MainWindowSettingsTest, AStoredPrinterIsKeptWhenThePrintersCouldNotBeAskedForAtStart) {
    printerListComplete = false;
    Key().WriteString("PrinterName", "Office");
    Create();
    EXPECT_EQ(SelectedPrinter(), 0) << "jobs go to the default printer meanwhile";
    Destroy();
    EXPECT_EQ(Key().ReadString("PrinterName"), "Office");

    Create();
    Find<QComboBox>("CBoxPrinters")->setCurrentIndex(1);
    Find<QComboBox>("CBoxPrinters")->setCurrentIndex(0);
    Destroy();
    EXPECT_EQ(Key().ReadString("PrinterName"), "-Výchozí tiskárna Windows-")
        << "a choice the user made is stored";
}

TEST_F(MainWindowSettingsTest, PausedAtStartShowsItEverywhere) {
    SettingsKey key = Key();
    key.WriteInteger("PrinterEnable", 0);
    Create();
    EXPECT_EQ(StatusText(), "Tiskárna pozastavena");
    EXPECT_EQ(Find<QAction>("MenuPrinterEnDis")->text(), "&Obnovit tisk na tiskárně");
    EXPECT_TRUE(Find<QToolButton>("TBPrinterEnDis")->isChecked());
}

TEST_F(MainWindowSettingsTest, ValueOfTheWrongTypeIsReportedAndSkipsTheRestOfTheStart) {
    struct Case {
        const char* name;
        std::function<void(SettingsKey&)> store;
        bool printerApplied;
        bool pauseApplied;
    };
    const Case cases[] = {
        {"PrinterName", [](SettingsKey& k) { k.WriteInteger("PrinterName", 2); }, false, false},
        {"PrinterEnable", [](SettingsKey& k) { k.WriteString("PrinterEnable", "0"); }, true, false},
        {"SpoolDir", [](SettingsKey& k) { k.WriteInteger("SpoolDir", 1); }, true, true},
    };
    spool.Write("a.qsf", SpoolFile("a"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(settings.File());
        SettingsKey key = Key();
        key.WriteString("PrinterName", "Laser");
        key.WriteInteger("PrinterEnable", 0);
        c.store(key);
        const std::size_t reported = errors.Messages().size();
        Create();
        ASSERT_EQ(errors.Messages().size(), reported + 1);
        EXPECT_EQ(errors.Messages().back(), std::string("Invalid data type for '") + c.name + "'");
        EXPECT_EQ(SelectedPrinter(), c.printerApplied ? 1 : 0);
        EXPECT_EQ(window->Cycle().PrinterEnabled(), !c.pauseApplied);
        EXPECT_EQ(List()->model()->rowCount(), 0) << "the first scan is skipped";
        EXPECT_EQ(window->SpoolDir(), spool.Path());
        Destroy();
    }
}

TEST_F(MainWindowSettingsTest, ChoicesMadeInTheWindowAreStoredWhenItGoes) {
    Create();
    Find<QComboBox>("CBoxPrinters")->setCurrentIndex(2);
    Find<QAction>("MenuPrinterEnDis")->trigger();
    Destroy();
    EXPECT_EQ(Key().ReadString("PrinterName"), "Tisk do PDF");
    EXPECT_EQ(Key().ReadInteger("PrinterEnable"), 0);
}

TEST_F(MainWindowSettingsTest, FailingToStoreIsIgnored) {
    const std::filesystem::path blocked = config / "blocked";
    std::ofstream(blocked) << "a file where a folder should be";
    const platform::settings::SettingsStore unwritable(blocked / "settings.reg", errors);
    window = std::make_unique<TTarvokCalcOstrelin>(MainWindowServices{files,
                                                                      boxes,
                                                                      errors,
                                                                      jobs,
                                                                      previews,
                                                                      unwritable,
                                                                      {},
                                                                      "/opt/ostrelin/ostrelin",
                                                                      spool.Path()});
    EXPECT_NO_THROW(Destroy());
    ASSERT_EQ(errors.Messages().size(), 1u) << "only the unreadable file is told, not the writes";
    EXPECT_EQ(errors.Messages()[0].rfind("Soubor nastavení ", 0), 0u);
}

TEST_F(MainWindowSettingsTest, WithoutANotificationAreaTheWindowMinimisesInsteadOfHiding) {
    tray.SetAvailable(false);
    Create();
    window->show();
    window->ApplicationIdle();
    EXPECT_TRUE(window->isVisible()) << "the first idle moment keeps the window";

    window->TrayIconAppHide();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([this] { return window->isMinimized(); }, 2000));

    window->TrayIconAppShow();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());

    window->close();
    EXPECT_TRUE(window->isVisible()) << "closing minimises too";

    tray.SetAvailable(true);
    window->TrayIconAppHide();
    EXPECT_FALSE(window->isVisible()) << "a notification area that appeared is used";
}

}  // namespace
}  // namespace ostrelin::app
