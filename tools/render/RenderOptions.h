#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Error.h"

namespace ostrelin::tools::render {

// What ostrelin-render was asked to do.
struct RenderOptions {
    std::string Job;                     // the spool file
    std::optional<std::string> Output;   // -o: the PDF to write through "Tisk do PDF"
    std::optional<std::string> Printer;  // --printer: an installed printer to print on instead
    std::optional<std::string> Rtf;      // --rtf: the composed document of a text job
    std::optional<std::string> Pbm;      // --pbm: the decoded picture of a raster job
    bool Info = false;                   // --info: kind and description line on standard output
    bool Help = false;                   // --help

    // True when the job is to be printed: on the named printer, into the PDF given, or, when
    // nothing else was asked for, into the job's name with the extension .pdf.
    bool Prints() const { return Output || Printer || (!Rtf && !Pbm && !Info); }
};

// A command line that cannot be followed; the message says why.
class UsageError : public Error {
  public:
    using Error::Error;
};

// The options of the command line `arguments` (without the program name). Raises UsageError
// for an unknown option, a missing value, no job or more than one, or -o with --printer.
// Without -o and --printer a printing run writes the job's name with the extension .pdf.
RenderOptions ParseRenderOptions(const std::vector<std::string>& arguments);

// The help text.
std::string_view RenderUsage();

}  // namespace ostrelin::tools::render
