#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/printing/PrinterDriver.h"
#include "platform/printing/PrinterState.h"

namespace ostrelin::platform::printing {

// The machine's printing system as the program sees it: the installed printers, which of them is
// the default, and their drivers. Implementations: the real system (SystemPrinting.h) and a fake
// with chosen printers and drivers (fake/FakePrintingSystem.h).
class PrintingSystem {
  public:
    virtual ~PrintingSystem() = default;

    // Names of the installed printers in the system's own order.
    virtual std::vector<std::string> Printers() const = 0;

    // False when Printers() may lack installed printers because the system could not be asked
    // when the list was read.
    virtual bool PrinterListComplete() const = 0;

    // Name of the system's default printer; empty when the system has none.
    virtual std::string DefaultPrinter() const = 0;

    // The driver of the installed printer named `device`; nullptr when there is no such printer.
    // Throws ostrelin::Error naming the printer when its printing system cannot be asked.
    virtual std::unique_ptr<PrinterDriver> OpenDriver(const std::string& device) const = 0;

    // The state of the printer named `device`, or of the system's current default printer for an
    // empty name. Answers within a few seconds whatever the printing system does, and may be
    // called from any thread.
    virtual PrinterState StateOf(const std::string& device) const = 0;

    // Called between the pages of a document and while a device sends it, so that the program
    // can handle waiting events while a long document prints.
    virtual void BetweenPages() const = 0;
};

}  // namespace ostrelin::platform::printing
