#pragma once

#include <string_view>

#include "platform/printing/PrintingSystem.h"
#include "platform/richtext/TextMetrics.h"
#include "print/BitmapOutput.h"
#include "print/PageGeometry.h"
#include "print/RichTextOutput.h"
#include "print/TPrintJob.h"
#include "print/WaitCursor.h"
#include "report/DisplayMetrics.h"
#include "report/TPicture.h"
#include "report/TQRBand.h"
#include "report/TQRReport.h"
#include "report/TQRRichText.h"

namespace ostrelin::print {

// The report form: the one report through which every job is printed, made once at start-up
// and kept until the program ends. It holds an A4 report (QReport) with one detail band
// (DetailBand) carrying a rich-text element (QRRichText), and prints decoded jobs with it: a
// raster job's picture fitted on one page, or a text job's document over as many pages as it
// needs. Whatever a job sets on the report stays until the next job sets it again; each job
// sets everything it relies on.
class TPrintQReport final : public BitmapOutput, public RichTextOutput {
  public:
    // The form printing through `printing`, laying text out with `metrics` and showing the wait
    // cursor on `cursor` while a job prints; all three must outlive the form. `display` gives
    // the screen resolution of the report surface.
    TPrintQReport(const platform::printing::PrintingSystem& printing,
                  platform::richtext::TextMetrics& metrics, WaitCursor& cursor,
                  const report::DisplayMetrics& display = {});
    TPrintQReport(const TPrintQReport&) = delete;
    TPrintQReport& operator=(const TPrintQReport&) = delete;

    report::TQRReport& QReport() { return qReport_; }
    report::TQRBand& DetailBand() { return detailBand_; }
    report::TQRRichText& QRRichText() { return qrRichText_; }

    // The printable area of the report's page in its current orientation, in screen pixels.
    PrintableArea Printable() const { return ReportPrintableArea(qReport_); }

    // Prints `bitmap` on one page, fitted into the printable area with its proportions kept, in
    // the orientation the job asks for; an image element holds it for the print only. A bitmap
    // without rows prints nothing. Returns true; errors of the print are raised after the
    // element is gone and the default cursor is back.
    bool PrintBitmapJob(TPrintJob& job, const RasterBitmap& bitmap) override;

    // Prints the RTF document `rtf` through the detail band, sized to the printable height, over
    // as many pages as it needs. Returns true; errors are raised after the band has been
    // disabled again and the default cursor is back.
    bool PrintRichTextJob(TPrintJob& job, std::string_view rtf) override;

  private:
    void CopyJobSettings(const TPrintJob& job);
    void PrintPicture(const TPrintJob& job, const report::TBitmap& bitmap);

    WaitCursor& cursor_;
    report::TQRReport qReport_;
    report::TQRBand detailBand_;
    report::TQRRichText qrRichText_;
};

}  // namespace ostrelin::print
