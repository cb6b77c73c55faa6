#include "platform/printing/SystemPrinting.h"

#include "platform/printing/cups/CupsDestinations.h"
#include "platform/printing/cups/CupsPrinterDriver.h"
#include "platform/printing/pdf/PdfPrinterDriver.h"

namespace ostrelin::platform::printing {

namespace {

// CUPS queues first, the built-in PDF printer last. The list is read once: the printer choice
// shown to the user and every job's printer index refer to the same list for the whole run, so a
// queue added or removed meanwhile can never shift a job onto another printer. A queue that has
// gone fails when its job opens it.
class SystemPrinting final : public PrintingSystem {
  public:
    explicit SystemPrinting(std::function<void()> betweenPages)
        : printers_(cups::ReadCupsDestinations().Names), betweenPages_(std::move(betweenPages)) {
        printers_.emplace_back(kPdfPrinterName);
    }

    std::vector<std::string> Printers() const override { return printers_; }

    std::string DefaultPrinter() const override {
        std::string name = cups::ReadCupsDestinations().DefaultName;
        return name.empty() ? std::string(kPdfPrinterName) : name;
    }

    std::unique_ptr<PrinterDriver> OpenDriver(const std::string& device) const override {
        if (device == kPdfPrinterName) {
            return pdf::MakePdfPrinterDriver();
        }
        return cups::MakeCupsPrinterDriver(device);
    }

    void BetweenPages() const override {
        if (betweenPages_) {
            betweenPages_();
        }
    }

  private:
    std::vector<std::string> printers_;
    std::function<void()> betweenPages_;
};

}  // namespace

std::unique_ptr<PrintingSystem> MakeSystemPrinting(std::function<void()> betweenPages) {
    return std::make_unique<SystemPrinting>(std::move(betweenPages));
}

}  // namespace ostrelin::platform::printing
