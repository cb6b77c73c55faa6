#include "platform/printing/preview/PreviewPrinting.h"

#include <utility>

#include "platform/Error.h"
#include "platform/printing/PaperTableDriver.h"

namespace ostrelin::platform::printing::preview {

namespace {

// One document recorded page by page; its pages join the ended ones only when it ends.
class PreviewDeviceContext final : public DeviceContext {
  public:
    PreviewDeviceContext(const DeviceMode& mode, int dpi, std::shared_ptr<PreviewPages> ended)
        : mode_(mode), dpi_(dpi), ended_(std::move(ended)) {}

    // Nothing is sent anywhere, so there is nothing to wait for.
    void SetAbortProc(std::function<void()>) override {}

    void StartDoc(const std::string&) override {
        pages_.clear();
        started_ = true;
    }

    void StartPage() override {
        if (!started_) {
            throw Error("Náhled: dokument nebyl zahájen");
        }
        const canvas::Point size = SheetPixels(PageSheet(mode_), dpi_);
        pages_.emplace_back(size.X, size.Y, dpi_, dpi_);
    }

    void EndPage() override {}

    void EndDoc() override {
        for (canvas::RecordingCanvas& page : pages_) {
            ended_->push_back(std::move(page));
        }
        pages_.clear();
        started_ = false;
    }

    void AbortDoc() override {
        pages_.clear();
        started_ = false;
    }

    void ResetDC(const DeviceMode& mode) override { mode_ = mode; }

    canvas::Canvas& Canvas() override {
        if (pages_.empty()) {
            throw Error("Náhled: stránka nebyla zahájena");
        }
        return pages_.back();
    }

  private:
    DeviceMode mode_;
    int dpi_;
    std::shared_ptr<PreviewPages> ended_;
    PreviewPages pages_;
    bool started_ = false;
};

class PreviewPrinterDriver final : public PaperTableDriver {
  public:
    PreviewPrinterDriver(int dpi, std::shared_ptr<PreviewPages> ended)
        : PaperTableDriver(dpi), ended_(std::move(ended)) {}

    std::string Port() const override { return std::string(kPreviewPrinterName); }
    std::string DriverPath() const override { return "/usr/lib/ostrelin/ostrelin-preview"; }

    std::unique_ptr<DeviceContext> CreateDC(const DeviceMode& mode) override {
        return std::make_unique<PreviewDeviceContext>(mode, Dpi(), ended_);
    }

  private:
    std::shared_ptr<PreviewPages> ended_;
};

}  // namespace

PreviewPrinting::PreviewPrinting(int dpi) : dpi_(dpi), ended_(std::make_shared<PreviewPages>()) {}

std::vector<std::string> PreviewPrinting::Printers() const {
    return {std::string(kPreviewPrinterName)};
}

std::string PreviewPrinting::DefaultPrinter() const {
    return std::string(kPreviewPrinterName);
}

std::unique_ptr<PrinterDriver> PreviewPrinting::OpenDriver(const std::string& device) const {
    if (device != kPreviewPrinterName) {
        return nullptr;
    }
    return std::make_unique<PreviewPrinterDriver>(dpi_, ended_);
}

PreviewPages PreviewPrinting::TakePages() {
    return std::exchange(*ended_, {});
}

}  // namespace ostrelin::platform::printing::preview
