#include "report/TQRImage.h"

#include "report/Rounding.h"
#include "report/TQRPrinter.h"
#include "report/TQRReport.h"

namespace ostrelin::report {

namespace {

constexpr int kNewElementSize = 105;  // screen pixels

}  // namespace

TQRImage::TQRImage(ReportControl* parent) : TQRPrintable(parent) {
    SetBounds({Bounds().Left, Bounds().Top, kNewElementSize, kNewElementSize});
    picture_.OnChange = [this] { PictureChanged(); };
}

void TQRImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    PictureChanged();
}

void TQRImage::SetCenter(bool center) {
    if (center_ != center) {
        center_ = center;
        PictureChanged();
    }
}

void TQRImage::SetStretch(bool stretch) {
    if (stretch_ != stretch) {
        stretch_ = stretch;
        PictureChanged();
    }
}

void TQRImage::PictureChanged() {
    // The element is never shown on screen, so only the size follows the picture.
    if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0) {
        SetBounds({Bounds().Left, Bounds().Top, picture_.Width(), picture_.Height()});
    }
}

void TQRImage::PrintAt(int offsetX, int offsetY) {
    TQRReport* report = ParentReport();
    if (report == nullptr || report->QRPrinter() == nullptr ||
        report->QRPrinter()->Canvas() == nullptr) {
        return;
    }
    const TQRPrinter& printer = *report->QRPrinter();
    platform::canvas::Canvas& canvas = *printer.Canvas();
    if (const TBitmap* bitmap = picture_.Bitmap()) {
        platform::canvas::Rect rect = DeviceRect(offsetX, offsetY);
        if (stretch_) {
            DrawBitmapToDevice(canvas, rect, *bitmap);
        } else {
            canvas.IntersectClipRect(rect);
            // The picture's own size: its pixels taken as screen pixels, measured on paper.
            const double resolution = Display().PixelsPerInch;
            const int naturalWidth =
                Round(bitmap->Width() / resolution * 254.0 * printer.XFactor());
            const int naturalHeight =
                Round(bitmap->Height() / resolution * 254.0 * printer.YFactor());
            rect.Right = rect.Left + naturalWidth;
            rect.Bottom = rect.Top + naturalHeight;
            if (center_) {
                const int freeWidth =
                    printer.XSize(Size().NativeValue(TQRPrintableSize::WidthIndex)) - naturalWidth;
                const int freeHeight =
                    printer.YSize(Size().NativeValue(TQRPrintableSize::HeightIndex)) -
                    naturalHeight;
                rect.Left += freeWidth / 2;
                rect.Right += freeWidth / 2;
                rect.Top += freeHeight / 2;
                rect.Bottom += freeHeight / 2;
            }
            DrawBitmapToDevice(canvas, rect, *bitmap);
            canvas.RemoveClip();
        }
    }
    TQRPrintable::PrintAt(offsetX, offsetY);
}

void DrawBitmapToDevice(platform::canvas::Canvas& canvas, const platform::canvas::Rect& destination,
                        const TBitmap& bitmap) {
    if (!bitmap.Monochrome()) {
        canvas.SetStretchMode(platform::canvas::StretchMode::ColorOnColor);
    }
    bitmap.DeviceCopies(destination, [&canvas](const platform::canvas::Rect& rect,
                                               const platform::canvas::DeviceBitmap& piece) {
        canvas.StretchDIBits(rect, piece);
    });
}

}  // namespace ostrelin::report
