#pragma once

#include <QPainter>
#include <QPdfWriter>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/canvas/qt/QtPainterCanvas.h"
#include "platform/printing/PrinterDriver.h"
#include "platform/printing/Sheet.h"
#include "platform/printing/pdf/OutputFile.h"

namespace ostrelin::platform::printing::pdf {

// Writes pages drawn on a canvas into one PDF file at a device resolution, which may differ across
// and down the page. Each page has its own sheet, so portrait and landscape pages can follow each
// other. The canvas's origin is the sheet's top-left corner.
class PdfPageWriter {
  public:
    PdfPageWriter(const std::filesystem::path& path, const std::string& title, Resolution dpi);
    // Ends an unfinished file (the caller decides whether to keep it).
    ~PdfPageWriter();
    PdfPageWriter(const PdfPageWriter&) = delete;
    PdfPageWriter& operator=(const PdfPageWriter&) = delete;

    // Begins a new page on `sheet`; its canvas is Canvas() until the next page or Finish.
    void StartPage(const Sheet& sheet);
    // The canvas of the current page, in device pixels from the sheet's top-left corner.
    canvas::Canvas& Canvas();
    // Completes the file and writes it out to the disk. Throws ostrelin::Error naming the folder
    // and the cause when any of it could not be written.
    void Finish();
    // Number of pages begun.
    int PageCount() const { return pages_; }

  private:
    OutputFile file_;
    QPdfWriter writer_;
    // Owned through a pointer so that a painter Qt cannot end can be given up (see the destructor).
    std::unique_ptr<QPainter> painter_ = std::make_unique<QPainter>();
    std::optional<canvas::QtPainterCanvas> canvas_;
    std::filesystem::path path_;
    Resolution dpi_;
    int pages_ = 0;
};

}  // namespace ostrelin::platform::printing::pdf
