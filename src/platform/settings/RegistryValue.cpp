#include "platform/settings/RegistryValue.h"

#include <utility>

namespace ostrelin::platform::settings {

RegistryValue TextValue(std::string name, std::string text) {
    return RegistryValue{std::move(name), REG_SZ, std::move(text)};
}

RegistryValue IntegerValue(std::string name, std::uint32_t value) {
    std::string data(4, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }
    return RegistryValue{std::move(name), REG_DWORD, std::move(data)};
}

std::uint32_t DwordOf(std::string_view data) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    }
    return value;
}

std::string FoldedName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldedName(a) == FoldedName(b);
}

}  // namespace ostrelin::platform::settings
