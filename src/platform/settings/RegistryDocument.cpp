#include "platform/settings/RegistryDocument.h"

#include <utility>

namespace ostrelin::platform::settings {

const RegistryValue* RegistryKeyValues::Find(std::string_view name) const {
    const auto found = index_.find(FoldedName(name));
    return found == index_.end() ? nullptr : &values_[found->second];
}

void RegistryKeyValues::Set(RegistryValue value) {
    const auto [found, added] = index_.try_emplace(FoldedName(value.Name), values_.size());
    if (added) {
        values_.push_back(std::move(value));
        return;
    }
    RegistryValue& stored = values_[found->second];
    stored.Type = value.Type;
    stored.Data = std::move(value.Data);
}

const RegistryKey* RegistryDocument::Find(std::string_view path) const {
    const auto found = index_.find(FoldedName(path));
    return found == index_.end() ? nullptr : &keys_[found->second];
}

RegistryKey& RegistryDocument::Key(std::string_view path) {
    const auto [found, added] = index_.try_emplace(FoldedName(path), keys_.size());
    if (added) {
        keys_.push_back(RegistryKey{std::string(path), {}});
    }
    return keys_[found->second];
}

}  // namespace ostrelin::platform::settings
