#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/printing/PrintingSystem.h"
#include "report/ReportControl.h"
#include "report/TQRBand.h"
#include "report/TQRFrame.h"
#include "report/TQRPage.h"
#include "report/TQRPrinter.h"
#include "report/TQRPrinterSettings.h"
#include "report/TQRProgressForm.h"

namespace ostrelin::report {

enum class TQROption { FirstPageHeader, LastPageFooter, Compression };
using TQROptions = std::set<TQROption>;

// A report: a page-sized surface carrying bands and printable elements, printed page by page on
// the printer chosen in its PrinterSettings. Lengths are in tenths of a millimetre, read through
// Units. One run at a time: PrintReport during a run does nothing.
class TQRReport : public ReportControl, public TQRPageOwner {
  public:
    using ReportEvent = std::function<void(TQRReport& report)>;
    // May veto the run by setting the flag to false.
    using BeforePrintEvent = std::function<void(TQRReport& report, bool& printReport)>;
    // Sets the flag while there is another detail to print.
    using NeedDataEvent = std::function<void(TQRReport& report, bool& moreData)>;

    // A report printing through `printing` (which must outlive it); its paper is the default
    // printer's.
    explicit TQRReport(const platform::printing::PrintingSystem& printing,
                       const DisplayMetrics& display = {});
    ~TQRReport() override;

    TQRPage& Page() { return page_; }
    const TQRPage& Page() const { return page_; }
    TQRUnit Units() const { return units_; }
    // Sets the unit of the page setup and of every band and element size.
    void SetUnits(TQRUnit units);
    int Zoom() const { return zoom_; }
    // Sets the zoom of the surface and of every length holder.
    void SetZoom(int zoom);
    const TQROptions& Options() const { return options_; }
    void SetOptions(TQROptions options) { options_ = std::move(options); }
    bool PrintIfEmpty() const { return printIfEmpty_; }
    void SetPrintIfEmpty(bool print) { printIfEmpty_ = print; }
    bool ShowProgress() const { return showProgress_; }
    void SetShowProgress(bool show) { showProgress_ = show; }
    TQRReportPrinterSettings& PrinterSettings() { return printerSettings_; }
    const std::string& ReportTitle() const { return reportTitle_; }
    void SetReportTitle(std::string title) { reportTitle_ = std::move(title); }
    TQRFrame& Frame() { return frame_; }
    platform::canvas::Color Color() const { return color_; }
    void SetColor(platform::canvas::Color color) { color_ = color; }

    BeforePrintEvent BeforePrint;
    ReportEvent OnStartPage;
    ReportEvent OnEndPage;
    NeedDataEvent OnNeedData;
    ReportEvent AfterPrint;

    // Prints the whole report and returns when the document has been handed to the printing
    // system. Errors of the run reach the caller; the report is ready for another print after.
    void PrintReport();
    // Vertical space left on the current page above the page footers, tenths of a millimetre;
    // 0 outside a run.
    int AvailableSpace() const;
    // Finishes the current page and starts the next one.
    void StartNewPage();
    // Moves to the next column, or to a new page when the last column is full.
    void AdvanceColumn();

    // The bands on the report in layout order, and the first band of a kind in it.
    std::vector<TQRCustomBand*> BandList() const;
    TQRCustomBand* BandOfType(TQRBandType type) const;

    // Run state.
    bool Available() const { return available_; }
    int ColumnTop() const { return columnTop_; }
    int CurrentColumn() const { return currentColumn_; }
    int CurrentX() const { return currentX_; }
    int CurrentY() const { return currentY_; }
    void SetCurrentY(int y) { currentY_ = y; }
    bool DrawPage() const { return drawPage_; }
    bool FinalPage() const { return finalPage_; }
    int PageNumber() const { return pageNumber_; }
    double PageFooterHeight() const { return pageFooterHeight_; }
    bool ColumnForceSeen() const { return columnForceSeen_; }
    bool PageForceSeen() const { return pageForceSeen_; }
    // The printer object of the current print; null when idle.
    TQRPrinter* QRPrinter() const { return qrPrinter_; }

    // The steps of a run, callable by bands and elements while it lasts.
    void RunReport();
    void FinishPage();
    void PrintReportElements();
    void RequestNewPage();
    void RequestNewColumn();
    void MeasurePageFooters();
    void EnsureSpace(TQRCustomBand& band);
    void PlaceAndPrintBand(TQRCustomBand* band);
    void PrintBand(TQRCustomBand& band);
    void ApplyPrinterSettings();

    // Lays the bands out on the surface in screen pixels.
    void ArrangeBands() override;
    // Gives the surface the page's size in screen pixels.
    void ResizeSurface() override;

  private:
    void RunPages();
    void BandPass();
    void LinkToReport();
    void ForEachElement(const std::function<void(class TQRPrintable&)>& action) const;
    double PaperLengthOfPrinter() const;
    double PageValue(int index) const { return page_.NativeValue(index); }

    const platform::printing::PrintingSystem& printing_;
    bool constructed_ = false;  // layout waits until the report is complete
    TQRPage page_;
    TQRUnit units_;
    int zoom_ = 100;
    TQROptions options_{TQROption::FirstPageHeader, TQROption::LastPageFooter};
    bool printIfEmpty_ = false;
    bool showProgress_ = true;
    TQRReportPrinterSettings printerSettings_;
    std::string reportTitle_;
    TQRFrame frame_;
    platform::canvas::Color color_ = platform::canvas::kWhite;

    bool available_ = true;
    int columnTop_ = 0;
    int currentColumn_ = 1;
    int currentX_ = 0;
    int currentY_ = 0;
    bool drawPage_ = true;
    bool finalPage_ = false;
    int pageNumber_ = 0;
    double pageFooterHeight_ = 0;
    TQRPrinter* qrPrinter_ = nullptr;
    bool columnForceSeen_ = false;
    bool pageForceSeen_ = false;
    TQRCustomBand* detailBand_ = nullptr;
    TQRCustomBand* leadingBand_ = nullptr;
    TQRCustomBand* closingBand_ = nullptr;
};

}  // namespace ostrelin::report
