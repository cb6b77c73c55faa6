#pragma once

#include "platform/canvas/Canvas.h"
#include "report/TPicture.h"
#include "report/TQRPrintable.h"

namespace ostrelin::report {

// The printable element for pictures: draws its picture on the page, stretched into its
// rectangle or at the picture's natural size (one screen pixel of the picture per screen pixel
// of the report), optionally centred and clipped to the rectangle.
class TQRImage : public TQRPrintable {
  public:
    // An element of 105 × 105 screen pixels on `parent` (a band, a report or none).
    explicit TQRImage(ReportControl* parent);

    bool AutoSize() const { return autoSize_; }
    // Sets AutoSize and applies the picture again.
    void SetAutoSize(bool autoSize);
    bool Center() const { return center_; }
    // Sets Center; applies the picture again when the value changes.
    void SetCenter(bool center);
    bool Stretch() const { return stretch_; }
    // Sets Stretch; applies the picture again when the value changes.
    void SetStretch(bool stretch);
    // The picture; assigning a bitmap to it copies the bitmap.
    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

    // Draws the picture at the element's place shifted by the offsets (tenths of a millimetre),
    // then the element's frame.
    void PrintAt(int offsetX, int offsetY) override;

  private:
    void PictureChanged();

    bool autoSize_ = false;
    bool center_ = false;
    bool stretch_ = false;
    TPicture picture_;
};

// Draws `bitmap` stretched into `destination` on `canvas` through device-independent copies. A
// colour bitmap is reduced with whole rows and columns deleted (colour on colour); a monochrome
// one keeps the canvas's stretch mode.
void DrawBitmapToDevice(platform::canvas::Canvas& canvas, const platform::canvas::Rect& destination,
                        const TBitmap& bitmap);

}  // namespace ostrelin::report
