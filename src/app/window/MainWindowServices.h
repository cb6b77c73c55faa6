#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "app/cycle/JobHandler.h"
#include "platform/desktop/ErrorReport.h"
#include "platform/desktop/MessageBoxes.h"
#include "platform/files/FileSystem.h"

namespace ostrelin::app {

// What the main window uses of the world around it; tests hand in fakes.
struct MainWindowServices {
    const platform::files::FileSystem& Files;
    platform::desktop::MessageBoxes& MessageBoxes;
    platform::desktop::ErrorReport& Errors;
    JobHandler& Jobs;
    std::vector<std::string> InstalledPrinters;  // in the system's order
    std::string ExeDir;                          // the executable's directory, ending with '/'
    std::chrono::milliseconds TimerInterval{5000};
    std::function<std::chrono::system_clock::time_point()> Now = [] {
        return std::chrono::system_clock::now();
    };
};

}  // namespace ostrelin::app
