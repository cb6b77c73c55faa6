#pragma once

#include <functional>
#include <memory>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/DeviceBitmap.h"

namespace ostrelin::report {

// A bitmap as the image element prints it. Drawing goes through device-independent copies that
// are made for one drawing and released right after, so a bitmap may keep its pixels in any form
// (a raster job's picture keeps its rows as they came) and may hand a large copy over in pieces.
class TBitmap {
  public:
    // Receives one piece of a copy: the device rectangle it goes to and its pixels.
    using PieceSink = std::function<void(const platform::canvas::Rect& destination,
                                         const platform::canvas::DeviceBitmap& piece)>;

    virtual ~TBitmap() = default;

    // Size in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // True for a black-and-white bitmap of one bit per pixel.
    virtual bool Monochrome() const = 0;
    // An independent copy of this bitmap.
    virtual std::unique_ptr<TBitmap> Clone() const = 0;
    // Makes the device-independent copy for drawing into `destination` and hands it to `sink` as
    // one or more pieces whose rectangles tile `destination` from top to bottom. Nothing is
    // handed over for an empty bitmap or an empty destination.
    virtual void DeviceCopies(const platform::canvas::Rect& destination,
                              const PieceSink& sink) const = 0;
};

// A bitmap held as one device-independent bitmap, in its own colour depth and palette.
class TDeviceBitmap final : public TBitmap {
  public:
    explicit TDeviceBitmap(platform::canvas::DeviceBitmap bitmap) : bitmap_(std::move(bitmap)) {}

    int Width() const override { return bitmap_.Width; }
    int Height() const override { return bitmap_.Height; }
    bool Monochrome() const override { return bitmap_.IsMonochrome(); }
    std::unique_ptr<TBitmap> Clone() const override;
    // Hands the whole bitmap over as one piece: the device does any stretching itself.
    void DeviceCopies(const platform::canvas::Rect& destination,
                      const PieceSink& sink) const override;

  private:
    platform::canvas::DeviceBitmap bitmap_;
};

// The picture of an image element: empty, or a bitmap of its own. Assigning copies the bitmap
// given; every change is told to OnChange.
class TPicture {
  public:
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // The bitmap held; null for an empty picture.
    const TBitmap* Bitmap() const { return bitmap_.get(); }
    // Takes a copy of `bitmap`.
    void Assign(const TBitmap& bitmap);
    // Empties the picture.
    void Clear();

    bool Empty() const { return bitmap_ == nullptr; }
    // Size in pixels; 0 for an empty picture.
    int Width() const { return bitmap_ != nullptr ? bitmap_->Width() : 0; }
    int Height() const { return bitmap_ != nullptr ? bitmap_->Height() : 0; }

    std::function<void()> OnChange;

  private:
    void Changed() const;

    std::unique_ptr<TBitmap> bitmap_;
};

}  // namespace ostrelin::report
