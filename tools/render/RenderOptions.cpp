#include "tools/render/RenderOptions.h"

#include <filesystem>

namespace ostrelin::tools::render {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: ostrelin-render JOB.QSF [-o OUT.pdf] [--printer NAME] [--rtf OUT.rtf] [--pbm OUT.pbm] [--info]

Decodes a spool file of the Ostrelin print spooler and prints it through the spooler's own report
form, exactly as the spooler prints it: a text job over as many A4 pages as it needs, a raster job
(a cutting plan) fitted on one A4 page.

  -o OUT.pdf       print on the built-in printer "Tisk do PDF" and write the document to OUT.pdf
                   (an existing file is replaced)
  --printer NAME   print on the installed printer NAME instead of writing a PDF
  --rtf OUT.rtf    write the composed document as RTF (text jobs only)
  --pbm OUT.pbm    write the decoded picture as a binary PBM (P4) image (raster jobs only; a job
                   without rows gives a 0 x 0 image)
  --info           print two lines: "kind: text" or "kind: raster", and "description: " followed
                   by the job's description line as the spooler's queue shows it
  -h, --help       show this help

Without -o, --printer, --rtf, --pbm and --info the job is printed into a PDF named after the job,
with the extension .pdf. Printing on "Tisk do PDF" by --printer writes into that printer's folder
($OSTRELIN_PDF_DIR, else ~/PDF).

Exit status: 0 when everything asked for was done, 1 when the job cannot be read, the printer is
unknown or printing fails, 2 for a wrong command line.
)";

}  // namespace

RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments) {
    RenderOptions options;
    std::vector<std::string> jobs;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= arguments.size()) {
                throw UsageError("option " + argument + " needs a value");
            }
            return arguments[++i];
        };
        if (argument == "-h" || argument == "--help") {
            options.Help = true;
        } else if (argument == "-o") {
            options.Output = value();
        } else if (argument == "--printer") {
            options.Printer = value();
        } else if (argument == "--rtf") {
            options.Rtf = value();
        } else if (argument == "--pbm") {
            options.Pbm = value();
        } else if (argument == "--info") {
            options.Info = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            throw UsageError("unknown option " + argument);
        } else {
            jobs.push_back(argument);
        }
    }
    if (options.Help) {
        return options;
    }
    if (jobs.size() != 1) {
        throw UsageError(jobs.empty() ? "no spool file given" : "more than one spool file given");
    }
    options.Job = jobs.front();
    if (options.Output && options.Printer) {
        throw UsageError("-o and --printer exclude each other");
    }
    if (options.Prints() && !options.Output && !options.Printer) {
        options.Output = std::filesystem::path(options.Job).replace_extension(".pdf").string();
    }
    return options;
}

std::string_view RenderUsage() {
    return kUsage;
}

}  // namespace ostrelin::tools::render
