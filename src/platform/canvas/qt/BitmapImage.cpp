#include "platform/canvas/qt/BitmapImage.h"

#include <cstring>

namespace ostrelin::platform::canvas {

namespace {

QRgb ToQRgb(Color color) {
    return qRgb(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

// The colour table entry of a palette index, black when the table is too short.
QRgb TableColor(const DeviceBitmap& bitmap, int index) {
    return index < static_cast<int>(bitmap.ColorTable.size())
               ? ToQRgb(bitmap.ColorTable[static_cast<std::size_t>(index)])
               : qRgb(0, 0, 0);
}

int PaletteIndex(const std::uint8_t* row, int x, int bits) {
    const int bit = x * bits;
    const int shift = 8 - bits - bit % 8;
    return (row[bit / 8] >> shift) & ((1 << bits) - 1);
}

QImage MonoImage(const DeviceBitmap& bitmap, bool invert) {
    QImage image(bitmap.Width, bitmap.Height, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const auto bytesPerRow = static_cast<std::size_t>((bitmap.Width + 7) / 8);
    for (int y = 0; y < bitmap.Height; ++y) {
        const std::uint8_t* source =
            bitmap.Bits.data() +
            static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.Stride());
        uchar* target = image.scanLine(y);
        for (std::size_t i = 0; i < bytesPerRow; ++i) {
            target[i] = invert ? static_cast<uchar>(~source[i]) : source[i];
        }
    }
    return image;
}

}  // namespace

QImage ToQImage(const DeviceBitmap& bitmap) {
    if (bitmap.Width <= 0 || bitmap.Height <= 0 ||
        bitmap.Bits.size() <
            static_cast<std::size_t>(bitmap.Stride()) * static_cast<std::size_t>(bitmap.Height)) {
        return {};
    }
    if (bitmap.BitsPerPixel == 1 && bitmap.ColorTable.size() >= 2) {
        const QRgb zero = TableColor(bitmap, 0);
        const QRgb one = TableColor(bitmap, 1);
        if (zero == qRgb(0, 0, 0) && one == qRgb(255, 255, 255)) {
            return MonoImage(bitmap, false);
        }
        if (zero == qRgb(255, 255, 255) && one == qRgb(0, 0, 0)) {
            return MonoImage(bitmap, true);
        }
    }
    QImage image(bitmap.Width, bitmap.Height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height; ++y) {
        const std::uint8_t* row =
            bitmap.Bits.data() +
            static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.Stride());
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.Width; ++x) {
            if (bitmap.BitsPerPixel == 24) {
                const std::uint8_t* pixel = row + 3 * x;
                target[x] = qRgb(pixel[2], pixel[1], pixel[0]);
            } else {
                target[x] = TableColor(bitmap, PaletteIndex(row, x, bitmap.BitsPerPixel));
            }
        }
    }
    return image;
}

}  // namespace ostrelin::platform::canvas
