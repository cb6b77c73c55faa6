#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/canvas/metafile/RecordingCanvas.h"
#include "platform/printing/PrintingSystem.h"

namespace ostrelin::platform::printing::preview {

// The one printer of a preview printing system.
inline constexpr std::string_view kPreviewPrinterName = "Náhled";

// The pages of a document, each recorded in device pixels of its printer.
using PreviewPages = std::vector<canvas::RecordingCanvas>;

// A printing system whose only printer, "Náhled", is also its default: it prints like "Tisk do
// PDF" (every paper of the paper table, no unprintable margin) but at `dpi`, and keeps each page
// as a recording instead of sending it anywhere. A document that ends hands its pages over to
// TakePages; one that is dropped leaves nothing. Nothing is handled between pages, so that a
// document is made in one go, without the program's events coming in between.
class PreviewPrinting final : public PrintingSystem {
  public:
    explicit PreviewPrinting(int dpi);
    PreviewPrinting(const PreviewPrinting&) = delete;
    PreviewPrinting& operator=(const PreviewPrinting&) = delete;

    std::vector<std::string> Printers() const override;
    bool PrinterListComplete() const override { return true; }
    std::string DefaultPrinter() const override;
    std::unique_ptr<PrinterDriver> OpenDriver(const std::string& device) const override;
    void BetweenPages() const override {}
    // The preview printer is always there and idle.
    PrinterState StateOf(const std::string& device) const override {
        return {.Printer = device.empty() ? DefaultPrinter() : device};
    }

    // The pages of the documents that ended since the last call, in their order.
    PreviewPages TakePages();

  private:
    int dpi_;
    // Shared with the device contexts, which may end a document after a driver is gone.
    std::shared_ptr<PreviewPages> ended_;
};

}  // namespace ostrelin::platform::printing::preview
