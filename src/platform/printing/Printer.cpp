#include "platform/printing/Printer.h"

#include <algorithm>

#include "platform/Error.h"

namespace ostrelin::platform::printing {

namespace {

constexpr std::size_t kDocumentNameLength = 31;

std::string FileNamePart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;  // continuation bytes belong to the character just counted
        }
    }
    return text.substr(0, end);
}

Printer::Printer(const PrintingSystem& system) : system_(system), printers_(system.Printers()) {}

Printer::~Printer() {
    if (printing_) {
        try {
            dc_->AbortDoc();
        } catch (const Error&) {
            // Nothing can be reported from here; the document is dropped either way.
        }
    }
}

void Printer::Select(const std::string& device) {
    if (device_ != device || !driver_) {
        driver_.reset();
        mode_.reset();
        device_.reset();
        driver_ = system_.OpenDriver(device);
    }
    device_ = device;
}

void Printer::SelectDefaultWhenUnselected() {
    if (device_) {
        return;
    }
    try {
        SetPrinterIndex(-1);
    } catch (const Error&) {
        for (const std::string& device : printers_) {
            try {
                Select(device);
                if (driver_) {
                    return;
                }
            } catch (const Error&) {
                // Not reachable either; the next one may be.
            }
        }
        device_.reset();
        throw;
    }
}

int Printer::PrinterIndex() {
    SelectDefaultWhenUnselected();
    const auto found = std::find(printers_.begin(), printers_.end(), *device_);
    return found == printers_.end() ? -1 : static_cast<int>(found - printers_.begin());
}

void Printer::SetPrinterIndex(int index) {
    if (printing_) {
        throw Error("Printing in progress");
    }
    if (index == -1) {
        const std::string name = system_.DefaultPrinter();
        if (name.empty()) {
            throw Error("There is no default printer currently selected");
        }
        Select(name);
        if (!driver_) {
            device_.reset();
            throw Error("There is no default printer currently selected");
        }
    } else if (index < 0 || index >= static_cast<int>(printers_.size())) {
        throw Error("Printer index out of range");
    } else {
        Select(printers_[static_cast<std::size_t>(index)]);
    }
}

PrinterDriver& Printer::Driver() {
    SelectDefaultWhenUnselected();
    if (!driver_) {
        throw Error("Printer selected is not valid");
    }
    return *driver_;
}

DeviceMode& Printer::Mode() {
    if (!mode_) {
        mode_ = std::make_shared<DeviceMode>(Driver().DefaultDeviceMode());
    }
    return *mode_;
}

PrinterNames Printer::GetPrinter(DeviceModeHandle& mode) {
    PrinterDriver& driver = Driver();
    Mode();
    mode = mode_;
    return {*device_, FileNamePart(driver.DriverPath()), driver.Port()};
}

void Printer::SetPrinter(const std::string& device, DeviceModeHandle mode) {
    if (printing_) {
        throw Error("Printing in progress");
    }
    if (device != device_ &&
        std::find(printers_.begin(), printers_.end(), device) == printers_.end()) {
        throw Error("Printer selected is not valid");
    }
    // Opened afresh, so that the driver hands out its settings as they are now.
    driver_.reset();
    Select(device);
    mode_ = std::move(mode);
}

std::string Printer::DriverPath() {
    return Driver().DriverPath();
}

Resolution Printer::LogPixels() {
    return Driver().LogPixels(Mode());
}

std::optional<canvas::Point> Printer::PrintingOffset() {
    return Driver().PrintingOffset(Mode());
}

std::optional<canvas::Point> Printer::PhysicalPageSize() {
    return Driver().PhysicalPageSize(Mode());
}

std::vector<std::int16_t> Printer::Papers() {
    return Driver().Papers(Mode());
}

void Printer::BeginDoc() {
    if (printing_) {
        throw Error("Printing in progress");
    }
    std::unique_ptr<DeviceContext> dc = Driver().CreateDC(Mode());
    if (!dc) {
        throw Error("Printer selected is not valid");
    }
    dc->SetAbortProc([&system = system_] { system.BetweenPages(); });
    dc->StartDoc(FirstCharacters(title_, kDocumentNameLength));
    dc_ = std::move(dc);
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    dc_->StartPage();
}

void Printer::NewPage() {
    if (!printing_) {
        throw Error("Printer is not currently printing");
    }
    dc_->EndPage();
    system_.BetweenPages();
    dc_->StartPage();
    ++pageNumber_;
}

void Printer::EndDocument() {
    // The printer is free again whatever the device context says about the last steps.
    printing_ = false;
    pageNumber_ = 0;
    const std::unique_ptr<DeviceContext> dc = std::move(dc_);
    const bool aborted = aborted_;
    aborted_ = false;
    dc->EndPage();
    if (!aborted) {
        dc->EndDoc();
    }
}

void Printer::EndDoc() {
    if (!printing_) {
        throw Error("Printer is not currently printing");
    }
    EndDocument();
}

void Printer::Abort() {
    if (!printing_) {
        throw Error("Printer is not currently printing");
    }
    dc_->AbortDoc();
    aborted_ = true;
    EndDocument();
}

void Printer::ResetDC() {
    if (dc_) {
        dc_->ResetDC(Mode());
    }
}

canvas::Canvas& Printer::Canvas() {
    if (!printing_) {
        throw Error("Printer is not currently printing");
    }
    return dc_->Canvas();
}

}  // namespace ostrelin::platform::printing
