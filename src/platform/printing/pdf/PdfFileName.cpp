#include "platform/printing/pdf/PdfFileName.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/Error.h"
#include "platform/files/ErrorText.h"
#include "platform/files/posix/FileLock.h"
#include "platform/files/posix/Rename.h"

namespace ostrelin::platform::printing::pdf {

namespace {

constexpr int kMaxAttempts = 1000;

// "<prefix><stem><extension>" for the first attempt, "<prefix><stem> (N)<extension>" for the Nth.
// Built front to back by appending: nothing is ever inserted before what is already there.
std::string NumberedName(std::string_view prefix, const std::string& stem, int attempt,
                         std::string_view extension) {
    std::string name(prefix);
    name += stem;
    if (attempt != 1) {
        name += " (";
        name += std::to_string(attempt);
        name += ')';
    }
    name += extension;
    return name;
}

// Renames `from` to `to` unless `to` exists; false when it does.
bool RenameUnlessTaken(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (files::RenameWithoutReplacing(from, to)) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    throw Error("Dokument nelze pojmenovat " + to.string() + ": " + files::FileErrorText(errno) +
                ".");
}

}  // namespace

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

PartFile CreatePartFile(const std::filesystem::path& folder, const std::string& stem) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    int cause = EEXIST;
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        std::filesystem::path path = folder / NumberedName(".", stem, attempt, ".pdf.part");
        // Exclusive creation: an existing file with this name is left alone.
        if (files::UniqueFd lock = files::CreateLockedFile(path)) {
            return PartFile{std::move(path), std::move(lock)};
        }
        cause = errno;
        if (cause != EEXIST) {
            break;
        }
    }
    throw Error("Dokument nelze zapsat do složky " + folder.string() + ": " +
                files::FileErrorText(cause) + ".");
}

std::filesystem::path PublishPdfFile(const std::filesystem::path& part, const std::string& stem) {
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const std::filesystem::path path =
            part.parent_path() / NumberedName("", stem, attempt, ".pdf");
        if (RenameUnlessTaken(part, path)) {
            return path;
        }
    }
    throw Error("Dokument nelze pojmenovat " + part.string() +
                ": všechna jména tohoto dokumentu jsou obsazena.");
}

}  // namespace ostrelin::platform::printing::pdf
