#include "print/RasterPicture.h"

#include "print/RasterDeviceBand.h"

namespace ostrelin::print {

std::unique_ptr<report::TBitmap> RasterPicture::Clone() const {
    return std::make_unique<RasterPicture>(bitmap_, maxPieceBytes_);
}

void RasterPicture::DeviceCopies(const platform::canvas::Rect& destination,
                                 const PieceSink& sink) const {
    const DeviceBandPlan plan = PlanDeviceBands(bitmap_, destination, maxPieceBytes_);
    for (const DeviceBand& band : plan.Bands) {
        // One piece at a time: it is released before the next is built.
        sink(band.Destination, RenderDeviceBand(bitmap_, plan.Size, band.FirstRow, band.EndRow));
    }
}

}  // namespace ostrelin::print
