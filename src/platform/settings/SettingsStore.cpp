#include "platform/settings/SettingsStore.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/settings/RegEditText.h"
#include "platform/settings/posix/AtomicFile.h"
#include "platform/settings/posix/XdgDirectories.h"

namespace ostrelin::platform::settings {

std::filesystem::path SettingsStore::PerUserFile(std::string_view vendor,
                                                 std::string_view product) {
    return UserConfigFolder() / std::filesystem::path(vendor) /
           std::filesystem::path(std::string(product) + ".reg");
}

SettingsKey SettingsStore::OpenKey(std::string_view path) const {
    const std::string keyPath = std::string(CurrentUserRoot) + "\\" + std::string(path);
    // Nothing is written into a file that could not be read: it may hold settings the user
    // wants back once it is mended.
    const std::string notUsed = "; nastavení nelze číst ani ukládat, dokud soubor neopravíte.";
    const SmallFileRead read = ReadSmallFile(file_, MaxRegEditTextSize);
    if (!read.Exists) {
        return SettingsKey(file_, keyPath, {}, std::nullopt, errors_);
    }
    if (!read.Failure.empty()) {
        return SettingsKey(
            file_, keyPath, {},
            "Soubor nastavení " + file_.string() + " nelze přečíst: " + read.Failure + notUsed,
            errors_);
    }
    RegEditParseResult parsed = ParseRegEditText(read.Content);
    if (parsed.Damage) {
        std::string where = parsed.Damage->Line == 0
                                ? std::string()
                                : ", řádek " + std::to_string(parsed.Damage->Line);
        return SettingsKey(file_, keyPath, {},
                           "Soubor nastavení " + file_.string() + " je poškozený" + where + ": " +
                               parsed.Damage->Reason + notUsed,
                           errors_);
    }
    return SettingsKey(file_, keyPath, std::move(parsed.Document), std::nullopt, errors_);
}

}  // namespace ostrelin::platform::settings
