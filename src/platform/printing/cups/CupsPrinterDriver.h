#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/printing/PrinterDriver.h"

namespace ostrelin::platform::printing::cups {

// The names of the temporary files a document is written into before it is submitted.
inline constexpr std::string_view kJobFilePattern = "ostrelin-job-*.pdf";

// The driver of CUPS destination `name`: its capabilities read over IPP when opened, each document
// drawn into a PDF and submitted as one job when it ends. Throws ostrelin::Error naming the
// printer when the scheduler does not answer or does not know `name`.
std::unique_ptr<PrinterDriver> MakeCupsPrinterDriver(const std::string& name);

}  // namespace ostrelin::platform::printing::cups
