#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "platform/printing/PrintingSystem.h"

namespace ostrelin::platform::printing {

// The built-in printer that writes each document as a PDF file into a folder.
inline constexpr std::string_view kPdfPrinterName = "Tisk do PDF";

// The machine's real printing system: the CUPS destinations in the order libcups lists them,
// followed by the built-in PDF printer, which is always present and is the default printer
// when CUPS names none. The list of printers is read once, when the system is made; printers
// installed later appear after a restart, but the default printer is always the current one.
// `betweenPages` runs between the pages of every document (the program handles waiting events
// there); it may be empty.
std::unique_ptr<PrintingSystem> MakeSystemPrinting(std::function<void()> betweenPages = {});

// Removes the documents that runs which ended while printing left half-written: the built-in
// printer's hidden part files and the CUPS device's temporaries that no process holds (a document
// is locked by its maker from the moment its file exists until it is done), whatever their age.
void RemoveAbandonedDocuments();

}  // namespace ostrelin::platform::printing
