#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas/metafile/RecordingCanvas.h"
#include "platform/printing/PrintingSystem.h"

namespace ostrelin::platform::printing::fake {

// The capabilities a test gives one fake printer.
struct FakePrinterSetup {
    std::string Name = {};
    // The driver's own settings; Fields says which of them it declares.
    DeviceMode Defaults{.Fields = kFieldOrientation | kFieldPaperSize | kFieldCopies |
                                  kFieldDefaultSource | kFieldDuplex,
                        .PaperSize = 9};
    std::vector<std::int16_t> Papers{1, 9, 11};
    Resolution Dpi{600, 600};
    // Unprintable margin in device pixels; nothing: the driver does not answer the question.
    std::optional<canvas::Point> PrintingOffset = std::nullopt;
    // Whether the driver answers the physical sheet size (computed from the settings).
    bool AnswersPhysicalPageSize = true;
    // Whether a device context can be opened.
    bool CanCreateDC = true;
    // False: installed after the system's list was read, so it can be opened (and be the
    // default) but is not among Printers().
    bool Listed = true;
    // False: a page's drawing is let go once the page ends, as by a device that sends every page
    // on (the page stays in the document, empty).
    bool KeepsPages = true;
    std::string Port = "fake:";
    std::string DriverPath = "/usr/lib/ostrelin/fake/FAKEDRV.so";
};

// One document as the fake received it.
struct FakeDocument {
    std::string Printer;
    std::string Name = {};
    DeviceMode ModeAtCreateDC;
    std::vector<DeviceMode> Resets;  // settings given to ResetDC, in order
    std::vector<std::unique_ptr<canvas::RecordingCanvas>> Pages;
    bool Ended = false;
    bool Aborted = false;
};

// Everything the fake printers were asked, in order ("OpenDriver Name", "DefaultDeviceMode",
// "CreateDC", "StartDoc Title", "StartPage", "EndPage", "EndDoc", "AbortDoc", "ResetDC",
// "BetweenPages"), and the documents they received.
struct FakePrintLog {
    std::vector<std::string> Calls;
    std::vector<std::unique_ptr<FakeDocument>> Documents;
};

// A printing system with printers, drivers and a default chosen by the test; it records every
// call in its log.
class FakePrintingSystem : public PrintingSystem {
  public:
    FakePrintingSystem(std::vector<FakePrinterSetup> printers, std::string defaultPrinter);

    // A system whose printers have the given names and the fake's standard capabilities.
    static FakePrintingSystem Named(const std::vector<std::string>& names,
                                    std::string defaultPrinter);

    std::vector<std::string> Printers() const override;
    // The fake's list always holds every printer it has.
    bool PrinterListComplete() const override { return true; }
    // Makes another of the fake's printers the default.
    void SetDefaultPrinter(std::string name) { default_ = std::move(name); }
    std::string DefaultPrinter() const override { return default_; }
    std::unique_ptr<PrinterDriver> OpenDriver(const std::string& device) const override;
    void BetweenPages() const override;

    // The state set for the printer (the default for an empty name); idle until one is set.
    // Runs the hook set by OnStateAsked first, on the asking thread.
    PrinterState StateOf(const std::string& device) const override;
    // The state StateOf gives for `name` from now on; its Printer is set to `name`.
    void SetState(const std::string& name, PrinterState state);
    // Called by every StateOf before it answers: a test can keep the asking thread waiting.
    void OnStateAsked(std::function<void()> hook);

    FakePrintLog& Log() const { return *log_; }
    // The calls of the log whose text starts with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  private:
    std::vector<FakePrinterSetup> printers_;
    std::string default_;
    std::shared_ptr<FakePrintLog> log_;
    // Asked from other threads than the test's, so guarded.
    struct States {
        std::mutex Lock;
        std::map<std::string, PrinterState> Set;
        std::function<void()> Asked;
    };
    std::shared_ptr<States> states_;
};

}  // namespace ostrelin::platform::printing::fake
