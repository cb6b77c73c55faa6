#include "platform/printing/pdf/PdfPrinterDriver.h"

#include <ctime>
#include <optional>

#include "platform/Error.h"
#include "platform/printing/PaperTableDriver.h"
#include "platform/printing/pdf/PdfFileName.h"
#include "platform/printing/pdf/PdfPageWriter.h"

namespace ostrelin::platform::printing::pdf {

namespace {

std::tm LocalTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

// One document being written into a hidden file that takes its PDF name when the document ends;
// the file is removed when it does not end.
class PdfDeviceContext final : public DeviceContext {
  public:
    explicit PdfDeviceContext(const DeviceMode& mode) : mode_(mode) {}

    ~PdfDeviceContext() override { Discard(); }

    // The file is written as the pages are drawn; ending it takes no time worth handing back.
    void SetAbortProc(std::function<void()>) override {}

    void StartDoc(const std::string& documentName) override {
        stem_ = PdfFileStem(documentName, LocalTimeNow());
        part_ = CreatePartFile(PdfOutputFolder(), stem_);
        writer_.emplace(part_->Path, documentName, Resolution{kPdfPrinterDpi, kPdfPrinterDpi});
    }

    void StartPage() override {
        if (!writer_) {
            throw Error("Tisk do PDF: dokument nebyl zahájen");
        }
        writer_->StartPage(PageSheet(mode_));
    }

    void EndPage() override {}

    void EndDoc() override {
        if (writer_) {
            writer_->Finish();
            writer_.reset();
            PublishPdfFile(part_->Path, stem_);
            part_.reset();
        }
    }

    void AbortDoc() override { Discard(); }

    void ResetDC(const DeviceMode& mode) override { mode_ = mode; }

    canvas::Canvas& Canvas() override {
        if (!writer_) {
            throw Error("Tisk do PDF: dokument nebyl zahájen");
        }
        return writer_->Canvas();
    }

  private:
    void Discard() {
        writer_.reset();
        if (part_) {
            std::error_code ignored;
            std::filesystem::remove(part_->Path, ignored);
            part_.reset();
        }
    }

    DeviceMode mode_;
    std::string stem_;
    std::optional<PartFile> part_;
    std::optional<PdfPageWriter> writer_;
};

class PdfPrinterDriver final : public PaperTableDriver {
  public:
    PdfPrinterDriver() : PaperTableDriver(kPdfPrinterDpi) {}

    std::string Port() const override { return PdfOutputFolder().string(); }
    std::string DriverPath() const override { return "/usr/lib/ostrelin/ostrelin-pdf"; }

    std::unique_ptr<DeviceContext> CreateDC(const DeviceMode& mode) override {
        return std::make_unique<PdfDeviceContext>(mode);
    }
};

}  // namespace

std::unique_ptr<PrinterDriver> MakePdfPrinterDriver() {
    return std::make_unique<PdfPrinterDriver>();
}

}  // namespace ostrelin::platform::printing::pdf
