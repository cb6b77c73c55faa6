#include "decode/ConversionTables.h"

#include <algorithm>
#include <cstddef>

namespace ostrelin::decode {

namespace {

// One letter of code page 852 with a diacritic or stroke, and what each table turns it into.
struct Letter {
    std::uint8_t Cp852;      // the letter's byte in code page 852
    std::uint8_t Ascii;      // its base letter without diacritic
    std::uint8_t Kamenicky;  // its byte in the Kamenicky code page, or the base letter if none
    std::uint8_t Cp1250;     // the same letter in code page 1250
};

// Every letter with a diacritic or stroke in the upper half of code page 852, in code-page order.
// The Kamenicky column holds a Kamenicky byte for the Czech and Slovak letters only; the acute L
// and l become plain L and l there, like every letter of other languages.
constexpr std::array<Letter, 80> kLetters = {{
    {128, 'C', 'C', 199},  // Ç
    {129, 'u', 129, 252},  // ü
    {130, 'e', 130, 233},  // é
    {131, 'a', 'a', 226},  // â
    {132, 'a', 132, 228},  // ä
    {133, 'u', 150, 249},  // ů
    {134, 'c', 'c', 230},  // ć
    {135, 'c', 'c', 231},  // ç
    {136, 'l', 'l', 179},  // ł
    {137, 'e', 'e', 235},  // ë
    {138, 'O', 'O', 213},  // Ő
    {139, 'o', 'o', 245},  // ő
    {140, 'i', 'i', 238},  // î
    {141, 'Z', 'Z', 143},  // Ź
    {142, 'A', 142, 196},  // Ä
    {143, 'C', 'C', 198},  // Ć
    {144, 'E', 144, 201},  // É
    {145, 'L', 'L', 197},  // Ĺ
    {146, 'l', 'l', 229},  // ĺ
    {147, 'o', 147, 244},  // ô
    {148, 'o', 148, 246},  // ö
    {149, 'L', 156, 188},  // Ľ
    {150, 'l', 140, 190},  // ľ
    {151, 'S', 'S', 140},  // Ś
    {152, 's', 's', 156},  // ś
    {153, 'O', 153, 214},  // Ö
    {154, 'U', 154, 220},  // Ü
    {155, 'T', 134, 141},  // Ť
    {156, 't', 159, 157},  // ť
    {157, 'L', 'L', 163},  // Ł
    {159, 'c', 135, 232},  // č
    {160, 'a', 160, 225},  // á
    {161, 'i', 161, 237},  // í
    {162, 'o', 162, 243},  // ó
    {163, 'u', 163, 250},  // ú
    {164, 'A', 'A', 165},  // Ą
    {165, 'a', 'a', 185},  // ą
    {166, 'Z', 146, 142},  // Ž
    {167, 'z', 145, 158},  // ž
    {168, 'E', 'E', 202},  // Ę
    {169, 'e', 'e', 234},  // ę
    {171, 'z', 'z', 159},  // ź
    {172, 'C', 128, 200},  // Č
    {173, 's', 's', 186},  // ş
    {181, 'A', 143, 193},  // Á
    {182, 'A', 'A', 194},  // Â
    {183, 'E', 137, 204},  // Ě
    {184, 'S', 'S', 170},  // Ş
    {189, 'Z', 'Z', 175},  // Ż
    {190, 'z', 'z', 191},  // ż
    {198, 'A', 'A', 195},  // Ă
    {199, 'a', 'a', 227},  // ă
    {208, 'd', 'd', 240},  // đ
    {209, 'D', 'D', 208},  // Đ
    {210, 'D', 133, 207},  // Ď
    {211, 'E', 'E', 203},  // Ë
    {212, 'd', 131, 239},  // ď
    {213, 'N', 165, 210},  // Ň
    {214, 'I', 139, 205},  // Í
    {215, 'I', 'I', 206},  // Î
    {216, 'e', 136, 236},  // ě
    {221, 'T', 'T', 222},  // Ţ
    {222, 'U', 166, 217},  // Ů
    {224, 'O', 149, 211},  // Ó
    {226, 'O', 167, 212},  // Ô
    {227, 'N', 'N', 209},  // Ń
    {228, 'n', 'n', 241},  // ń
    {229, 'n', 164, 242},  // ň
    {230, 'S', 155, 138},  // Š
    {231, 's', 168, 154},  // š
    {232, 'R', 171, 192},  // Ŕ
    {233, 'U', 151, 218},  // Ú
    {234, 'r', 170, 224},  // ŕ
    {235, 'U', 'U', 219},  // Ű
    {236, 'y', 152, 253},  // ý
    {237, 'Y', 157, 221},  // Ý
    {238, 't', 't', 254},  // ţ
    {251, 'u', 'u', 251},  // ű
    {252, 'R', 158, 216},  // Ř
    {253, 'r', 169, 248},  // ř
}};

using LetterField = std::uint8_t Letter::*;

constexpr ConversionTable MakeTable(LetterField target) {
    ConversionTable table;
    table.Count = static_cast<std::uint8_t>(2 * kLetters.size());
    for (std::size_t i = 0; i < kLetters.size(); ++i) {
        table.Pairs[i] = {kLetters[i].Cp852, kLetters[i].*target};
    }
    return table;
}

constexpr std::array<ConversionTable, kConversionTableCount> kTables = {
    MakeTable(&Letter::Ascii),
    MakeTable(&Letter::Cp852),
    MakeTable(&Letter::Kamenicky),
    MakeTable(&Letter::Cp1250),
};

constexpr bool SourcesAreDistinctLetters(const ConversionTable& table) {
    std::array<bool, 256> seen{};
    for (std::size_t i = 0; i < table.Count / 2; ++i) {
        const std::uint8_t source = table.Pairs[i].Source;
        if (source < 128 || seen[source]) {
            return false;
        }
        seen[source] = true;
    }
    return true;
}

static_assert(SourcesAreDistinctLetters(kTables[0]) && SourcesAreDistinctLetters(kTables[1]) &&
              SourcesAreDistinctLetters(kTables[2]) && SourcesAreDistinctLetters(kTables[3]));

// A direct 256-entry lookup per table, built from the pairs so that it gives exactly what a
// search of the pairs from the first would give.
using Lookup = std::array<std::uint8_t, 256>;

constexpr Lookup MakeLookup(const ConversionTable& table) {
    Lookup lookup{};
    for (std::size_t byte = 0; byte < lookup.size(); ++byte) {
        lookup[byte] = static_cast<std::uint8_t>(byte);
    }
    const std::size_t used = std::min<std::size_t>(table.Count / 2, table.Pairs.size());
    for (std::size_t i = used; i-- > 0;) {
        const CharPair pair = table.Pairs[i];
        if (pair.Source >= 128) {
            lookup[pair.Source] = pair.Target;
        }
    }
    return lookup;
}

constexpr std::array<Lookup, kConversionTableCount> kLookups = {
    MakeLookup(kTables[0]),
    MakeLookup(kTables[1]),
    MakeLookup(kTables[2]),
    MakeLookup(kTables[3]),
};

}  // namespace

const std::array<ConversionTable, kConversionTableCount>& ConversionTables() {
    return kTables;
}

std::uint8_t ConvertChar(std::uint8_t byte, int table) {
    if (table < 0 || table >= kConversionTableCount) {
        return byte;
    }
    return kLookups[static_cast<std::size_t>(table)][byte];
}

std::string ConvertString(std::string_view bytes, int table) {
    std::string converted(bytes);
    for (char& c : converted) {
        c = static_cast<char>(ConvertChar(static_cast<std::uint8_t>(c), table));
    }
    return converted;
}

}  // namespace ostrelin::decode
