#include "report/TPicture.h"

namespace ostrelin::report {

std::unique_ptr<TBitmap> TDeviceBitmap::Clone() const {
    return std::make_unique<TDeviceBitmap>(bitmap_);
}

void TDeviceBitmap::DeviceCopies(const platform::canvas::Rect& destination,
                                 const PieceSink& sink) const {
    if (bitmap_.Width <= 0 || bitmap_.Height <= 0 || destination.Width() == 0 ||
        destination.Height() == 0) {
        return;
    }
    sink(destination, bitmap_);
}

void TPicture::Assign(const TBitmap& bitmap) {
    bitmap_ = bitmap.Clone();
    Changed();
}

void TPicture::Clear() {
    bitmap_.reset();
    Changed();
}

void TPicture::Changed() const {
    if (OnChange) {
        OnChange();
    }
}

}  // namespace ostrelin::report
