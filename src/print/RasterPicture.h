#pragma once

#include <cstddef>
#include <memory>

#include "print/RasterBitmap.h"
#include "report/TPicture.h"

namespace ostrelin::print {

// The most pixel data one device piece of a raster picture holds. A page at a printer's
// resolution then needs a handful of pieces, whatever the size of the picture.
inline constexpr std::size_t kRasterPieceBytes = std::size_t{4} << 20;

// A raster job's picture as the image element prints it. Its device copies are built for the
// destination: at the picture's own size where the destination has room for every pixel (the
// device enlarges it without smoothing), reduced first where it has not, so that every black
// pixel leaves a black device pixel; a tall copy is handed over as horizontal pieces of bounded
// size. The picture shares the job's bitmap instead of copying it, since a job's picture can
// be large: the bitmap must outlive this picture and every clone of it, as it does while the
// job prints.
class RasterPicture final : public report::TBitmap {
  public:
    explicit RasterPicture(const RasterBitmap& bitmap,
                           std::size_t maxPieceBytes = kRasterPieceBytes)
        : bitmap_(bitmap), maxPieceBytes_(maxPieceBytes) {}

    int Width() const override { return bitmap_.Width(); }
    int Height() const override { return bitmap_.Height(); }
    bool Monochrome() const override { return true; }
    std::unique_ptr<report::TBitmap> Clone() const override;
    // Hands over the one-bit pieces (colour table {black, white}) for `destination`.
    void DeviceCopies(const platform::canvas::Rect& destination,
                      const PieceSink& sink) const override;

  private:
    const RasterBitmap& bitmap_;
    std::size_t maxPieceBytes_;
};

}  // namespace ostrelin::print
