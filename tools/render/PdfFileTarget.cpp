#include "tools/render/PdfFileTarget.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/Error.h"
#include "platform/files/ErrorText.h"

namespace ostrelin::tools::render {

namespace {

namespace fs = std::filesystem;

constexpr const char* kPdfFolderVariable = "OSTRELIN_PDF_DIR";

}  // namespace

PdfFileTarget::PdfFileTarget(fs::path target) : target_(std::move(target)) {
    std::string pattern = (fs::temp_directory_path() / "ostrelin-render-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw Error("nelze vytvořit dočasnou složku pro PDF: " +
                    platform::files::FileErrorText(errno));
    }
    folder_ = pattern;
    if (const char* previous = std::getenv(kPdfFolderVariable)) {
        previousFolder_ = previous;
    }
    setenv(kPdfFolderVariable, folder_.c_str(), 1);
}

PdfFileTarget::~PdfFileTarget() {
    if (previousFolder_) {
        setenv(kPdfFolderVariable, previousFolder_->c_str(), 1);
    } else {
        unsetenv(kPdfFolderVariable);
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

bool PdfFileTarget::Collect() {
    std::vector<fs::path> printed;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
        if (entry.is_regular_file() && entry.path().extension() == ".pdf") {
            printed.push_back(entry.path());
        }
    }
    if (printed.empty()) {
        return false;
    }
    if (printed.size() > 1) {
        throw Error("úloha vytiskla víc než jeden dokument");
    }
    std::error_code error;
    fs::rename(printed.front(), target_, error);
    if (error) {
        // Across file systems a rename cannot work: copy instead.
        error.clear();
        fs::copy_file(printed.front(), target_, fs::copy_options::overwrite_existing, error);
    }
    if (error) {
        throw Error("soubor " + target_.string() +
                    " nelze zapsat: " + platform::files::FileErrorText(error.value()));
    }
    return true;
}

}  // namespace ostrelin::tools::render
