#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ostrelin::tools::render {

// Makes the documents of the built-in printer "Tisk do PDF" land in one chosen file. That printer
// names its files after the document and the time and never overwrites one, in the folder
// $OSTRELIN_PDF_DIR; while this object lives, that folder is a new private one, and Collect
// moves the document printed there to the chosen file. The folder goes, and the variable gets its
// earlier value back, when the object is destroyed.
class PdfFileTarget {
  public:
    // Raises ostrelin::Error when the private folder cannot be made.
    explicit PdfFileTarget(std::filesystem::path target);
    ~PdfFileTarget();
    PdfFileTarget(const PdfFileTarget&) = delete;
    PdfFileTarget& operator=(const PdfFileTarget&) = delete;

    // Moves the PDF printed into the private folder to the target, replacing any file there.
    // Returns false when nothing was printed; raises ostrelin::Error when the move fails.
    bool Collect();

  private:
    std::filesystem::path target_;
    std::filesystem::path folder_;
    std::optional<std::string> previousFolder_;
};

}  // namespace ostrelin::tools::render
