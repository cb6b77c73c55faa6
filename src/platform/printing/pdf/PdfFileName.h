#pragma once

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::printing::pdf {

// The names of the part files CreatePartFile makes.
inline constexpr std::string_view kPartFilePattern = ".*.pdf.part";

// The folder the built-in PDF printer writes into: $OSTRELIN_PDF_DIR when set, else ~/PDF.
std::filesystem::path PdfOutputFolder();

// The file name, without extension, of a document printed at local time `when`: the document
// name and the time as "YYYY-MM-DD HH-MM-SS"; characters a file name cannot hold become '-'.
std::string PdfFileStem(const std::string& documentName, const std::tm& when);

// A document's file while it is written, and the lock its maker holds on it until it is done.
struct PartFile {
    std::filesystem::path Path;
    files::UniqueFd Lock;
};

// Creates a new empty hidden file ".<stem>.pdf.part" in `folder` (made when missing), or
// ".<stem> (2).pdf.part" and so on, for a document while it is written, so that a document left
// half-written by a crash never carries a PDF's name; it is locked from the moment it exists.
// Throws ostrelin::Error when no file can be created.
PartFile CreatePartFile(const std::filesystem::path& folder, const std::string& stem);

// Gives the finished document `part` its name in its own folder: "<stem>.pdf", or
// "<stem> (2).pdf" and so on when that name is taken, so that no existing file is ever
// overwritten; returns the new path. Throws ostrelin::Error when it cannot be renamed.
std::filesystem::path PublishPdfFile(const std::filesystem::path& part, const std::string& stem);

}  // namespace ostrelin::platform::printing::pdf
