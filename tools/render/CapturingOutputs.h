#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "print/BitmapOutput.h"
#include "print/RichTextOutput.h"

namespace ostrelin::tools::render {

// Stands where the report form stands for a text job: writes the composed document into an RTF
// file when one is asked for, then passes the job on to the report form when it is to be
// printed.
class CapturingRichTextOutput final : public print::RichTextOutput {
  public:
    // `rtfFile`: where the document goes, if anywhere; `printer`: the output that prints, or
    // null when the job is not printed.
    CapturingRichTextOutput(std::optional<std::filesystem::path> rtfFile,
                            print::RichTextOutput* printer)
        : rtfFile_(std::move(rtfFile)), printer_(printer) {}

    bool PrintRichTextJob(print::TPrintJob& job, std::string_view rtf) override;

  private:
    std::optional<std::filesystem::path> rtfFile_;
    print::RichTextOutput* printer_;
};

// Stands where the report form stands for a raster job: writes the decoded picture into a PBM
// file when one is asked for, then passes the job on to the report form when it is to be
// printed.
class CapturingBitmapOutput final : public print::BitmapOutput {
  public:
    CapturingBitmapOutput(std::optional<std::filesystem::path> pbmFile,
                          print::BitmapOutput* printer)
        : pbmFile_(std::move(pbmFile)), printer_(printer) {}

    bool PrintBitmapJob(print::TPrintJob& job, const print::RasterBitmap& bitmap) override;

  private:
    std::optional<std::filesystem::path> pbmFile_;
    print::BitmapOutput* printer_;
};

}  // namespace ostrelin::tools::render
