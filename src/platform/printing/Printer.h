#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/printing/PrintingSystem.h"

namespace ostrelin::platform::printing {

// Names of a selected printer.
struct PrinterNames {
    std::string Device;
    std::string Driver;
    std::string Port;
};

// A program's printer object: it selects one of the installed printers, holds that printer's
// device settings, answers what the driver can do with them and prints documents page by page.
// Each object has its own selection and settings. Errors are ostrelin::Error with these texts:
// "Printer index out of range", "There is no default printer currently selected",
// "Printer selected is not valid", "Printing in progress", "Printer is not currently printing".
class Printer {
  public:
    // A printer object on `system`, which must outlive it. It starts on the default printer; when
    // that cannot be opened, on the first installed printer that can, so that a program that goes
    // on to select a printer by position never depends on the default.
    explicit Printer(const PrintingSystem& system);
    // Drops a document that was begun and not ended.
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // The installed printers, read from the system when the object was made.
    const std::vector<std::string>& Printers() const { return printers_; }

    // Position of the selected printer in Printers(), or -1 for a default printer that was
    // installed after the list was read; selecting the default printer first when nothing is
    // selected yet.
    int PrinterIndex();
    // Selects the printer at `index` in Printers(), or for -1 the system's default printer as it
    // is now, also one installed after the list was read. The device settings of a newly
    // selected printer are fetched from its driver when first needed.
    void SetPrinterIndex(int index);

    // Names and device settings of the selected printer; the settings are shared, so changes
    // made through the handle are this printer's settings.
    PrinterNames GetPrinter(DeviceModeHandle& mode);
    // Selects the printer named `device` (an installed one, or the one selected now) with the
    // settings `mode`, or with fresh settings from its driver when `mode` is null.
    void SetPrinter(const std::string& device, DeviceModeHandle mode);

    // What the selected printer's driver answers with the current settings.
    std::string DriverPath();
    Resolution LogPixels();
    std::optional<canvas::Point> PrintingOffset();
    std::optional<canvas::Point> PhysicalPageSize();
    std::vector<std::int16_t> Papers();

    // The document name used by BeginDoc; the print job is named by its first 31 characters.
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // True between BeginDoc and EndDoc or Abort.
    bool Printing() const { return printing_; }
    // Number of the page being drawn, from 1; 0 when not printing.
    int PageNumber() const { return pageNumber_; }

    // Opens a device context with the current settings, starts the document and its first page.
    void BeginDoc();
    // Ends the current page, lets the program handle waiting events, and starts the next page.
    void NewPage();
    // Ends the last page and the document.
    void EndDoc();
    // Drops the document being printed.
    void Abort();
    // Gives the device context the current settings for the pages that follow.
    void ResetDC();
    // The canvas of the page being drawn; only while printing.
    canvas::Canvas& Canvas();

  private:
    void SelectDefaultWhenUnselected();
    void Select(const std::string& device);
    PrinterDriver& Driver();
    DeviceMode& Mode();
    void EndDocument();

    const PrintingSystem& system_;
    std::vector<std::string> printers_;
    std::optional<std::string> device_;
    std::unique_ptr<PrinterDriver> driver_;
    DeviceModeHandle mode_;
    std::unique_ptr<DeviceContext> dc_;
    std::string title_;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

// The first `count` characters (not bytes) of UTF-8 `text`.
std::string FirstCharacters(const std::string& text, std::size_t count);

}  // namespace ostrelin::platform::printing
