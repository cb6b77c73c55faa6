#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/desktop/ErrorReport.h"
#include "platform/settings/RegistryDocument.h"

namespace ostrelin::platform::settings {

// One open key of a settings store, with typed values: text and 32-bit integers are kept apart,
// and reading a value as the wrong type fails. Every write stores the whole file at once, so a
// value written is kept even if the program is killed right after.
class SettingsKey {
  public:
    // Made by SettingsStore::OpenKey: the key `path` (root included) of the store in `file`,
    // whose content was `document`; `damage` is why the file could not be read, told to `errors`
    // the first time a value is asked for.
    SettingsKey(std::filesystem::path file, std::string path, RegistryDocument document,
                std::optional<std::string> damage, desktop::ErrorReport& errors);

    // True when the key holds a value named `name` (letter case does not matter).
    bool ValueExists(std::string_view name) const;

    // The text of a text value, up to its first NUL. Throws Error "Invalid data type for
    // '<name>'" when the value holds something else, "Nastavení „<name>“ není uloženo." when the
    // key has no such value.
    std::string ReadString(std::string_view name) const;

    // The number of a 32-bit integer value. Throws Error as ReadString does.
    std::int32_t ReadInteger(std::string_view name) const;

    // Stores `text` as the text value `name`, replacing a value of that name of any type and
    // keeping every other key and value of the file. Throws Error when the file cannot be
    // written, or could not be read (it is never overwritten then); the key and the file then
    // stay as they were.
    void WriteString(std::string_view name, std::string_view text);

    // Stores `value` as the 32-bit integer value `name`. Throws Error as WriteString does.
    void WriteInteger(std::string_view name, std::int32_t value);

  private:
    const RegistryValue& Value(std::string_view name) const;
    void ReportDamageOnce() const;
    void Store(RegistryValue value);

    std::filesystem::path file_;
    std::string path_;
    RegistryDocument document_;
    mutable std::optional<std::string> damage_;
    bool unreadable_;  // the file could not be read: it is never written
    desktop::ErrorReport& errors_;
};

}  // namespace ostrelin::platform::settings
