#include "print/TPrintQReport.h"

#include <memory>

#include "print/RasterPicture.h"
#include "report/TQRImage.h"

namespace ostrelin::print {

namespace {

using report::TQRUnit;

// Disables the detail band on every way out of a text job, so that a later picture job never
// prints the document still held by the band's element.
class BandDisabledAtExit {
  public:
    explicit BandDisabledAtExit(report::TQRBand& band) : band_(band) {}
    ~BandDisabledAtExit() { band_.SetEnabled(false); }
    BandDisabledAtExit(const BandDisabledAtExit&) = delete;
    BandDisabledAtExit& operator=(const BandDisabledAtExit&) = delete;

  private:
    report::TQRBand& band_;
};

}  // namespace

TPrintQReport::TPrintQReport(const platform::printing::PrintingSystem& printing,
                             platform::richtext::TextMetrics& metrics, WaitCursor& cursor,
                             const report::DisplayMetrics& display)
    : cursor_(cursor),
      qReport_(printing, display),
      detailBand_(&qReport_, report::rbDetail),
      qrRichText_(&detailBand_, metrics) {
    report::TQRPage& page = qReport_.Page();
    page.SetPaperSize(report::TQRPaperSize::A4);
    page.SetOrientation(report::poPortrait);
    page.SetColumns(1);
    qReport_.SetUnits(TQRUnit::Native);
    page.SetBottomMargin(150);
    page.SetTopMargin(100);
    page.SetLeftMargin(100);
    page.SetRightMargin(100);
    page.SetColumnSpace(0);
    qReport_.SetZoom(100);
    qReport_.SetOptions({report::TQROption::FirstPageHeader, report::TQROption::LastPageFooter});
    qReport_.SetPrintIfEmpty(true);
    qReport_.SetShowProgress(false);
    report::TQRReportPrinterSettings& settings = qReport_.PrinterSettings();
    settings.SetCopies(1);
    settings.SetDuplex(false);
    settings.SetFirstPage(0);
    settings.SetLastPage(0);
    settings.SetOutputBin(report::TQRBin::Auto);

    detailBand_.SetForceNewPage(true);
    detailBand_.SetForceNewColumn(false);
    detailBand_.SetAlignToBottom(false);
    detailBand_.SetColor(platform::canvas::kWhite);
    detailBand_.SetEnabled(true);
    detailBand_.SetNativeHeight(484.2);

    qrRichText_.SetAutoStretch(true);
    qrRichText_.SetFont({.FontName = "Arial", .SizePoints = 10});
    qrRichText_.SetBounds({32, 20, 100, 100});
    qReport_.SetUnits(TQRUnit::MM);
}

bool TPrintQReport::PrintBitmapJob(TPrintJob& job, const RasterBitmap& bitmap) {
    PrintPicture(job, RasterPicture(bitmap));
    return true;
}

void TPrintQReport::PrintPicture(const TPrintJob& job, const report::TBitmap& bitmap) {
    qReport_.SetReportTitle(job.Title);
    const WaitCursorScope wait(cursor_);
    CopyJobSettings(job);
    // A picture without rows has no proportions to fit and nothing to show.
    if (bitmap.Width() == 0 && bitmap.Height() == 0) {
        return;
    }
    // The element exists for this print only: a picture left on the report would print on every
    // page of every later job.
    const auto image = std::make_unique<report::TQRImage>(&qReport_);
    image->SetAutoSize(false);
    image->Picture().Assign(bitmap);
    if (const auto orientation =
            PictureOrientation(job.OrientationMode, bitmap.Width(), bitmap.Height())) {
        qReport_.Page().SetOrientation(*orientation);
    }
    image->SetBounds(FitPicture(Printable(), bitmap.Width(), bitmap.Height(), job.CenterImage));
    image->SetCenter(job.CenterImage);
    image->SetStretch(job.StretchImage);
    qReport_.PrintReport();
}

bool TPrintQReport::PrintRichTextJob(TPrintJob& job, std::string_view rtf) {
    qReport_.SetReportTitle(job.Title);
    const WaitCursorScope wait(cursor_);
    CopyJobSettings(job);
    if (job.OrientationMode == kOrientationPortrait) {
        qReport_.Page().SetOrientation(report::poPortrait);
    } else if (job.OrientationMode == kOrientationLandscape) {
        qReport_.Page().SetOrientation(report::poLandscape);
    }
    detailBand_.SetEnabled(true);
    const BandDisabledAtExit disableBand(detailBand_);
    // The report's layout keeps the band at the margins and the column width: only the height
    // takes effect.
    detailBand_.SetBounds({0, 0, qReport_.Bounds().Width, Printable().Height});
    qrRichText_.SetBounds({0, 0, detailBand_.Bounds().Width, detailBand_.Bounds().Height});
    qrRichText_.LoadLines(rtf);
    qReport_.PrintReport();
    return true;
}

void TPrintQReport::CopyJobSettings(const TPrintJob& job) {
    report::TQRReportPrinterSettings& settings = qReport_.PrinterSettings();
    settings.SetCopies(job.Copies);
    settings.SetFirstPage(job.FirstPage);
    settings.SetLastPage(job.LastPage);
    settings.SetPrinterIndex(job.PrinterIndex);
}

}  // namespace ostrelin::print
