// The settings of the main window: read once while it is created, stored once when it goes.

#include <QComboBox>

#include "app/window/TTarvokCalcOstrelin.h"
#include "platform/Error.h"
#include "platform/settings/Autostart.h"

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

}  // namespace

void TTarvokCalcOstrelin::FormLoadSetup() {
    const platform::settings::SettingsKey key = services_.Settings.OpenKey(kSettingsKey);

    const std::string printerName =
        key.ValueExists(kPrinterName) ? key.ReadString(kPrinterName) : std::string();
    const int position = cboxPrinters_->findText(QString::fromStdString(printerName),
                                                 Qt::MatchFixedString);  // any letter case
    cboxPrinters_->setCurrentIndex(position < 0 || position >= cboxPrinters_->count() ? 0
                                                                                      : position);
    if (position < 0 && !printerName.empty() && !services_.PrinterListComplete) {
        unlistedPrinterName_ = printerName;
    }

    if (key.ValueExists(kPrinterEnable)) {
        SetPrinterEnabled(key.ReadInteger(kPrinterEnable) != 0);
    }
    if (key.ValueExists(kSpoolDir)) {
        // An empty value names no directory: the executable's directory stays.
        if (std::string spoolDir = key.ReadString(kSpoolDir); !spoolDir.empty()) {
            spoolDir_ = std::move(spoolDir);
        }
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
