#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/cycle/JobHandler.h"
#include "app/preview/JobPreview.h"
#include "platform/desktop/ErrorReport.h"
#include "platform/desktop/MessageBoxes.h"
#include "platform/desktop/Notifier.h"
#include "platform/desktop/TrayIconArea.h"
#include "platform/files/FileSystem.h"
#include "platform/printing/PrinterState.h"
#include "platform/settings/SettingsStore.h"

namespace ostrelin::app {

// What the main window uses of the world around it; tests hand in fakes.
struct MainWindowServices {
    const platform::files::FileSystem& Files;
    platform::desktop::MessageBoxes& MessageBoxes;
    platform::desktop::ErrorReport& Errors;
    JobHandler& Jobs;
    JobPreview& Previews;  // the pages of a waiting job, for the command "Náhled..."
    const platform::settings::SettingsStore& Settings;
    std::vector<std::string> InstalledPrinters;  // in the system's order
    std::string ExePath;                         // the running executable, for the start at logon
    std::string ExeDir;                          // the executable's directory, ending with '/'
    std::chrono::milliseconds TimerInterval{5000};
    // The notification area to live in; none: the desktop's own.
    platform::desktop::NotificationArea* TrayArea = nullptr;
    std::function<std::chrono::system_clock::time_point()> Now = [] {
        return std::chrono::system_clock::now();
    };
    // False when the printing system could not be asked for its printers at start, so that a
    // stored printer may be missing from InstalledPrinters only for now.
    bool PrinterListComplete = true;
    // Asks the printing system for a printer's state (empty name: the default); called away
    // from the event loop. None: the window shows no printer state.
    std::function<platform::printing::PrinterState(const std::string&)> AskPrinterState = {};
    // Where notices go while the window is hidden; none: nothing is told.
    platform::desktop::Notifier* Notifier = nullptr;
    // The Wine prefix whose Windows program the spooler serves when its own settings name no
    // spool folder; empty: none.
    std::filesystem::path WinePrefix = {};
};

}  // namespace ostrelin::app
