#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ostrelin::decode {

// One entry of a conversion table: a code page 852 letter and what it becomes.
struct CharPair {
    std::uint8_t Source = 0;
    std::uint8_t Target = 0;
};

// A conversion table as the program keeps it: the number of bytes in use in the pair area (twice
// the number of pairs) and the pairs, searched from the first.
struct ConversionTable {
    std::uint8_t Count = 0;
    std::array<CharPair, 80> Pairs{};
};

inline constexpr int kConversionTableCount = 4;
// Letters to plain ASCII (diacritics dropped).
inline constexpr int kCp852ToAsciiTable = 0;
// Every letter to itself.
inline constexpr int kIdentityTable = 1;
// Letters to the Kamenicky code page where it has them, otherwise to plain ASCII.
inline constexpr int kCp852ToKamenickyTable = 2;
// Letters to the same letters in code page 1250; the one the spooler uses for job text.
inline constexpr int kCp852ToCp1250Table = 3;

// The four built-in tables, indexed by table number.
const std::array<ConversionTable, kConversionTableCount>& ConversionTables();

// The byte converted with table `table`: bytes below 128 and bytes the table does not list stay
// as they are. A table number outside 0 to 3 converts nothing.
std::uint8_t ConvertChar(std::uint8_t byte, int table);

// A new string of the same length with every byte converted by ConvertChar.
std::string ConvertString(std::string_view bytes, int table);

}  // namespace ostrelin::decode
