#include "platform/printing/SystemPrinting.h"

#include <chrono>
#include <filesystem>
#include <string_view>

#include "platform/files/posix/PosixFileSystem.h"
#include "platform/printing/cups/CupsDestinations.h"
#include "platform/printing/cups/CupsPrinterDriver.h"
#include "platform/printing/cups/CupsPrinterState.h"
#include "platform/printing/pdf/PdfFileName.h"
#include "platform/printing/pdf/PdfPrinterDriver.h"

namespace ostrelin::platform::printing {

namespace {

// Long enough for a busy scheduler, short enough that a hung one is reported at the next tick.
constexpr std::chrono::milliseconds kStateTimeout{2000};

PrinterState PdfPrinterState() {
    return {.Printer = std::string(kPdfPrinterName),
            .OutputFolder = pdf::PdfOutputFolder().string()};
}

// CUPS queues first, the built-in PDF printer last. The list is read once: the printer choice
// shown to the user and every job's printer index refer to the same list for the whole run, so a
// queue added or removed meanwhile can never shift a job onto another printer. A queue that has
// gone fails when its job opens it. The default printer is asked for whenever a job needs it, so
// it may be a queue that came after the list was read.
class SystemPrinting final : public PrintingSystem {
  public:
    explicit SystemPrinting(std::function<void()> betweenPages)
        : betweenPages_(std::move(betweenPages)) {
        cups::CupsDestinationList cups = cups::ReadCupsDestinations();
        printers_ = std::move(cups.Names);
        printers_.emplace_back(kPdfPrinterName);
        listComplete_ = cups.SchedulerReached;
    }

    std::vector<std::string> Printers() const override { return printers_; }
    bool PrinterListComplete() const override { return listComplete_; }

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

    // The default is the built-in printer whenever CUPS names none, as for DefaultPrinter().
    PrinterState StateOf(const std::string& device) const override {
        if (device == kPdfPrinterName) {
            return PdfPrinterState();
        }
        PrinterState state = cups::AskPrinterState(device, kStateTimeout);
        return device.empty() && state.Printer.empty() ? PdfPrinterState() : state;
    }

    void BetweenPages() const override {
        if (betweenPages_) {
            betweenPages_();
        }
    }

  private:
    std::vector<std::string> printers_;
    bool listComplete_ = true;
    std::function<void()> betweenPages_;
};

}  // namespace

std::unique_ptr<PrintingSystem> MakeSystemPrinting(std::function<void()> betweenPages) {
    return std::make_unique<SystemPrinting>(std::move(betweenPages));
}

void RemoveAbandonedDocuments() {
    const files::PosixFileSystem files;
    const auto removeIn = [&](const std::filesystem::path& folder, std::string_view pattern) {
        const std::string directory = folder.string() + "/";
        for (const files::FoundFile& found :
             files.FindFiles(directory, std::string(pattern), files::faHidden)) {
            if ((found.Attributes & files::faDirectory) == 0) {
                files.DeleteUnlessLocked(directory + found.Name);
            }
        }
    };
    removeIn(pdf::PdfOutputFolder(), pdf::kPartFilePattern);
    removeIn(std::filesystem::temp_directory_path(), cups::kJobFilePattern);
}

}  // namespace ostrelin::platform::printing
