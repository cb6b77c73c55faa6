#include "report/TQRReport.h"

#include <exception>

#include "platform/Error.h"
#include "report/Rounding.h"
#include "report/TQRPrintable.h"

namespace ostrelin::report {

namespace {

// Kinds whose bands print across the whole page rather than one column.
bool SpansThePage(TQRBandType type) {
    return type == rbTitle || type == rbPageHeader || type == rbPageFooter || type == rbSummary ||
           type == rbOverlay;
}

// Kinds that never force a new page or column.
bool KeepsItsPlace(TQRBandType type) {
    return type == rbTitle || type == rbPageHeader || type == rbPageFooter || type == rbOverlay;
}

// Runs an action when leaving a scope, however it is left.
template <typename Action>
class AtExit {
  public:
    explicit AtExit(Action action) : action_(std::move(action)) {}
    ~AtExit() { action_(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

  private:
    Action action_;
};

}  // namespace

TQRReport::TQRReport(const platform::printing::PrintingSystem& printing,
                     const DisplayMetrics& display)
    : ReportControl(nullptr, display),
      printing_(printing),
      page_(this, display),
      units_(page_.Units()) {
    try {
        const TQRPrinter probe(printing_, display.PixelsPerInch);
        if (probe.PrintersAvailable()) {
            page_.SetPaperSize(probe.PaperSize());
        }
    } catch (const Error&) {
        // Without a usable default printer the page keeps its own paper.
    }
    constructed_ = true;
    ResizeSurface();
    ArrangeBands();
}

TQRReport::~TQRReport() {
    constructed_ = false;
    for (ReportControl* child : Children()) {
        if (auto* band = dynamic_cast<TQRCustomBand*>(child)) {
            band->SetParentReport(nullptr);
        }
    }
    ForEachElement([](TQRPrintable& element) { element.SetParentReport(nullptr); });
}

void TQRReport::ForEachElement(const std::function<void(TQRPrintable&)>& action) const {
    for (ReportControl* child : std::vector<ReportControl*>(Children())) {
        if (auto* element = dynamic_cast<TQRPrintable*>(child)) {
            action(*element);
        } else if (dynamic_cast<TQRCustomBand*>(child) != nullptr) {
            for (ReportControl* onBand : std::vector<ReportControl*>(child->Children())) {
                if (auto* bandElement = dynamic_cast<TQRPrintable*>(onBand)) {
                    action(*bandElement);
                }
            }
        }
    }
}

void TQRReport::SetUnits(TQRUnit units) {
    units_ = units;
    page_.SetUnits(units);
    for (TQRCustomBand* band : BandList()) {
        band->Size().SetUnits(units);
    }
    ForEachElement([units](TQRPrintable& element) { element.Size().SetUnits(units); });
}

void TQRReport::SetZoom(int zoom) {
    zoom_ = zoom;
    page_.SetZoom(zoom);
    for (TQRCustomBand* band : BandList()) {
        band->Size().SetZoom(zoom);
        band->SizeChanged();
    }
    ForEachElement([zoom](TQRPrintable& element) {
        element.Size().SetZoom(zoom);
        element.SizeChanged();
    });
    ResizeSurface();
    ArrangeBands();
}

std::vector<TQRCustomBand*> TQRReport::BandList() const {
    std::vector<TQRCustomBand*> bands;
    for (ReportControl* child : Children()) {
        if (auto* band = dynamic_cast<TQRCustomBand*>(child)) {
            bands.push_back(band);
        }
    }
    return bands;
}

TQRCustomBand* TQRReport::BandOfType(TQRBandType type) const {
    for (TQRCustomBand* band : BandList()) {
        if (band->BandType() == type) {
            return band;
        }
    }
    return nullptr;
}

void TQRReport::ResizeSurface() {
    if (!constructed_) {
        return;
    }
    StoreBounds({Bounds().Left, Bounds().Top, page_.SurfaceWidth(), page_.SurfaceHeight()});
}

void TQRReport::ArrangeBands() {
    if (!constructed_) {
        return;
    }
    const int left = Round(page_.PixelValue(TQRPage::LeftMarginIndex));
    const int sideMargins = Round(page_.PixelValue(TQRPage::LeftMarginIndex) +
                                  page_.PixelValue(TQRPage::RightMarginIndex));
    const int surfaceWidth = Bounds().Width;
    const int columns = page_.Columns();
    const int columnWidth = (surfaceWidth - sideMargins -
                             Round(page_.PixelValue(TQRPage::ColumnSpaceIndex)) * (columns - 1)) /
                            columns;
    int y = Round(page_.PixelValue(TQRPage::TopMarginIndex));
    for (TQRCustomBand* band : BandList()) {
        band->PlaceInLayout(left, y);
        TQRBandSize& size = band->Size();
        size.SetPixels();
        size.SetWidth(SpansThePage(band->LayoutType()) ? surfaceWidth - sideMargins : columnWidth);
        size.RestoreUnits();
        y += band->Bounds().Height;
    }
}

void TQRReport::PrintReport() {
    if (!available_) {
        return;
    }
    TQRPrinter printer(printing_, Display().PixelsPerInch);
    printer.AfterPrint = [this](TQRPrinter&) {
        if (AfterPrint) {
            AfterPrint(*this);
        }
    };
    qrPrinter_ = &printer;
    const AtExit detach([this] { qrPrinter_ = nullptr; });
    if (!printer.PrintersAvailable()) {
        return;
    }
    printer.SetDestination(TQRDestination::Printer);
    TQRProgressForm progress;
    progress.SetVisible(showProgress_);
    printer.SetProgressForm(&progress);
    const AtExit unlinkProgress([&printer] { printer.SetProgressForm(nullptr); });
    RunReport();
}

void TQRReport::RunReport() {
    if (!available_ || qrPrinter_ == nullptr) {
        return;
    }
    available_ = false;
    finalPage_ = false;
    columnForceSeen_ = false;
    pageForceSeen_ = false;
    const AtExit release([this] { available_ = true; });

    if (BeforePrint) {
        bool print = true;
        BeforePrint(*this, print);
        if (!print) {
            return;
        }
    }
    const TQRUnit savedUnits = units_;
    SetUnits(TQRUnit::Native);

    std::exception_ptr failure;
    try {
        RunPages();
    } catch (...) {
        failure = std::current_exception();
    }
    // The report is left as it was before the run, whether the run completed or not, so that
    // the next print starts from the same state.
    SetUnits(savedUnits);
    ForEachElement([](TQRPrintable& element) { element.UnpreparePrint(); });
    try {
        if (qrPrinter_->Cancelled()) {
            qrPrinter_->Abort();
        } else {
            qrPrinter_->EndDoc();
        }
    } catch (...) {
        if (!failure) {
            throw;
        }
        // The error that interrupted the run is the one the caller needs to hear about.
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TQRReport::RunPages() {
    ApplyPrinterSettings();
    qrPrinter_->SetTitle(reportTitle_);
    qrPrinter_->SetCompression(options_.contains(TQROption::Compression));
    qrPrinter_->BeginDoc();
    currentY_ = Round(PageValue(TQRPage::LengthIndex));
    pageNumber_ = 0;
    currentColumn_ = 1;
    MeasurePageFooters();
    LinkToReport();
    currentX_ = Round(PageValue(TQRPage::LeftMarginIndex));
    detailBand_ = BandOfType(rbDetail);
    leadingBand_ = BandOfType(rbTitle);
    closingBand_ = BandOfType(rbSummary);
    ForEachElement([](TQRPrintable& element) { element.PreparePrint(); });
    StartNewPage();
    BandPass();
    currentX_ = Round(PageValue(TQRPage::LeftMarginIndex));
    finalPage_ = true;
    if (!qrPrinter_->Cancelled()) {
        FinishPage();
    }
}

void TQRReport::LinkToReport() {
    for (ReportControl* child : Children()) {
        if (auto* band = dynamic_cast<TQRCustomBand*>(child)) {
            band->SetParentReport(this);
        }
    }
    ForEachElement([this](TQRPrintable& element) { element.SetParentReport(this); });
}

void TQRReport::BandPass() {
    auto place = [this](TQRCustomBand* band) {
        if (band != nullptr) {
            EnsureSpace(*band);
            PlaceAndPrintBand(band);
        }
    };
    if (OnNeedData) {
        place(leadingBand_);
        while (!qrPrinter_->Cancelled()) {
            bool moreData = false;
            OnNeedData(*this, moreData);
            if (!moreData) {
                break;
            }
            place(detailBand_);
        }
        place(closingBand_);
    } else if (printIfEmpty_) {
        place(leadingBand_);
        place(detailBand_);
        place(closingBand_);
    }
}

void TQRReport::ApplyPrinterSettings() {
    TQRPrinter& printer = *qrPrinter_;
    printer.SetPrinterIndex(printerSettings_.PrinterIndex());
    printer.SetPaperSize(page_.PaperSize());
    if (printer.PaperSize() == TQRPaperSize::Custom) {
        printer.SetPaperWidth(Round(PageValue(TQRPage::WidthIndex)));
        printer.SetPaperLength(Round(PageValue(TQRPage::LengthIndex)));
    }
    printer.SetOrientation(page_.Orientation());
    printer.SetCopies(printerSettings_.Copies());
    printer.SetOutputBin(printerSettings_.OutputBin());
    printer.SetFirstPage(printerSettings_.FirstPage());
    printer.SetLastPage(printerSettings_.LastPage());
}

void TQRReport::StartNewPage() {
    FinishPage();
    ++pageNumber_;
    if (drawPage_ || pageNumber_ == 1) {
        qrPrinter_->NewPage();
    }
    currentY_ = Round(PageValue(TQRPage::TopMarginIndex));
    if (OnStartPage) {
        OnStartPage(*this);
    }
    TQRCustomBand* header = BandOfType(rbPageHeader);
    if (header != nullptr && (pageNumber_ > 1 || options_.contains(TQROption::FirstPageHeader))) {
        PrintBand(*header);
    }
    columnTop_ = currentY_;
    if (pageNumber_ == 1) {
        if (TQRCustomBand* title = BandOfType(rbTitle)) {
            columnTop_ += Round(title->NativeHeight());
        }
    }
}

void TQRReport::FinishPage() {
    if (pageNumber_ <= 0) {
        return;
    }
    if (OnEndPage) {
        OnEndPage(*this);
    }
    currentY_ = Round(PageValue(TQRPage::LengthIndex) - PageValue(TQRPage::BottomMarginIndex) -
                      pageFooterHeight_);
    TQRCustomBand* footer = BandOfType(rbPageFooter);
    if (footer != nullptr && (!finalPage_ || options_.contains(TQROption::LastPageFooter))) {
        PrintBand(*footer);
    }
    PrintReportElements();
}

void TQRReport::PrintReportElements() {
    // Elements placed on the report itself print on every page, whether enabled or not.
    for (ReportControl* child : std::vector<ReportControl*>(Children())) {
        if (auto* element = dynamic_cast<TQRPrintable*>(child)) {
            element->PrintAt(0, 0);
        }
    }
    if (drawPage_ && frame_.AnyFrame()) {
        const TQRPrinter& p = *qrPrinter_;
        frame_.PaintIt(
            p, {p.XPos(PageValue(TQRPage::LeftMarginIndex)),
                p.YPos(PageValue(TQRPage::TopMarginIndex)),
                p.XPos(PageValue(TQRPage::WidthIndex) - PageValue(TQRPage::RightMarginIndex)),
                p.YPos(PageValue(TQRPage::LengthIndex) - PageValue(TQRPage::BottomMarginIndex))});
    }
}

void TQRReport::AdvanceColumn() {
    if (currentColumn_ == page_.Columns()) {
        currentColumn_ = 1;
        currentX_ = Round(PageValue(TQRPage::LeftMarginIndex));
        StartNewPage();
    } else {
        const double detailWidth = detailBand_ != nullptr ? detailBand_->NativeWidth() : 0.0;
        currentX_ += Round(detailWidth + PageValue(TQRPage::ColumnSpaceIndex));
        currentY_ = columnTop_;
        ++currentColumn_;
    }
    if (TQRCustomBand* columnHeader = BandOfType(rbColumnHeader)) {
        PrintBand(*columnHeader);
    }
}

void TQRReport::RequestNewPage() {
    if (available_) {
        return;
    }
    if (pageForceSeen_ || pageNumber_ > 1) {
        do {
            AdvanceColumn();
        } while (currentColumn_ != 1);
    } else {
        pageForceSeen_ = true;
    }
}

void TQRReport::RequestNewColumn() {
    if (available_) {
        return;
    }
    if (columnForceSeen_ || currentColumn_ > 1) {
        AdvanceColumn();
    } else {
        columnForceSeen_ = true;
    }
}

void TQRReport::MeasurePageFooters() {
    pageFooterHeight_ = 0;
    for (TQRCustomBand* band : BandList()) {
        if (band->BandType() != rbPageFooter || !band->Enabled()) {
            continue;
        }
        for (const TQRCustomBand* chained = band; chained != nullptr;
             chained = chained->ChildBand()) {
            pageFooterHeight_ += chained->NativeHeight();
        }
    }
}

double TQRReport::PaperLengthOfPrinter() const {
    const TPrinterSettings& settings = qrPrinter_->Settings();
    return page_.Orientation() == poPortrait ? settings.PaperLength() : settings.PaperWidth();
}

int TQRReport::AvailableSpace() const {
    if (available_ || qrPrinter_ == nullptr) {
        return 0;
    }
    return Round(PaperLengthOfPrinter() - PageValue(TQRPage::BottomMarginIndex) -
                 pageFooterHeight_ - currentY_);
}

void TQRReport::EnsureSpace(TQRCustomBand& band) {
    if (band.BandType() != rbPageFooter && Round(band.NativeHeight()) > AvailableSpace() &&
        !band.ForceNewPage()) {
        AdvanceColumn();
    }
}

void TQRReport::PlaceAndPrintBand(TQRCustomBand* band) {
    if (band == nullptr) {
        return;
    }
    if (band->AlignToBottom()) {
        currentY_ = Round(PaperLengthOfPrinter() - PageValue(TQRPage::BottomMarginIndex) -
                          band->NativeHeight() - pageFooterHeight_);
    }
    PrintBand(*band);
}

void TQRReport::PrintBand(TQRCustomBand& band) {
    bool print = band.Enabled();
    if (print && band.BeforePrint) {
        band.BeforePrint(band, print);
    }
    if (print) {
        if (band.ForceNewPage() && !KeepsItsPlace(band.BandType())) {
            RequestNewPage();
        } else if (band.ForceNewColumn() && !KeepsItsPlace(band.BandType())) {
            RequestNewColumn();
        }
        const TQRPrinter& p = *qrPrinter_;
        band.SetBandRect({p.XPos(currentX_), p.YPos(currentY_),
                          p.XPos(currentX_ + band.NativeWidth()),
                          p.YPos(currentY_ + band.NativeHeight() - 1)});
        if (drawPage_ && p.Canvas() != nullptr) {
            p.Canvas()->FillRect(band.BandRect(), band.Color());
        }
        const double height = band.NativeHeight();
        for (ReportControl* child : std::vector<ReportControl*>(band.Children())) {
            auto* element = dynamic_cast<TQRPrintable*>(child);
            if (element != nullptr && element->Enabled()) {
                element->PrintAt(currentX_, currentY_);
            }
        }
        if (drawPage_) {
            band.Frame().PaintIt(*qrPrinter_, band.BandRect());
        }
        currentY_ += Round(band.NativeHeight());
        band.SetNativeHeight(height);
    }
    if (band.AfterPrint) {
        band.AfterPrint(band, print);
    }
    if (TQRCustomBand* child = band.ChildBand()) {
        if (band.BandType() == rbPageFooter) {
            child->SetBandType(rbPageFooter);
        }
        const AtExit restoreType([child] { child->SetBandType(rbChild); });
        EnsureSpace(*child);
        PlaceAndPrintBand(child);
    }
}

}  // namespace ostrelin::report
