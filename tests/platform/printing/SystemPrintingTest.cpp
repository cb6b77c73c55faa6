#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/printing/SystemPrinting.h"

namespace ostrelin::platform::printing {
namespace {

// Run with CUPS_SERVER naming a socket where no scheduler listens.
TEST(SystemPrintingWithoutCups, OnlyThePdfPrinterIsListedAndIsTheDefault) {
    const auto system = MakeSystemPrinting();
    EXPECT_EQ(system->Printers(), std::vector<std::string>{"Tisk do PDF"});
    EXPECT_EQ(system->DefaultPrinter(), "Tisk do PDF");
}

// Run under with-private-cups.sh: queues ostrelin_pdf (default) and ostrelin_alt.
TEST(SystemPrintingWithCups, QueuesComeInCupsOrderWithThePdfPrinterLast) {
    ASSERT_NE(std::getenv("OSTRELIN_CUPS_OUT"), nullptr) << "needs the private scheduler";
    const auto system = MakeSystemPrinting();
    EXPECT_EQ(system->Printers(),
              (std::vector<std::string>{"ostrelin_alt", "ostrelin_pdf", "Tisk do PDF"}));
    EXPECT_EQ(system->DefaultPrinter(), "ostrelin_pdf");
}

}  // namespace
}  // namespace ostrelin::platform::printing
