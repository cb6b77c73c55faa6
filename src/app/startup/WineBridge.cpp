#include "app/startup/WineBridge.h"

#include <sys/prctl.h>

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <algorithm>
#include <csignal>
#include <optional>
#include <utility>

#include "platform/settings/wine/WinePrefix.h"

namespace ostrelin::app {

namespace {

using namespace std::chrono_literals;

// While Wine or the prefix is missing, it is looked for again this often.
constexpr std::chrono::milliseconds kLookAgain = 5s;
// A bridge that ended soon after its start is started again later each time, up to a minute
// between tries; one that ran a while is started again at once.
constexpr std::chrono::milliseconds kFirstBackoff = 2s;
constexpr std::chrono::milliseconds kLongestBackoff = 60s;
constexpr std::chrono::seconds kRanWell = 30s;

}  // namespace

WineBridge::WineBridge(std::filesystem::path prefix, std::string exeDir, QObject* parent)
    : QObject(parent),
      prefix_(std::move(prefix)),
      exeDir_(std::move(exeDir)),
      backoff_(kFirstBackoff) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &WineBridge::TryStart);
    connect(&process_, &QProcess::finished, this, &WineBridge::Ended);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            Ended();
        }
    });
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.setStandardOutputFile(QProcess::nullDevice());
    // A spooler that is killed takes its bridge along, so that no class is left for a spooler
    // that no longer runs.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    TryStart();
}

WineBridge::~WineBridge() {
    retry_.stop();
    disconnect(&process_, nullptr, this, nullptr);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

QString WineBridge::BridgeProgram() const {
    const std::optional<std::string> arch = platform::settings::WinePrefixArchitecture(prefix_);
    if (!arch) {
        return {};
    }
    // A win64 prefix runs both kinds when 32-bit Wine is installed, and always the 64-bit one.
    const QStringList arches =
        *arch == "win64" ? QStringList{"win64", "win32"} : QStringList{"win32"};
    const QString dir = QString::fromStdString(exeDir_);
    for (const QString& a : arches) {
        for (const QString& candidate : {dir + a + "/ostrelin-bridge.exe",
                                         dir + "../lib/ostrelin/" + a + "/ostrelin-bridge.exe"}) {
            if (QFileInfo(candidate).isFile()) {
                return QFileInfo(candidate).canonicalFilePath();
            }
        }
    }
    return {};
}

void WineBridge::TryStart() {
    // Without a display Wine makes no windows, for Tarvok Calc as for the bridge.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return;
    }
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    const QString post = QString::fromStdString(exeDir_) + QStringLiteral("ostrelin-post");
    const QString bridge =
        platform::settings::WinePrefixExists(prefix_) ? BridgeProgram() : QString();
    if (wine.isEmpty() || bridge.isEmpty() || !QFileInfo(post).isExecutable()) {
        retry_.start(kLookAgain);
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), QString::fromStdString(prefix_.string()));
    if (!environment.contains(QStringLiteral("WINEDEBUG"))) {
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    }
    process_.setProcessEnvironment(environment);
    startedAt_ = std::chrono::steady_clock::now();
    process_.start(wine, {bridge, QFileInfo(post).canonicalFilePath()});
}

void WineBridge::Ended() {
    if (std::chrono::steady_clock::now() - startedAt_ >= kRanWell) {
        backoff_ = kFirstBackoff;
        TryStart();
        return;
    }
    retry_.start(backoff_);
    backoff_ = std::min(backoff_ * 2, kLongestBackoff);
}

}  // namespace ostrelin::app
