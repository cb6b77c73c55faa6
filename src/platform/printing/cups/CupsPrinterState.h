#pragma once

#include <chrono>
#include <string>

#include "platform/printing/PrinterState.h"

namespace ostrelin::platform::printing::cups {

// Asks the scheduler for the state of queue `name` ("queue" or "queue/instance"), or of its
// default destination for an empty name, on a connection of its own that gives up after
// `timeout`. Asked for the default, a scheduler without one gives an empty Printer.
PrinterState AskPrinterState(const std::string& name, std::chrono::milliseconds timeout);

}  // namespace ostrelin::platform::printing::cups
