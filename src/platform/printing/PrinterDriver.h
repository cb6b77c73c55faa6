#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas/Canvas.h"
#include "platform/printing/DeviceMode.h"

namespace ostrelin::platform::printing {

// Device pixels per inch.
struct Resolution {
    int X = 0;
    int Y = 0;
    friend bool operator==(const Resolution&, const Resolution&) = default;
};

// A device context for printing one document: pages are drawn on its canvas between StartPage
// and EndPage. Errors are thrown as ostrelin::Error.
class DeviceContext {
  public:
    virtual ~DeviceContext() = default;

    // Sets what runs while the device is busy with the document for some time (sending it to its
    // destination), so that the program can handle waiting events meanwhile.
    virtual void SetAbortProc(std::function<void()> proc) = 0;
    // Starts the print document named `documentName`.
    virtual void StartDoc(const std::string& documentName) = 0;
    // Begins a page; its canvas is Canvas() until EndPage.
    virtual void StartPage() = 0;
    // Ends the page being drawn.
    virtual void EndPage() = 0;
    // Ends the document and hands it to its destination.
    virtual void EndDoc() = 0;
    // Drops the document; nothing of it reaches the destination.
    virtual void AbortDoc() = 0;
    // Takes new device settings for the pages that follow.
    virtual void ResetDC(const DeviceMode& mode) = 0;
    // The canvas of the page being drawn.
    virtual canvas::Canvas& Canvas() = 0;
};

// The driver of one installed printer: what it can do with given device settings, and device
// contexts that print with them.
class PrinterDriver {
  public:
    virtual ~PrinterDriver() = default;

    // The port (destination) the printer prints to.
    virtual std::string Port() const = 0;
    // Path of the driver's file.
    virtual std::string DriverPath() const = 0;
    // The driver's own device settings, as a program gets them before changing anything.
    virtual DeviceMode DefaultDeviceMode() const = 0;
    // Paper codes of the papers the driver offers.
    virtual std::vector<std::int16_t> Papers(const DeviceMode& mode) const = 0;
    // Device pixels per inch with these settings.
    virtual Resolution LogPixels(const DeviceMode& mode) const = 0;
    // Unprintable left and top margin in device pixels; nothing when the driver cannot tell.
    virtual std::optional<canvas::Point> PrintingOffset(const DeviceMode& mode) const = 0;
    // Size of the physical sheet in device pixels as fed (orientation applied); nothing when
    // the driver cannot tell.
    virtual std::optional<canvas::Point> PhysicalPageSize(const DeviceMode& mode) const = 0;
    // A device context printing with `mode`; nullptr when the device cannot be opened.
    virtual std::unique_ptr<DeviceContext> CreateDC(const DeviceMode& mode) = 0;
};

}  // namespace ostrelin::platform::printing
