#pragma once

#include <string>
#include <vector>

namespace ostrelin::platform::printing {

// The machine's printing system as the program sees it: the installed printers and which of
// them is the default. Implementations: the real system (SystemPrinting.h) and a fake with a
// chosen printer list (fake/FakePrintingSystem.h).
class PrintingSystem {
  public:
    virtual ~PrintingSystem() = default;

    // Names of the installed printers in the system's own order.
    virtual std::vector<std::string> Printers() const = 0;

    // Name of the system's default printer; empty when the system has none.
    virtual std::string DefaultPrinter() const = 0;
};

}  // namespace ostrelin::platform::printing
