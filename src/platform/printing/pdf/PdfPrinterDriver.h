#pragma once

#include <memory>

#include "platform/printing/PrinterDriver.h"

namespace ostrelin::platform::printing::pdf {

// Resolution of the built-in PDF printer: a multiple of 72, so that whole point sizes land on
// whole device pixels.
inline constexpr int kPdfPrinterDpi = 720;

// The driver of the built-in printer "Tisk do PDF": every paper of the paper table, portrait or
// landscape, one copy, no unprintable margin. Each document becomes a PDF file named after the
// document and the time it was started, in PdfOutputFolder(); no existing file is overwritten.
std::unique_ptr<PrinterDriver> MakePdfPrinterDriver();

}  // namespace ostrelin::platform::printing::pdf
