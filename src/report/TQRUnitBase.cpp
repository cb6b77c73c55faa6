#include "report/TQRUnitBase.h"

#include "platform/Error.h"

namespace ostrelin::report {

namespace {

constexpr double kTenthsPerInch = 254.0;

// The Characters unit measures by the report's font, which this program never asks for.
[[noreturn]] void CharactersNotSupported() {
    throw Error("Jednotka míry „znaky“ není podporována.");
}

}  // namespace

TQRUnitBase::TQRUnitBase(int count, const DisplayMetrics& display)
    : values_(static_cast<std::size_t>(count), 0.0),
      resolution_(display.PixelsPerInch),
      unit_(display.UsMeasurement ? TQRUnit::Inches : TQRUnit::MM),
      savedUnit_(unit_) {}

void TQRUnitBase::SetPixels() {
    savedUnit_ = unit_;
    unit_ = TQRUnit::Pixels;
}

double TQRUnitBase::GetValue(int index) const {
    return FromNative(NativeValue(index));
}

double TQRUnitBase::PixelValue(int index) const {
    return NativeValue(index) * resolution_ / kTenthsPerInch * zoom_ / 100.0;
}

double TQRUnitBase::FromNative(double native) const {
    switch (unit_) {
        case TQRUnit::MM:
            return native / 10.0;
        case TQRUnit::Inches:
            return native / kTenthsPerInch;
        case TQRUnit::Pixels:
            return native * resolution_ / kTenthsPerInch * zoom_ / 100.0;
        case TQRUnit::Characters:
            CharactersNotSupported();
        case TQRUnit::Native:
            break;
    }
    return native;
}

double TQRUnitBase::ToNative(double value) const {
    switch (unit_) {
        case TQRUnit::MM:
            return value * 10.0;
        case TQRUnit::Inches:
            return value * kTenthsPerInch;
        case TQRUnit::Pixels:
            return value / resolution_ * kTenthsPerInch * 100.0 / zoom_;
        case TQRUnit::Characters:
            CharactersNotSupported();
        case TQRUnit::Native:
            break;
    }
    return value;
}

}  // namespace ostrelin::report
