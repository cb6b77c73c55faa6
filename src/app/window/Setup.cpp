// The settings of the main window: read once while it is created, stored once when it goes.

#include <QComboBox>

#include "app/window/TTarvokCalcOstrelin.h"
#include "platform/Error.h"
#include "platform/settings/Autostart.h"
#include "platform/settings/wine/WinePrefix.h"

namespace ostrelin::app {

namespace {

constexpr std::string_view kSettingsKey = "Software\\Veldane\\Tarvok Calc Ostrelin";
constexpr std::string_view kPrinterName = "PrinterName";
constexpr std::string_view kPrinterEnable = "PrinterEnable";
constexpr std::string_view kSpoolDir = "SpoolDir";

// Runs one step of storing the settings; a failure loses that value and nothing else.
template <typename Step>
void IgnoringFailure(Step step) {
    try {
        step();
    } catch (const Error&) {
    }
}

// True when the user's own settings name a spool folder. A value of the wrong type counts as
// one, so that reading it fails as it would without a Wine prefix.
bool NamesSpoolDir(const platform::settings::SettingsKey& key) {
    if (!key.ValueExists(kSpoolDir)) {
        return false;
    }
    try {
        return !key.ReadString(kSpoolDir).empty();
    } catch (const Error&) {
        return true;
    }
}

}  // namespace

void TTarvokCalcOstrelin::FormLoadSetup() {
    const platform::settings::SettingsKey key = services_.Settings.OpenKey(kSettingsKey);

    // Without a spool folder of its own the spooler serves the Windows program of the Wine
    // prefix: its folder, and the printer settings the spooler has not stored itself yet.
    std::optional<platform::settings::WinePrefixSettings> prefix;
    if (!services_.WinePrefix.empty() && !NamesSpoolDir(key)) {
        prefix = platform::settings::ReadWinePrefixSettings(services_.WinePrefix, kSettingsKey,
                                                            services_.Errors);
    }

    const std::string printerName = key.ValueExists(kPrinterName)   ? key.ReadString(kPrinterName)
                                    : prefix && prefix->PrinterName ? *prefix->PrinterName
                                                                    : std::string();
    const int position = cboxPrinters_->findText(QString::fromStdString(printerName),
                                                 Qt::MatchFixedString);  // any letter case
    cboxPrinters_->setCurrentIndex(position < 0 || position >= cboxPrinters_->count() ? 0
                                                                                      : position);
    if (position < 0 && !printerName.empty() && !services_.PrinterListComplete) {
        unlistedPrinterName_ = printerName;
    }

    if (key.ValueExists(kPrinterEnable)) {
        SetPrinterEnabled(key.ReadInteger(kPrinterEnable) != 0);
    } else if (prefix && prefix->PrinterEnable) {
        SetPrinterEnabled(*prefix->PrinterEnable != 0);
    }
    if (key.ValueExists(kSpoolDir)) {
        // An empty value names no directory: the executable's directory stays.
        if (std::string spoolDir = key.ReadString(kSpoolDir); !spoolDir.empty()) {
            spoolDir_ = std::move(spoolDir);
        }
    }
    if (prefix && prefix->SpoolDir) {
        spoolDir_ = *prefix->SpoolDir;
    }
    if (!spoolDir_.empty() && spoolDir_.back() != '/') {
        spoolDir_ += '/';
    }
}

void TTarvokCalcOstrelin::FormStoreSetup() {
    IgnoringFailure([this] {
        platform::settings::SettingsKey key = services_.Settings.OpenKey(kSettingsKey);
        IgnoringFailure([&] {
            key.WriteString(kPrinterName, unlistedPrinterName_.value_or(
                                              cboxPrinters_->currentText().toStdString()));
        });
        IgnoringFailure(
            [&] { key.WriteInteger(kPrinterEnable, Cycle().PrinterEnabled() ? 1 : 0); });
    });
    platform::settings::WriteAutostartEntry(kApplicationTitle, services_.ExePath);
}

}  // namespace ostrelin::app
