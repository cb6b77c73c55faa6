#include "platform/settings/SettingsKey.h"

#include <utility>

#include "platform/Error.h"
#include "platform/settings/RegEditText.h"
#include "platform/settings/posix/AtomicFile.h"

namespace ostrelin::platform::settings {

SettingsKey::SettingsKey(std::filesystem::path file, std::string path, RegistryDocument document,
                         std::optional<std::string> damage, desktop::ErrorReport& errors)
    : file_(std::move(file)),
      path_(std::move(path)),
      document_(std::move(document)),
      damage_(std::move(damage)),
      unreadable_(damage_.has_value()),
      errors_(errors) {}

// A damaged file is told about when the program first looks for its settings, and only then.
void SettingsKey::ReportDamageOnce() const {
    if (damage_) {
        const std::string message = std::move(*damage_);
        damage_.reset();
        errors_.Report(message);
    }
}

bool SettingsKey::ValueExists(std::string_view name) const {
    ReportDamageOnce();
    const RegistryKey* key = document_.Find(path_);
    return key != nullptr && key->Values.Find(name) != nullptr;
}

const RegistryValue& SettingsKey::Value(std::string_view name) const {
    ReportDamageOnce();
    const RegistryKey* key = document_.Find(path_);
    const RegistryValue* value = key == nullptr ? nullptr : key->Values.Find(name);
    if (value == nullptr) {
        throw Error("Nastavení „" + std::string(name) + "“ není uloženo.");
    }
    return *value;
}

std::string SettingsKey::ReadString(std::string_view name) const {
    const RegistryValue& value = Value(name);
    if (value.Type != REG_SZ && value.Type != REG_EXPAND_SZ) {
        throw Error("Invalid data type for '" + std::string(name) + "'");
    }
    return value.Data.substr(0, value.Data.find('\0'));
}

std::int32_t SettingsKey::ReadInteger(std::string_view name) const {
    const RegistryValue& value = Value(name);
    if (value.Type != REG_DWORD || value.Data.size() != 4) {
        throw Error("Invalid data type for '" + std::string(name) + "'");
    }
    return static_cast<std::int32_t>(DwordOf(value.Data));
}

void SettingsKey::WriteString(std::string_view name, std::string_view text) {
    Store(TextValue(std::string(name), std::string(text)));
}

void SettingsKey::WriteInteger(std::string_view name, std::int32_t value) {
    Store(IntegerValue(std::string(name), static_cast<std::uint32_t>(value)));
}

void SettingsKey::Store(RegistryValue value) {
    if (unreadable_) {
        throw Error("Soubor nastavení " + file_.string() +
                    " nelze přečíst, proto se do něj nic neukládá.");
    }
    RegistryDocument changed = document_;
    changed.Key(path_).Values.Set(std::move(value));
    const std::string text = FormatRegEditText(changed);
    if (text.size() > MaxRegEditTextSize) {
        throw Error("Soubor " + file_.string() +
                    " nelze zapsat: nastavení by se nevešlo do 1 MiB.");
    }
    // Settings are the user's own business: a new file is readable by its owner only.
    ReplaceFileAtomically(file_, text,
                          std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    document_ = std::move(changed);
}

}  // namespace ostrelin::platform::settings
