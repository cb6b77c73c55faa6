#include "platform/printing/fake/FakePrintingSystem.h"

#include <cmath>

#include "platform/Error.h"
#include "platform/printing/PaperCodes.h"

namespace ostrelin::platform::printing::fake {

namespace {

// Tenths of a millimetre (or hundredths, with `perInch` 2540) to device pixels.
int ToPixels(double length, double perInch, int dpi) {
    return static_cast<int>(std::lround(length / perInch * dpi));
}

class FakeDeviceContext final : public DeviceContext {
  public:
    FakeDeviceContext(std::shared_ptr<FakePrintLog> log, const FakePrinterSetup& setup,
                      canvas::Point pageSize, const DeviceMode& mode)
        : log_(std::move(log)),
          document_(nullptr),
          keepsPages_(setup.KeepsPages),
          pageSize_(pageSize),
          dpi_(setup.Dpi) {
        auto document = std::make_unique<FakeDocument>();
        document->Printer = setup.Name;
        document->ModeAtCreateDC = mode;
        document_ = document.get();
        log_->Documents.push_back(std::move(document));
    }

    void SetAbortProc(std::function<void()> proc) override { abortProc_ = std::move(proc); }

    void StartDoc(const std::string& documentName) override {
        log_->Calls.push_back("StartDoc " + documentName);
        document_->Name = documentName;
    }
    void StartPage() override {
        log_->Calls.push_back("StartPage");
        document_->Pages.push_back(NewPage());
    }
    void EndPage() override {
        log_->Calls.push_back("EndPage");
        if (!keepsPages_ && !document_->Pages.empty()) {
            document_->Pages.back() = NewPage();
        }
    }
    // Sending the document takes a while, as on a real device.
    void EndDoc() override {
        if (abortProc_) {
            abortProc_();
        }
        log_->Calls.push_back("EndDoc");
        document_->Ended = true;
    }
    void AbortDoc() override {
        log_->Calls.push_back("AbortDoc");
        document_->Aborted = true;
    }
    void ResetDC(const DeviceMode& mode) override {
        log_->Calls.push_back("ResetDC");
        document_->Resets.push_back(mode);
    }
    canvas::Canvas& Canvas() override {
        if (document_->Pages.empty()) {
            throw Error("Fake printer: no page started");
        }
        return *document_->Pages.back();
    }

  private:
    std::unique_ptr<canvas::RecordingCanvas> NewPage() const {
        return std::make_unique<canvas::RecordingCanvas>(pageSize_.X, pageSize_.Y, dpi_.X, dpi_.Y);
    }

    std::shared_ptr<FakePrintLog> log_;
    FakeDocument* document_;
    bool keepsPages_;
    canvas::Point pageSize_;
    Resolution dpi_;
    std::function<void()> abortProc_;
};

class FakeDriver final : public PrinterDriver {
  public:
    FakeDriver(std::shared_ptr<FakePrintLog> log, FakePrinterSetup setup)
        : log_(std::move(log)), setup_(std::move(setup)) {}

    std::string Port() const override { return setup_.Port; }
    std::string DriverPath() const override { return setup_.DriverPath; }
    DeviceMode DefaultDeviceMode() const override {
        log_->Calls.push_back("DefaultDeviceMode " + setup_.Name);
        return setup_.Defaults;
    }
    std::vector<std::int16_t> Papers(const DeviceMode&) const override { return setup_.Papers; }
    Resolution LogPixels(const DeviceMode&) const override { return setup_.Dpi; }
    std::optional<canvas::Point> PrintingOffset(const DeviceMode&) const override {
        return setup_.PrintingOffset;
    }
    std::optional<canvas::Point> PhysicalPageSize(const DeviceMode& mode) const override {
        if (!setup_.AnswersPhysicalPageSize) {
            return std::nullopt;
        }
        return SheetPixels(mode);
    }
    std::unique_ptr<DeviceContext> CreateDC(const DeviceMode& mode) override {
        log_->Calls.push_back("CreateDC " + setup_.Name);
        if (!setup_.CanCreateDC) {
            return nullptr;
        }
        return std::make_unique<FakeDeviceContext>(log_, setup_, SheetPixels(mode), mode);
    }

  private:
    // The sheet the settings ask for, in device pixels as fed: the declared paper code, or the
    // driver's own paper when the code is not declared; landscape turns it.
    canvas::Point SheetPixels(const DeviceMode& mode) const {
        canvas::Point size;
        const int code =
            (mode.Fields & kFieldPaperSize) != 0 ? mode.PaperSize : setup_.Defaults.PaperSize;
        if (code == kPaperCodeCustom) {
            size = {ToPixels(mode.PaperWidth, 254.0, setup_.Dpi.X),
                    ToPixels(mode.PaperLength, 254.0, setup_.Dpi.Y)};
        } else if (const auto paper = PaperOfCode(code)) {
            size = {ToPixels(paper->Width, 2540.0, setup_.Dpi.X),
                    ToPixels(paper->Length, 2540.0, setup_.Dpi.Y)};
        }
        const bool landscape = (mode.Fields & kFieldOrientation) != 0
                                   ? mode.Orientation == kOrientationLandscape
                                   : setup_.Defaults.Orientation == kOrientationLandscape;
        return landscape ? canvas::Point{size.Y, size.X} : size;
    }

    std::shared_ptr<FakePrintLog> log_;
    FakePrinterSetup setup_;
};

}  // namespace

FakePrintingSystem::FakePrintingSystem(std::vector<FakePrinterSetup> printers,
                                       std::string defaultPrinter)
    : printers_(std::move(printers)),
      default_(std::move(defaultPrinter)),
      log_(std::make_shared<FakePrintLog>()),
      states_(std::make_shared<States>()) {}

FakePrintingSystem FakePrintingSystem::Named(const std::vector<std::string>& names,
                                             std::string defaultPrinter) {
    std::vector<FakePrinterSetup> printers;
    for (const std::string& name : names) {
        printers.push_back(FakePrinterSetup{.Name = name});
    }
    return FakePrintingSystem(std::move(printers), std::move(defaultPrinter));
}

std::vector<std::string> FakePrintingSystem::Printers() const {
    std::vector<std::string> names;
    for (const FakePrinterSetup& setup : printers_) {
        if (setup.Listed) {
            names.push_back(setup.Name);
        }
    }
    return names;
}

PrinterState FakePrintingSystem::StateOf(const std::string& device) const {
    std::function<void()> asked;
    {
        const std::scoped_lock guard(states_->Lock);
        asked = states_->Asked;
    }
    if (asked) {
        asked();
    }
    const std::string name = device.empty() ? default_ : device;
    const std::scoped_lock guard(states_->Lock);
    const auto set = states_->Set.find(name);
    return set != states_->Set.end() ? set->second : PrinterState{.Printer = name};
}

void FakePrintingSystem::SetState(const std::string& name, PrinterState state) {
    state.Printer = name;
    const std::scoped_lock guard(states_->Lock);
    states_->Set[name] = std::move(state);
}

void FakePrintingSystem::OnStateAsked(std::function<void()> hook) {
    const std::scoped_lock guard(states_->Lock);
    states_->Asked = std::move(hook);
}

std::unique_ptr<PrinterDriver> FakePrintingSystem::OpenDriver(const std::string& device) const {
    log_->Calls.push_back("OpenDriver " + device);
    for (const FakePrinterSetup& setup : printers_) {
        if (setup.Name == device) {
            return std::make_unique<FakeDriver>(log_, setup);
        }
    }
    return nullptr;
}

void FakePrintingSystem::BetweenPages() const {
    log_->Calls.push_back("BetweenPages");
}

std::vector<std::string> FakePrintingSystem::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> calls;
    for (const std::string& call : log_->Calls) {
        if (call.starts_with(prefix)) {
            calls.push_back(call);
        }
    }
    return calls;
}

}  // namespace ostrelin::platform::printing::fake
