#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeView>
#include <memory>

#include "app/RecordingJobHandler.h"
#include "app/SpoolFiles.h"
#include "app/preview/ReportJobPreview.h"
#include "app/window/TTarvokCalcOstrelin.h"
#include "platform/desktop/TrayIconRecorder.h"
#include "platform/desktop/fake/RecordingErrorReport.h"
#include "platform/desktop/fake/RecordingNotifier.h"
#include "platform/desktop/fake/ScriptedMessageBoxes.h"
#include "platform/files/posix/PosixFileSystem.h"
#include "platform/richtext/qt/QtTextMetrics.h"
#include "platform/settings/SettingsStore.h"
#include "print/RecordingWaitCursor.h"

namespace ostrelin::app {

using testing::SpoolDirectory;
using testing::SpoolFile;
using namespace std::chrono_literals;
namespace desktop = platform::desktop;

inline constexpr std::string_view kSettingsKey = "Software\\Veldane\\Tarvok Calc Ostrelin";

inline const char* const kDocumentCommands[] = {
    "TBPrinterDeleteAll",   "MenuPrinterDeleteAll", "PUMenuPrinterDeleteAll", "TBDocumentEnDis",
    "MenuDocumentEnDis",    "PUMenuDocumentEnDis",  "TBDocumentDelete",       "MenuDocumentDelete",
    "PUMenuDocumentDelete", "MenuDocumentPreview",  "PUMenuDocumentPreview"};

// The main window on fakes: scripted message boxes, a recording error report and job handler,
// a spool directory and a settings file in temporary folders, a notification area that exists;
// previews are made for real, by the report form on the preview printer.
class MainWindowTest : public ::testing::Test {
  protected:
    // Creates the window as start-up does; the timer is slow unless a test wants it fast, so
    // that tests drive the cycle's ticks themselves.
    void Create(std::chrono::milliseconds interval = 1h) {
        MainWindowServices services{files,
                                    boxes,
                                    errors,
                                    jobs,
                                    previews,
                                    settings,
                                    {"Laser", "Tisk do PDF"},
                                    "/opt/ostrelin/ostrelin",
                                    spool.Path(),
                                    interval,
                                    &tray};
        services.PrinterListComplete = printerListComplete;
        services.WinePrefix = winePrefix;
        services.AskPrinterState = askPrinterState;
        services.Notifier = &notices;
        window = std::make_unique<TTarvokCalcOstrelin>(std::move(services));
    }

    template <typename T>
    T* Find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QTreeView* List() const { return Find<QTreeView>("LVFiles"); }
    QString Cell(int row, int column) const {
        return List()->model()->index(row, column).data().toString();
    }
    QString StatusText() const { return Find<QLabel>("StatusText")->text(); }
    bool CommandEnabled(const char* name) const {
        if (const auto* button = Find<QToolButton>(name)) {
            return button->isEnabled();
        }
        return Find<QAction>(name)->isEnabled();
    }
    void Select(int row) const { List()->setCurrentIndex(List()->model()->index(row, 0)); }

    // One timer period: the tick, the idle call that rescans, the idle call that may start a job.
    void Period() {
        window->TimerIdle();
        window->ApplicationIdle();
        window->ApplicationIdle();
    }

    platform::files::PosixFileSystem files;
    desktop::ScriptedMessageBoxes boxes;
    desktop::RecordingErrorReport errors;
    testing::RecordingJobHandler jobs;
    platform::richtext::QtTextMetrics textMetrics;
    print::testing::RecordingWaitCursor previewCursor;
    ReportJobPreview previews{textMetrics, previewCursor};
    SpoolDirectory spool;
    testing::TempDir config;
    const platform::settings::SettingsStore settings{config / "settings.reg", errors};
    desktop::TrayIconRecorder tray;
    bool printerListComplete = true;   // whether the printing system answered at start
    std::filesystem::path winePrefix;  // the Wine prefix served; empty: none
    // How the window asks for a printer's state; none: it shows none.
    std::function<platform::printing::PrinterState(const std::string&)> askPrinterState;
    desktop::RecordingNotifier notices;
    std::unique_ptr<TTarvokCalcOstrelin> window;
};

}  // namespace ostrelin::app
