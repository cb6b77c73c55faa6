#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/settings/RegistryValue.h"

namespace ostrelin::platform::settings {

// The values of one key, in the order they were first stored. Lookups by name go through an
// index, so that filling a key with many values stays linear.
class RegistryKeyValues {
  public:
    // The value named `name` (any letter case), or null.
    const RegistryValue* Find(std::string_view name) const;

    // Stores `value`. A value of the same name is replaced in place and keeps its stored name.
    void Set(RegistryValue value);

    // All values in order.
    const std::vector<RegistryValue>& Values() const { return values_; }

    friend bool operator==(const RegistryKeyValues& a, const RegistryKeyValues& b) {
        return a.values_ == b.values_;
    }

  private:
    std::vector<RegistryValue> values_;
    std::unordered_map<std::string, std::size_t> index_;
};

// A key's full path (root name included, e.g. "HKEY_CURRENT_USER\Software\...") and its values.
struct RegistryKey {
    std::string Path;
    RegistryKeyValues Values;

    friend bool operator==(const RegistryKey&, const RegistryKey&) = default;
};

// The keys of a settings file in the order they appear in it.
class RegistryDocument {
  public:
    // The key at `path` (any letter case), or null.
    const RegistryKey* Find(std::string_view path) const;

    // The key at `path`, added empty at the end when missing.
    RegistryKey& Key(std::string_view path);

    // All keys in order.
    const std::vector<RegistryKey>& Keys() const { return keys_; }

    friend bool operator==(const RegistryDocument& a, const RegistryDocument& b) {
        return a.keys_ == b.keys_;
    }

  private:
    std::vector<RegistryKey> keys_;
    std::unordered_map<std::string, std::size_t> index_;
};

}  // namespace ostrelin::platform::settings
