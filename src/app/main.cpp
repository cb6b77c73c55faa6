// Ostrelin: the print spooler of the Tarvok Calc workstation.

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <cstdlib>
#include <thread>

#include "app/cycle/JobDispatcher.h"
#include "app/preview/ReportJobPreview.h"
#include "app/startup/Executable.h"
#include "app/startup/RunningCopy.h"
#include "app/startup/WineBridge.h"
#include "app/window/QtWaitCursor.h"
#include "app/window/SessionEnd.h"
#include "app/window/TAboutDlg.h"
#include "app/window/TTarvokCalcOstrelin.h"
#include "platform/desktop/WindowClassRegistry.h"
#include "platform/desktop/qt/CzechStandardTexts.h"
#include "platform/desktop/qt/DesktopNotifier.h"
#include "platform/desktop/qt/QtErrorReport.h"
#include "platform/desktop/qt/QtMessageBoxes.h"
#include "platform/files/posix/PosixFileSystem.h"
#include "platform/printing/SystemPrinting.h"
#include "platform/richtext/qt/QtTextMetrics.h"
#include "platform/settings/SettingsStore.h"
#include "platform/settings/wine/WinePrefix.h"
#include "print/TPrintQReport.h"

namespace {

using namespace ostrelin;

// Without any display the spooler still runs, on Qt's offscreen platform.
void ChooseHeadlessPlatformWhenNoDisplay() {
    const bool hasDisplay = std::getenv("DISPLAY") != nullptr ||
                            std::getenv("WAYLAND_DISPLAY") != nullptr ||
                            std::getenv("QT_QPA_PLATFORM") != nullptr;
    if (!hasDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// The screen's logical resolution, in which the report form measures its surface.
report::DisplayMetrics ScreenMetrics() {
    report::DisplayMetrics metrics;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        metrics.PixelsPerInch = qRound(screen->logicalDotsPerInch());
    }
    return metrics;
}

void MakeRunningCopyQuit() {
    namespace desktop = platform::desktop;
    app::MakeRunningCopyQuit({
        [] { return desktop::FindWindowByClass(app::kWindowClassName); },
        [] {
            desktop::PostMessageToClass(app::kWindowClassName, {desktop::WM_QUIT, 0, 0});
        },
        [](std::chrono::milliseconds time) { std::this_thread::sleep_for(time); },
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string exePath = app::ExecutablePath();
    const std::string exeDir = app::ExecutableDirectory();
    ChooseHeadlessPlatformWhenNoDisplay();
    QApplication application(argc, argv);
    MakeRunningCopyQuit();
    platform::printing::RemoveAbandonedDocuments();

    QApplication::setApplicationName(QString::fromUtf8(app::kApplicationTitle));
    // The name is the display name too; setting a display name of its own would make the
    // desktop show every dialog's caption with the program's name appended.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::desktop::InstallCzechStandardTexts(application);

    const platform::files::PosixFileSystem files;
    platform::desktop::QtMessageBoxes messageBoxes;
    platform::desktop::QtErrorReport errors;
    app::JobDispatcher jobs;
    const platform::settings::SettingsStore settings(
        platform::settings::SettingsStore::PerUserFile("Veldane", "Tarvok Calc Ostrelin"), errors);
    // While a page is spooled, waiting events are handled: ticks and commands go on.
    const std::unique_ptr<platform::printing::PrintingSystem> printing =
        platform::printing::MakeSystemPrinting([] { QCoreApplication::processEvents(); });
    platform::richtext::QtTextMetrics textMetrics;
    app::QtWaitCursor waitCursor;
    const report::DisplayMetrics screen = ScreenMetrics();
    app::ReportJobPreview previews(textMetrics, waitCursor, screen);

    app::MainWindowServices services{files,    messageBoxes,         errors,  jobs,  previews,
                                     settings, printing->Printers(), exePath, exeDir};
    services.PrinterListComplete = printing->PrinterListComplete();
    platform::desktop::DesktopNotifier notifier(app::kApplicationTitle);
    services.Notifier = &notifier;
    services.WinePrefix = platform::settings::DefaultWinePrefix();
    services.AskPrinterState = [&printing = *printing](const std::string& device) {
        return printing.StateOf(device);
    };
    app::TTarvokCalcOstrelin mainWindow(std::move(services));
    notifier.SetFallback([&mainWindow](const std::string& summary, const std::string& body) {
        mainWindow.ShowTrayBalloon(summary, body);
    });
    app::TAboutDlg aboutDlg;
    mainWindow.SetAboutDialog(&aboutDlg);
    print::TPrintQReport printQReport(*printing, textMetrics, waitCursor, screen);
    jobs.Attach(mainWindow, printQReport, printQReport);

    // A logout, a closed terminal, Ctrl+C or the display going away end the program as its Quit
    // command does.
    app::SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &app::SessionEnd::Ended, &mainWindow,
                     &app::TTarvokCalcOstrelin::FormQuit);
    sessionEnd.OnProcessExit([&mainWindow] { mainWindow.ProcessEnding(); });

    // Windows programs in the Wine prefix find the window class once the spooler listens on it.
    const app::WineBridge wineBridge(platform::settings::DefaultWinePrefix(), exeDir);

    mainWindow.show();
    return QApplication::exec();
}
