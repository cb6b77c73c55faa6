#include "platform/printing/cups/CupsPrinterDriver.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/Error.h"
#include "platform/files/posix/FileLock.h"
#include "platform/printing/Sheet.h"
#include "platform/printing/cups/CupsCapabilities.h"
#include "platform/printing/cups/CupsJob.h"
#include "platform/printing/cups/CupsMapping.h"
#include "platform/printing/pdf/PdfFileName.h"
#include "platform/printing/pdf/PdfPageWriter.h"

namespace ostrelin::platform::printing::cups {

namespace {

// A new empty file in the temporary folder for a job's PDF, locked from the moment it exists
// until the job is done with it.
pdf::PartFile CreateJobFile() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "ostrelin-job-XXXXXX.pdf").string();
    files::UniqueFd lock{mkstemps(pattern.data(), 4)};
    if (!lock || !files::LockExclusively(lock.Get())) {
        throw Error("Nelze vytvořit dočasný soubor pro tiskovou úlohu ve složce " +
                    std::filesystem::temp_directory_path().string() + ".");
    }
    return pdf::PartFile{pattern, std::move(lock)};
}

// One document: pages go into a temporary PDF, which is submitted when the document ends and
// removed in any case.
class CupsDeviceContext final : public DeviceContext {
  public:
    CupsDeviceContext(std::string name, CupsCapabilities caps, const DeviceMode& mode)
        : name_(std::move(name)), caps_(std::move(caps)), mode_(mode) {}

    ~CupsDeviceContext() override { Discard(); }

    void SetAbortProc(std::function<void()> proc) override { abortProc_ = std::move(proc); }

    void StartDoc(const std::string& documentName) override {
        title_ = documentName;
        job_ = CreateJobFile();
        writer_.emplace(job_->Path, documentName, ResolutionOf(caps_));
    }

    void StartPage() override {
        if (!writer_) {
            throw Error("Printer is not currently printing");
        }
        const DeviceMode defaults = DefaultDeviceModeOf(caps_);
        writer_->StartPage(
            SheetOfMode(mode_, defaults.PaperSize).value_or(Sheet{21000, 29700, false}));
    }

    void EndPage() override {}

    void EndDoc() override {
        if (!writer_) {
            return;
        }
        if (abortProc_) {
            abortProc_();
        }
        writer_->Finish();
        writer_.reset();
        SubmitPdfJob(name_, title_, JobOptionsOf(caps_, mode_), job_->Path, abortProc_);
        Discard();
    }

    void AbortDoc() override { Discard(); }

    void ResetDC(const DeviceMode& mode) override { mode_ = mode; }

    canvas::Canvas& Canvas() override {
        if (!writer_) {
            throw Error("Printer is not currently printing");
        }
        return writer_->Canvas();
    }

  private:
    void Discard() {
        writer_.reset();
        if (job_) {
            std::error_code ignored;
            std::filesystem::remove(job_->Path, ignored);
            job_.reset();
        }
    }

    std::string name_;
    CupsCapabilities caps_;
    DeviceMode mode_;
    std::function<void()> abortProc_;
    std::string title_;
    std::optional<pdf::PartFile> job_;
    std::optional<pdf::PdfPageWriter> writer_;
};

class CupsPrinterDriver final : public PrinterDriver {
  public:
    CupsPrinterDriver(std::string name, CupsCapabilities caps)
        : name_(std::move(name)), caps_(std::move(caps)) {}

    std::string Port() const override { return caps_.DeviceUri; }
    std::string DriverPath() const override {
        return "/usr/lib/cups/" + (caps_.MakeAndModel.empty() ? name_ : caps_.MakeAndModel);
    }
    DeviceMode DefaultDeviceMode() const override { return DefaultDeviceModeOf(caps_); }
    std::vector<std::int16_t> Papers(const DeviceMode&) const override {
        return PaperCodesOf(caps_);
    }
    Resolution LogPixels(const DeviceMode&) const override { return ResolutionOf(caps_); }
    // The PDF a queue receives is placed by its own coordinates, whose origin is the sheet's
    // corner, whatever margins the printer cannot print on: the device has no printing offset.
    std::optional<canvas::Point> PrintingOffset(const DeviceMode&) const override {
        return canvas::Point{0, 0};
    }
    std::optional<canvas::Point> PhysicalPageSize(const DeviceMode& mode) const override {
        const auto sheet = SheetOfMode(mode, DefaultDeviceModeOf(caps_).PaperSize);
        if (!sheet) {
            return std::nullopt;
        }
        const Resolution dpi = ResolutionOf(caps_);
        const int width = HundredthsToPixels(sheet->Width, dpi.X);
        const int length = HundredthsToPixels(sheet->Length, dpi.Y);
        return sheet->Landscape ? canvas::Point{length, width} : canvas::Point{width, length};
    }
    std::unique_ptr<DeviceContext> CreateDC(const DeviceMode& mode) override {
        return std::make_unique<CupsDeviceContext>(name_, caps_, mode);
    }

  private:
    std::string name_;
    CupsCapabilities caps_;
};

}  // namespace

std::unique_ptr<PrinterDriver> MakeCupsPrinterDriver(const std::string& name) {
    return std::make_unique<CupsPrinterDriver>(name, ReadCupsCapabilities(name));
}

}  // namespace ostrelin::platform::printing::cups
