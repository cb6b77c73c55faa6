#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/canvas/metafile/RecordingCanvas.h"
#include "platform/printing/Printer.h"
#include "report/TPrinterSettings.h"
#include "report/TQRPageList.h"
#include "report/TQRProgressForm.h"
#include "report/TQRStream.h"

namespace ostrelin::report {

enum class TQRDestination : std::uint8_t { PageStore = 0, Printer = 1 };
enum class TQRPrinterStatus : std::uint8_t { Ready = 0, Busy = 1, Finished = 2 };

// The report engine's printer object: everything a report run draws goes through it. Positions
// come in tenths of a millimetre from the sheet's top-left corner and leave as device pixels of
// the destination. On the printer destination the pages within the page range are drawn straight
// onto the printer, in one document; the other pages go into a metafile that is dropped. On the
// page store every page is recorded into the page list.
class TQRPrinter {
  public:
    using Callback = std::function<void(TQRPrinter&)>;

    // A printer object on `system` (which must outlive it), bound to its default printer when
    // printers are installed. `screenPixelsPerInch` scales the page store's pages.
    explicit TQRPrinter(const platform::printing::PrintingSystem& system,
                        int screenPixelsPerInch = 96);
    // Cancels an unfinished document and releases the page store.
    ~TQRPrinter();
    TQRPrinter(const TQRPrinter&) = delete;
    TQRPrinter& operator=(const TQRPrinter&) = delete;

    // Selects printer `index` of the installed printers (-1: the default printer) with the
    // driver's own settings, when printers are installed.
    void SetPrinterIndex(int index);

    TQRPaperSize PaperSize() const { return settings_.PaperSize(); }
    void SetPaperSize(TQRPaperSize size) { settings_.SetPaperSize(size); }
    TPrinterOrientation Orientation() const { return settings_.Orientation(); }
    void SetOrientation(TPrinterOrientation orientation) { settings_.SetOrientation(orientation); }
    void SetCopies(int copies) { settings_.SetCopies(copies); }
    void SetOutputBin(TQRBin bin) { settings_.SetOutputBin(bin); }
    // Sheet width and length in tenths of a millimetre with the orientation applied.
    int PaperWidth() const;
    int PaperLength() const;
    // Custom sheet size, unrotated; taken only while the paper size is Custom.
    void SetPaperWidth(int width) { settings_.SetPaperWidth(width); }
    void SetPaperLength(int length) { settings_.SetPaperLength(length); }

    void SetFirstPage(int page) { firstPage_ = page; }
    void SetLastPage(int page) { lastPage_ = page; }
    int FirstPage() const { return firstPage_; }
    int LastPage() const { return lastPage_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::string& Title() const { return title_; }
    void SetDestination(TQRDestination destination) { destination_ = destination; }
    TQRDestination Destination() const { return destination_; }
    void SetCompression(bool compression) { pageList_.SetCompression(compression); }

    // Starts a document: applies the settings on the printer destination, sets the factors and
    // offsets. The printer's own document starts with the first page in range. Fails with
    // "QRPrinter not ready" unless the object is ready.
    void BeginDoc();
    // Finishes the current page (if any) and begins the next. Fails with
    // "Illegal call to NewPage" outside a document.
    void NewPage();
    // Ends the document; on the printer destination calls AfterPrint.
    void EndDoc();
    // Drops the document.
    void Abort();
    // Marks the print as cancelled; the report run then aborts it.
    void Cancel() { cancelled_ = true; }

    bool Cancelled() const { return cancelled_; }
    TQRPrinterStatus Status() const { return status_; }
    int PageNumber() const { return pageNumber_; }
    bool PrintersAvailable() const { return printersAvailable_; }
    // The canvas of the page being drawn; null outside a page.
    platform::canvas::Canvas* Canvas() const { return canvas_; }

    // A position in tenths of a millimetre from the sheet's corner, in device pixels.
    int XPos(double value) const;
    int YPos(double value) const;
    // A length in tenths of a millimetre, in device pixels.
    int XSize(double value) const;
    int YSize(double value) const;
    double XFactor() const { return xFactor_; }
    double YFactor() const { return yFactor_; }
    int LeftOffset() const { return leftOffset_; }
    int TopOffset() const { return topOffset_; }

    const TPrinterSettings& Settings() const { return settings_; }
    const TQRPageList& PageList() const { return pageList_; }
    // The page stream of a page-store document; null otherwise.
    TQRStream* PageStream() const { return pageStream_.get(); }

    void SetProgressForm(TQRProgressForm* form) { progressForm_ = form; }
    TQRProgressForm* ProgressForm() const { return progressForm_; }
    void SetProgressPercent(int percent);

    Callback AfterPrint;
    Callback AfterPreview;

  private:
    bool PageInRange() const;
    void StartPrinterDocument();
    void NewPageMetafile();
    void StorePageMetafile();
    void SetProgressPage(int page);

    platform::printing::Printer printer_;
    TPrinterSettings settings_;
    std::unique_ptr<TQRStream> pageStream_;
    int progressPage_ = 0;
    bool cancelled_ = false;
    platform::canvas::Canvas* canvas_ = nullptr;
    TQRDestination destination_ = TQRDestination::PageStore;
    int firstPage_ = 0;
    int lastPage_ = 0;
    int leftOffset_ = 0;
    TQRProgressForm* progressForm_ = nullptr;
    std::unique_ptr<platform::canvas::RecordingCanvas> pageMetafile_;
    int pageNumber_ = 0;
    int pagesBegun_ = 0;
    bool printersAvailable_ = false;
    int progressPercent_ = 0;
    std::string title_;
    int topOffset_ = 0;
    TQRPrinterStatus status_ = TQRPrinterStatus::Ready;
    double xFactor_ = 1.0;
    double yFactor_ = 1.0;
    TQRPageList pageList_;
    int screenPixelsPerInch_;
};

}  // namespace ostrelin::report
