#include "tools/render/CapturingOutputs.h"

#include <fstream>
#include <functional>

#include "platform/Error.h"

namespace ostrelin::tools::render {

namespace {

// Writes a whole file through `write`; raises an error naming the file when that fails.
void WriteFile(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
        write(file);
        file.close();
    }
    if (!file) {
        throw Error("soubor " + path.string() + " nelze zapsat");
    }
}

}  // namespace

bool CapturingRichTextOutput::PrintRichTextJob(print::TPrintJob& job, std::string_view rtf) {
    if (rtfFile_) {
        WriteFile(*rtfFile_, [rtf](std::ostream& out) {
            out.write(rtf.data(), static_cast<std::streamsize>(rtf.size()));
        });
    }
    return printer_ == nullptr || printer_->PrintRichTextJob(job, rtf);
}

bool CapturingBitmapOutput::PrintBitmapJob(print::TPrintJob& job,
                                           const print::RasterBitmap& bitmap) {
    if (pbmFile_) {
        WriteFile(*pbmFile_, [&bitmap](std::ostream& out) { bitmap.WritePbm(out); });
    }
    return printer_ == nullptr || printer_->PrintBitmapJob(job, bitmap);
}

}  // namespace ostrelin::tools::render
