#include "platform/printing/pdf/PdfPrinterDriver.h"

#include <ctime>
#include <optional>

#include "platform/Error.h"
#include "platform/printing/PaperCodes.h"
#include "platform/printing/Sheet.h"
#include "platform/printing/pdf/PdfFileName.h"
#include "platform/printing/pdf/PdfPageWriter.h"

namespace ostrelin::platform::printing::pdf {

namespace {

constexpr std::int16_t kA4 = 9;

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
        writer_.emplace(*part_, documentName, Resolution{kPdfPrinterDpi, kPdfPrinterDpi});
    }

    void StartPage() override {
        if (!writer_) {
            throw Error("Tisk do PDF: dokument nebyl zahájen");
        }
        const auto sheet = SheetOfMode(mode_, kA4);
        writer_->StartPage(sheet.value_or(Sheet{21000, 29700, false}));
    }

    void EndPage() override {}

    void EndDoc() override {
        if (writer_) {
            writer_->Finish();
            writer_.reset();
            PublishPdfFile(*part_, stem_);
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
            std::filesystem::remove(*part_, ignored);
            part_.reset();
        }
    }

    DeviceMode mode_;
    std::string stem_;
    std::optional<std::filesystem::path> part_;
    std::optional<PdfPageWriter> writer_;
};

class PdfPrinterDriver final : public PrinterDriver {
  public:
    std::string Port() const override { return PdfOutputFolder().string(); }
    std::string DriverPath() const override { return "/usr/lib/ostrelin/ostrelin-pdf"; }

    DeviceMode DefaultDeviceMode() const override {
        DeviceMode mode;
        mode.Fields = kFieldOrientation | kFieldPaperSize;
        mode.PaperSize = kA4;
        mode.Orientation = kOrientationPortrait;
        return mode;
    }

    std::vector<std::int16_t> Papers(const DeviceMode&) const override {
        std::vector<std::int16_t> codes;
        for (const PaperCodeInfo& paper : PaperCodeTable()) {
            codes.push_back(paper.Code);
        }
        return codes;
    }

    Resolution LogPixels(const DeviceMode&) const override {
        return {kPdfPrinterDpi, kPdfPrinterDpi};
    }

    std::optional<canvas::Point> PrintingOffset(const DeviceMode&) const override {
        return canvas::Point{0, 0};
    }

    std::optional<canvas::Point> PhysicalPageSize(const DeviceMode& mode) const override {
        const auto sheet = SheetOfMode(mode, kA4);
        if (!sheet) {
            return std::nullopt;
        }
        const int width = HundredthsToPixels(sheet->Width, kPdfPrinterDpi);
        const int length = HundredthsToPixels(sheet->Length, kPdfPrinterDpi);
        return sheet->Landscape ? canvas::Point{length, width} : canvas::Point{width, length};
    }

    std::unique_ptr<DeviceContext> CreateDC(const DeviceMode& mode) override {
        return std::make_unique<PdfDeviceContext>(mode);
    }
};

}  // namespace

std::unique_ptr<PrinterDriver> MakePdfPrinterDriver() {
    return std::make_unique<PdfPrinterDriver>();
}

}  // namespace ostrelin::platform::printing::pdf
