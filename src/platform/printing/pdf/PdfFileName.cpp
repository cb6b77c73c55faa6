#include "platform/printing/pdf/PdfFileName.h"

#include <cstdio>
#include <cstdlib>

#include "platform/Error.h"

namespace ostrelin::platform::printing::pdf {

std::filesystem::path PdfOutputFolder() {
    if (const char* folder = std::getenv("OSTRELIN_PDF_DIR"); folder != nullptr && *folder != 0) {
        return folder;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / "PDF";
}

std::string PdfFileStem(const std::string& documentName, const std::tm& when) {
    std::string stem = documentName;
    for (char& c : stem) {
        if (c == '/' || c == '\0') {
            c = '-';
        }
    }
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &when);
    return stem.empty() ? std::string(stamp) : stem + " " + stamp;
}

std::filesystem::path CreateNewPdfFile(const std::filesystem::path& folder,
                                       const std::string& stem) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string name =
            attempt == 1 ? stem + ".pdf" : stem + " (" + std::to_string(attempt) + ").pdf";
        const std::filesystem::path path = folder / name;
        // Exclusive creation: an existing file with this name is left alone.
        if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
            std::fclose(file);
            return path;
        }
        if (!std::filesystem::exists(path)) {
            break;
        }
    }
    throw Error("Cannot create a PDF file in " + folder.string());
}

}  // namespace ostrelin::platform::printing::pdf
