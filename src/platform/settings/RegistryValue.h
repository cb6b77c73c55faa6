#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ostrelin::platform::settings {

// Stored types of a settings value, numbered as the registry numbers them so that a hand-written
// "hex(n):" value keeps its meaning.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

// One named value of a key: its stored type and its bytes.
struct RegistryValue {
    std::string Name;  // the empty name is the key's default value ("@")
    std::uint32_t Type = REG_NONE;
    // REG_SZ: the UTF-8 text (no terminator is added); REG_DWORD: four bytes, least significant
    // first; any other type: the raw bytes.
    std::string Data;

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// A text value.
RegistryValue TextValue(std::string name, std::string text);

// A 32-bit integer value.
RegistryValue IntegerValue(std::string name, std::uint32_t value);

// The number held by REG_DWORD data of exactly four bytes.
std::uint32_t DwordOf(std::string_view data);

// True when two value or key names are the same name: names are compared without regard to the
// case of ASCII letters, as the registry compares them for the names this program uses.
bool SameName(std::string_view a, std::string_view b);

// The name with ASCII letters lowered, for looking names up.
std::string FoldedName(std::string_view name);

}  // namespace ostrelin::platform::settings
