#pragma once

#include <cstdint>
#include <string>

#include "report/PaperTable.h"

namespace ostrelin::report {

// The report's own copy of its print settings. A print reads PrinterIndex, Copies, OutputBin,
// FirstPage and LastPage; paper and orientation come from the report's page, the document name
// from its title.
class TQRPrinterSettings {
  public:
    int Copies() const { return copies_; }
    void SetCopies(int copies) { copies_ = copies; }
    bool Duplex() const { return duplex_; }
    void SetDuplex(bool duplex) { duplex_ = duplex; }
    TQRBin OutputBin() const { return outputBin_; }
    void SetOutputBin(TQRBin bin) { outputBin_ = bin; }
    TQRPaperSize PaperSize() const { return paperSize_; }
    void SetPaperSize(TQRPaperSize size) { paperSize_ = size; }
    // Position in the installed printers; -1 for the default printer.
    int PrinterIndex() const { return printerIndex_; }
    void SetPrinterIndex(int index) { printerIndex_ = index; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    // Page range; 0 or less means no bound.
    int FirstPage() const { return firstPage_; }
    void SetFirstPage(int page) { firstPage_ = page; }
    int LastPage() const { return lastPage_; }
    void SetLastPage(int page) { lastPage_ = page; }

  private:
    int copies_ = 1;
    bool duplex_ = false;
    TQRBin outputBin_ = TQRBin::First;
    TQRPaperSize paperSize_ = TQRPaperSize::Letter;
    int printerIndex_ = -1;
    std::string title_;
    int firstPage_ = 0;
    int lastPage_ = 0;
};

// The print settings a report publishes as its PrinterSettings.
class TQRReportPrinterSettings : public TQRPrinterSettings {};

}  // namespace ostrelin::report
