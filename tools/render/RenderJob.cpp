#include "tools/render/RenderJob.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#include "decode/ByteStream.h"
#include "decode/ClassifyJob.h"
#include "decode/Cp1250.h"
#include "decode/DescriptionLine.h"
#include "decode/RasterJob.h"
#include "decode/TextJob.h"
#include "platform/Error.h"
#include "platform/files/posix/PosixFileSystem.h"
#include "platform/printing/SystemPrinting.h"
#include "print/PrinterChoice.h"
#include "print/TPrintQReport.h"
#include "tools/render/CapturingOutputs.h"
#include "tools/render/PdfFileTarget.h"

namespace ostrelin::tools::render {

namespace {

namespace fs = std::filesystem;

// No window shows a cursor in a command-line run.
class NoWaitCursor final : public print::WaitCursor {
  public:
    void ShowWait() override {}
    void RestoreDefault() override {}
};

std::string ReadJobFile(const std::string& path) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        throw Error("soubor úlohy " + path + " nelze přečíst: " +
                    (fs::exists(path, error) ? "není to obyčejný soubor" : "soubor neexistuje"));
    }
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad() || !file.is_open()) {
        throw Error("soubor úlohy " + path + " nelze přečíst");
    }
    return bytes;
}

// The printer choice's position of the printer named `name`: its place in the list plus 1.
int PrinterPosition(const platform::printing::PrintingSystem& printing, const std::string& name) {
    const std::vector<std::string> printers = printing.Printers();
    const auto found = std::find(printers.begin(), printers.end(), name);
    if (found == printers.end()) {
        std::string known;
        for (const std::string& printer : printers) {
            known += "\n  " + printer;
        }
        throw Error("tiskárna „" + name + "“ není nainstalována; nainstalované tiskárny:" + known);
    }
    return static_cast<int>(found - printers.begin()) + 1;
}

}  // namespace

void RenderJob(const RenderOptions& options, const platform::printing::PrintingSystem& printing,
               platform::richtext::TextMetrics& metrics, std::ostream& out, std::ostream& notes) {
    decode::ByteStream stream(ReadJobFile(options.Job));
    const decode::JobKind kind = decode::ClassifyJob(stream);
    const bool text = kind == decode::JobKind::Text;
    if (options.Rtf && !text) {
        throw Error("přepínač --rtf je jen pro textovou úlohu, ale " + options.Job +
                    " je rastrová úloha");
    }
    if (options.Pbm && text) {
        throw Error("přepínač --pbm je jen pro rastrovou úlohu, ale " + options.Job +
                    " je textová úloha");
    }
    if (options.Info) {
        const platform::files::PosixFileSystem files;
        out << "kind: " << (text ? "text" : "raster") << '\n'
            << "description: "
            << decode::Cp1250ToUtf8(decode::ReadDescriptionLine(files, options.Job)) << '\n';
        out.flush();
    }
    if (!options.Prints() && !options.Rtf && !options.Pbm) {
        return;
    }

    std::optional<print::HeldPrinterChoice> choice;
    std::optional<PdfFileTarget> pdf;
    if (options.Prints()) {
        const std::string printer =
            options.Printer ? *options.Printer : std::string(platform::printing::kPdfPrinterName);
        choice.emplace(PrinterPosition(printing, printer));
        if (options.Output) {
            pdf.emplace(*options.Output);
        }
    } else {
        choice.emplace(0);
    }
    NoWaitCursor cursor;
    std::optional<print::TPrintQReport> form;
    if (options.Prints()) {
        form.emplace(printing, metrics, cursor);
    }
    print::TPrintQReport* printer = form ? &*form : nullptr;
    if (text) {
        CapturingRichTextOutput output(options.Rtf, printer);
        decode::DecodeTextJob(stream, *choice, output);
    } else {
        CapturingBitmapOutput output(options.Pbm, printer);
        decode::DecodeRasterJob(stream, *choice, output);
    }
    if (pdf && !pdf->Collect()) {
        notes << "ostrelin-render: úloha nevytiskla žádnou stránku, soubor " << *options.Output
              << " proto nevznikl\n";
    }
}

}  // namespace ostrelin::tools::render
