#pragma once

#include "print/RasterBitmap.h"
#include "print/TPrintJob.h"

namespace ostrelin::print {

// Where a decoded raster job goes to be printed: the report form's picture output.
class BitmapOutput {
  public:
    virtual ~BitmapOutput() = default;

    // Prints `bitmap` on one page with the settings of `job`; returns true once the page has been
    // handed to the printing system. Failures arrive as ostrelin::Error.
    virtual bool PrintBitmapJob(TPrintJob& job, const RasterBitmap& bitmap) = 0;
};

}  // namespace ostrelin::print
