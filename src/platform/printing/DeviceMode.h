#pragma once

#include <cstdint>
#include <memory>

namespace ostrelin::platform::printing {

// Bits of DeviceMode::Fields: which settings the driver lets a program change.
enum DeviceModeField : std::uint32_t {
    kFieldOrientation = 1,
    kFieldPaperSize = 2,
    kFieldPaperLength = 4,
    kFieldPaperWidth = 8,
    kFieldCopies = 256,
    kFieldDefaultSource = 512,
    kFieldDuplex = 4096,
};

inline constexpr std::int16_t kOrientationPortrait = 1;
inline constexpr std::int16_t kOrientationLandscape = 2;

inline constexpr std::int16_t kDuplexSimplex = 1;
inline constexpr std::int16_t kDuplexVertical = 2;    // two-sided, flipped on the long edge
inline constexpr std::int16_t kDuplexHorizontal = 3;  // two-sided, flipped on the short edge

// A printer driver's device settings. Fields says which of the settings the driver declares;
// a setting whose bit is clear is the driver's own and is not changed by a program.
struct DeviceMode {
    std::uint32_t Fields = 0;
    std::int16_t Orientation = kOrientationPortrait;
    std::int16_t PaperSize = 0;    // paper code (PaperCodes.h); 256 for a custom size
    std::int16_t PaperLength = 0;  // custom size, tenths of a millimetre
    std::int16_t PaperWidth = 0;
    std::int16_t Copies = 1;
    std::int16_t DefaultSource = 0;  // paper source code (BinCodes.h)
    std::int16_t Duplex = kDuplexSimplex;

    friend bool operator==(const DeviceMode&, const DeviceMode&) = default;
};

// Device settings shared between a printer and the code that reads and changes them.
using DeviceModeHandle = std::shared_ptr<DeviceMode>;

}  // namespace ostrelin::platform::printing
