#pragma once

#include <cstdint>
#include <vector>

#include "report/DisplayMetrics.h"

namespace ostrelin::report {

// Units in which lengths are read and written; every length is stored in tenths of a millimetre.
enum class TQRUnit : std::uint8_t { MM, Inches, Pixels, Characters, Native };

// A holder of lengths addressed by index, stored in tenths of a millimetre and read and written in
// the holder's current unit. Derived holders name the indices and react to writes.
class TQRUnitBase {
  public:
    virtual ~TQRUnitBase() = default;
    TQRUnitBase(const TQRUnitBase&) = delete;
    TQRUnitBase& operator=(const TQRUnitBase&) = delete;

    // The unit in which lengths are read and written.
    TQRUnit Units() const { return unit_; }
    // Sets the unit in which lengths are read and written.
    void SetUnits(TQRUnit unit) { unit_ = unit; }
    // Switches to Pixels, remembering the current unit for RestoreUnits.
    void SetPixels();
    // Switches back to the unit remembered by SetPixels.
    void RestoreUnits() { unit_ = savedUnit_; }

    // The screen's pixels per inch when the holder was made.
    int Resolution() const { return resolution_; }
    // Zoom percentage applied to Pixels readings.
    int Zoom() const { return zoom_; }
    // Sets the zoom percentage.
    void SetZoom(int zoom) { zoom_ = zoom; }

    // Length number `index` in the current unit.
    double GetValue(int index) const;
    // Writes length number `index` given in the current unit; derived holders decide whether the
    // write is taken and what it changes.
    void SetValue(int index, double value) { WriteValue(index, ToNative(value)); }

    // Length number `index` in tenths of a millimetre, whatever the current unit.
    double NativeValue(int index) const { return values_.at(static_cast<std::size_t>(index)); }

    // Length number `index` in screen pixels at the holder's resolution and zoom, not rounded.
    double PixelValue(int index) const;

    // True while the holder itself resizes its owner, so that the owner does not write back.
    bool ParentUpdating() const { return parentUpdating_; }

  protected:
    TQRUnitBase(int count, const DisplayMetrics& display);

    // Takes a write of `native` tenths of a millimetre; the default stores it unconditionally.
    virtual void WriteValue(int index, double native) { StoreNative(index, native); }
    // Stores a length without any reaction.
    void StoreNative(int index, double native) {
        values_.at(static_cast<std::size_t>(index)) = native;
    }

    void SetParentUpdating(bool updating) { parentUpdating_ = updating; }

  private:
    double ToNative(double value) const;
    double FromNative(double native) const;

    std::vector<double> values_;
    int resolution_;
    TQRUnit unit_;
    TQRUnit savedUnit_;
    bool parentUpdating_ = false;
    int zoom_ = 100;
};

}  // namespace ostrelin::report
