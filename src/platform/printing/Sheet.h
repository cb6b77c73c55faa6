#pragma once

#include <cstdint>
#include <optional>

#include "platform/printing/DeviceMode.h"

namespace ostrelin::platform::printing {

// The sheet device settings ask for: its portrait size in hundredths of a millimetre and whether
// it is printed turned (landscape).
struct Sheet {
    int Width = 0;
    int Length = 0;
    bool Landscape = false;
    friend bool operator==(const Sheet&, const Sheet&) = default;
};

// The sheet of `mode`: its paper code (or, when the paper field is not declared, `driverPaper`),
// a custom size for code 256, and its orientation. Nothing for a paper code without a known sheet.
std::optional<Sheet> SheetOfMode(const DeviceMode& mode, std::int16_t driverPaper);

// Device pixels at `dpi` for `hundredths` of a millimetre.
int HundredthsToPixels(int hundredths, int dpi);

}  // namespace ostrelin::platform::printing
