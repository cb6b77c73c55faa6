#include "platform/printing/SystemPrinting.h"

#include "platform/printing/cups/CupsDestinations.h"
#include "platform/printing/cups/CupsPrinterDriver.h"
#include "platform/printing/pdf/PdfPrinterDriver.h"

namespace ostrelin::platform::printing {

namespace {

// CUPS queues first, the built-in PDF printer last. Each question asks CUPS afresh, so queues
// added or removed while the program runs show up the next time the list is read.
class SystemPrinting final : public PrintingSystem {
  public:
    explicit SystemPrinting(std::function<void()> betweenPages)
        : betweenPages_(std::move(betweenPages)) {}

    std::vector<std::string> Printers() const override {
        std::vector<std::string> names = cups::ReadCupsDestinations().Names;
        names.emplace_back(kPdfPrinterName);
        return names;
    }

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
    std::function<void()> betweenPages_;
};

}  // namespace

std::unique_ptr<PrintingSystem> MakeSystemPrinting(std::function<void()> betweenPages) {
    return std::make_unique<SystemPrinting>(std::move(betweenPages));
}

}  // namespace ostrelin::platform::printing
