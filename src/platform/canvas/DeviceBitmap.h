#pragma once

#include <cstdint>
#include <vector>

namespace ostrelin::platform::canvas {

// A colour as red, green and blue bytes in the low three bytes: 0x00BBGGRR.
using Color = std::uint32_t;

// Builds a colour from its red, green and blue parts.
constexpr Color Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<Color>(red) | static_cast<Color>(green) << 8 |
           static_cast<Color>(blue) << 16;
}

inline constexpr Color kBlack = Rgb(0, 0, 0);
inline constexpr Color kWhite = Rgb(255, 255, 255);

// A device-independent bitmap. Rows run top to bottom, each padded to a multiple of four bytes.
// With 1, 4 or 8 bits per pixel each pixel is an index into ColorTable (1 bit: the most
// significant bit is the leftmost pixel); with 24 bits a pixel is blue, green, red bytes.
struct DeviceBitmap {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 1;
    std::vector<Color> ColorTable;
    std::vector<std::uint8_t> Bits;

    // Bytes per row including the padding.
    int Stride() const { return (Width * BitsPerPixel + 31) / 32 * 4; }
    // True for a one-bit bitmap, which keeps the device's stretch mode when reduced.
    bool IsMonochrome() const { return BitsPerPixel == 1; }

    friend bool operator==(const DeviceBitmap&, const DeviceBitmap&) = default;
};

}  // namespace ostrelin::platform::canvas
