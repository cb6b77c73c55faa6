#include "report/TQRRichText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "report/TQRBand.h"
#include "report/TQRPrinter.h"
#include "report/TQRReport.h"

namespace ostrelin::report {

namespace {

using platform::canvas::Canvas;
using platform::canvas::Rect;
using platform::richtext::RichEditControl;

constexpr int kTwipsPerInch = 1440;
constexpr int kNewElementSize = 100;  // screen pixels
// The tallest rectangle tried when looking for room for a single line.
constexpr std::int64_t kMaxLineSearchHeight = std::numeric_limits<int>::max() / 4;

Rect ToDevice(const TwipsRect& rc, const Canvas& canvas) {
    return {TwipsToDevice(rc.Left, canvas.LogPixelsX()), TwipsToDevice(rc.Top, canvas.LogPixelsY()),
            TwipsToDevice(rc.Right, canvas.LogPixelsX()),
            TwipsToDevice(rc.Bottom, canvas.LogPixelsY())};
}

// Draws the first line from character `first` when not even that line fits into `area`: lays it
// out in the lowest rectangle that holds it and lets `area` clip what lies below. Returns the
// first character not drawn; `first` when no rectangle up to the search limit holds a line.
int ForceFirstLine(RichEditControl& source, int first, const Rect& area, Canvas& canvas) {
    const auto withHeight = [&area](std::int64_t height) {
        return Rect{area.Left, area.Top, area.Right, area.Top + static_cast<int>(height)};
    };
    const auto fits = [&](std::int64_t height) {
        return source.Measure(first, withHeight(height), canvas.LogPixelsX(), canvas.LogPixelsY())
                   .NextCharacter > first;
    };
    std::int64_t tooLow = std::max(area.Height(), 0);
    std::int64_t enough = std::max<std::int64_t>(2 * tooLow, 1);
    while (!fits(enough)) {
        if (enough >= kMaxLineSearchHeight) {
            return first;
        }
        tooLow = enough;
        enough = std::min(2 * enough, kMaxLineSearchHeight);
    }
    while (enough - tooLow > 1) {
        const std::int64_t middle = tooLow + (enough - tooLow) / 2;
        (fits(middle) ? enough : tooLow) = middle;
    }
    canvas.IntersectClipRect(area);
    const int next = source.Render(first, withHeight(enough), canvas).NextCharacter;
    canvas.RemoveClip();
    return next;
}

}  // namespace

int DeviceToTwips(int pixels, int dpi) {
    return static_cast<int>(static_cast<std::int64_t>(pixels) * kTwipsPerInch / dpi);
}

int TwipsToDevice(int twips, int dpi) {
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / kTwipsPerInch));
}

TQRCustomRichText::TQRCustomRichText(ReportControl* parent,
                                     platform::richtext::TextMetrics& metrics)
    : TQRPrintable(parent), control_(metrics) {
    SetBounds({Bounds().Left, Bounds().Top, kNewElementSize, kNewElementSize});
}

void TQRCustomRichText::SetLines(const platform::richtext::RichTextDocument& document) {
    control_.SetDocument(document);
    if (parentRichEdit_ != nullptr) {
        parentRichEdit_->SetDocument(document);
    }
}

void TQRCustomRichText::SetParentRichEdit(platform::richtext::RichEditControl* control) {
    parentRichEdit_ = control;
    if (parentRichEdit_ != nullptr) {
        control_.SetDocument(parentRichEdit_->Document());
    }
}

void TQRCustomRichText::PrintAt(int offsetX, int offsetY) {
    const TQRReport* report = ParentReport();
    if (report == nullptr || report->QRPrinter() == nullptr ||
        report->QRPrinter()->Canvas() == nullptr) {
        return;
    }
    const TQRPrinter& printer = *report->QRPrinter();
    Canvas& canvas = *printer.Canvas();
    const double left = offsetX + Size().NativeValue(TQRPrintableSize::LeftIndex);
    const double top = offsetY + Size().NativeValue(TQRPrintableSize::TopIndex);
    const double width = Size().NativeValue(TQRPrintableSize::WidthIndex);
    const double height = Size().NativeValue(TQRPrintableSize::HeightIndex);
    const TwipsRect rc{DeviceToTwips(printer.XPos(left), canvas.LogPixelsX()),
                       DeviceToTwips(printer.YPos(top), canvas.LogPixelsY()),
                       DeviceToTwips(printer.XPos(left + width), canvas.LogPixelsX()),
                       DeviceToTwips(printer.YPos(top + height), canvas.LogPixelsY())};

    RichEditControl& source = parentRichEdit_ != nullptr ? *parentRichEdit_ : control_;
    TQRCustomBand* band = ParentBand();
    if (!autoStretch_ || band == nullptr || source.TextLength() == 0) {
        // Only the element's own rectangle: what does not fit is not printed.
        source.Render(0, ToDevice(rc, canvas), canvas);
        TQRPrintable::PrintAt(offsetX, offsetY);
        return;
    }
    Flow(source, *band, offsetY, rc);
}

void TQRCustomRichText::Flow(RichEditControl& source, TQRCustomBand& band, int offsetY,
                             TwipsRect rc) {
    TQRReport& report = *ParentReport();
    const TQRPrinter& printer = *report.QRPrinter();
    Canvas* canvas = printer.Canvas();
    const int length = source.TextLength();
    const auto twipsY = [&](double y) {
        return DeviceToTwips(printer.YPos(y), canvas->LogPixelsY());
    };
    const auto measure = [&](int from) {
        return source
            .Measure(from, ToDevice(rc, *canvas), canvas->LogPixelsX(), canvas->LogPixelsY())
            .NextCharacter;
    };
    const auto render = [&](int from) {
        return source.Render(from, ToDevice(rc, *canvas), *canvas).NextCharacter;
    };

    double bandTop = offsetY;
    double textBottom = offsetY + Size().NativeValue(TQRPrintableSize::TopIndex) +
                        Size().NativeValue(TQRPrintableSize::HeightIndex);
    double newTop = 0;
    double shiftX = 0;
    int first = 0;
    int next = measure(first);
    if (next >= length) {
        if (band.CanGrow(kGrowStep)) {
            band.GrowBand(kGrowStep, newTop, shiftX);
            textBottom += kGrowStep;
            rc.Bottom = twipsY(textBottom);
        }
        render(first);
        return;
    }
    while (next < length) {
        if (band.CanGrow(kGrowStep)) {
            band.GrowBand(kGrowStep, newTop, shiftX);
            textBottom += kGrowStep;
            rc.Bottom = twipsY(textBottom);
            next = measure(first);
            if (next >= length) {
                render(first);
            }
            continue;
        }
        next = render(first);
        // A band at the top of its column gets no more room on a new page or column, so a line
        // that did not fit here would never fit: print what fits of it rather than move on for
        // ever.
        const bool atColumnTop = bandTop <= report.ColumnTop();
        if (next == first && atColumnTop) {
            next = ForceFirstLine(source, first, ToDevice(rc, *canvas), *canvas);
            if (next == first) {
                return;
            }
        }
        if (next >= length) {
            return;
        }
        band.GrowBand(kGrowStep, newTop, shiftX);
        canvas = printer.Canvas();
        if (canvas == nullptr) {
            return;
        }
        bandTop = newTop;
        textBottom = newTop + kGrowStep;
        rc.Top = twipsY(newTop);
        rc.Bottom = twipsY(textBottom);
        const int shift = DeviceToTwips(printer.XSize(shiftX), canvas->LogPixelsX());
        rc.Left += shift;
        rc.Right += shift;
        first = next;
    }
}

}  // namespace ostrelin::report
