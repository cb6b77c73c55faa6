#pragma once

#include <QObject>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <string>

namespace ostrelin::app {

// Keeps ostrelin-bridge.exe running in the user's Wine prefix while the spooler runs, so that
// Windows programs in that prefix find the spooler's window class: it is started with `wine`
// as soon as both Wine and the prefix are there (checked again every few seconds until they are),
// started again whenever it ends, and stopped with the spooler. The bridge passes its messages on
// through ostrelin-post. Nothing is set up in the prefix; nothing of it is written. Without a
// display (DISPLAY or WAYLAND_DISPLAY) no bridge is started.
class WineBridge : public QObject {
    Q_OBJECT

  public:
    // `prefix`: the Wine prefix; `exeDir`: the spooler's directory, ending with '/', where
    // ostrelin-post stands and beside which the bridges for win32 and win64 prefixes are found
    // (<exeDir><arch>/ or, installed, <exeDir>../lib/ostrelin/<arch>/).
    WineBridge(std::filesystem::path prefix, std::string exeDir, QObject* parent = nullptr);
    ~WineBridge() override;

    WineBridge(const WineBridge&) = delete;
    WineBridge& operator=(const WineBridge&) = delete;

  private:
    void TryStart();
    void Ended();
    QString BridgeProgram() const;

    std::filesystem::path prefix_;
    std::string exeDir_;
    QProcess process_;
    QTimer retry_;
    std::chrono::steady_clock::time_point startedAt_;
    std::chrono::milliseconds backoff_;
};

}  // namespace ostrelin::app
