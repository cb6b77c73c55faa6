#include "platform/printing/SystemPrinting.h"

#include "platform/printing/cups/CupsDestinations.h"

namespace ostrelin::platform::printing {

namespace {

// CUPS queues first, the built-in PDF printer last. Each question asks CUPS afresh, so queues
// added or removed while the program runs show up the next time the list is read.
class SystemPrinting final : public PrintingSystem {
  public:
    std::vector<std::string> Printers() const override {
        std::vector<std::string> names = cups::ReadCupsDestinations().Names;
        names.emplace_back(kPdfPrinterName);
        return names;
    }

    std::string DefaultPrinter() const override {
        std::string name = cups::ReadCupsDestinations().DefaultName;
        return name.empty() ? std::string(kPdfPrinterName) : name;
    }
};

}  // namespace

std::unique_ptr<PrintingSystem> MakeSystemPrinting() {
    return std::make_unique<SystemPrinting>();
}

}  // namespace ostrelin::platform::printing
