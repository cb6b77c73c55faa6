#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace ostrelin::platform::printing {

// A paper as drivers know it: its paper code, its IPP media name and its real portrait size.
struct PaperCodeInfo {
    std::int16_t Code;
    std::string_view MediaName;  // PWG self-describing name as IPP uses it
    int Width;                   // hundredths of a millimetre
    int Length;
};

inline constexpr std::int16_t kPaperCodeCustom = 256;

// Every paper code with a known sheet, in code order. The one place where paper codes meet IPP
// media names.
std::span<const PaperCodeInfo> PaperCodeTable();

// The row of a paper code; nothing for codes without a known sheet.
std::optional<PaperCodeInfo> PaperOfCode(int code);

// The first paper code whose media name is `mediaName`; nothing when none is.
std::optional<std::int16_t> PaperCodeOfMediaName(std::string_view mediaName);

// The first paper code whose portrait size is within 1 mm of `width` × `length` (hundredths of a
// millimetre, either way round); nothing when none is.
std::optional<std::int16_t> PaperCodeOfSize(int width, int length);

}  // namespace ostrelin::platform::printing
