#pragma once

#include <string>
#include <vector>

#include "platform/printing/PrintingSystem.h"

namespace ostrelin::platform::printing::fake {

// A printing system with a printer list and default chosen by the test.
class FakePrintingSystem : public PrintingSystem {
  public:
    FakePrintingSystem(std::vector<std::string> printers, std::string defaultPrinter)
        : printers_(std::move(printers)), default_(std::move(defaultPrinter)) {}

    std::vector<std::string> Printers() const override { return printers_; }
    std::string DefaultPrinter() const override { return default_; }

  private:
    std::vector<std::string> printers_;
    std::string default_;
};

}  // namespace ostrelin::platform::printing::fake
