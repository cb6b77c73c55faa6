#include "platform/printing/pdf/PdfPageWriter.h"

#include <QPageLayout>
#include <QPageSize>

#include "platform/Error.h"

namespace ostrelin::platform::printing::pdf {

namespace {

QPageLayout LayoutOf(const Sheet& sheet) {
    const QPageSize size(QSizeF(sheet.Width / 100.0, sheet.Length / 100.0), QPageSize::Millimeter,
                         QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, sheet.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

}  // namespace

PdfPageWriter::PdfPageWriter(const std::filesystem::path& path, const std::string& title,
                             Resolution dpi)
    : file_(path), writer_(&file_), path_(path), dpi_(dpi) {
    // The writer has one resolution; the canvas scales the vertical one onto it.
    writer_.setResolution(dpi.X);
    writer_.setTitle(QString::fromStdString(title));
    writer_.setCreator(QStringLiteral("Ostrelin"));
}

// A document that was not finished is being thrown away. Ending it still makes Qt write its
// last page, which can fail for want of memory, and nothing may leave a destructor. Qt leaves a
// painter whose end failed active, and its own destructor would try again and fail the same way,
// ending the program: such a painter is given up instead, a few bytes lost where memory has run
// out.
PdfPageWriter::~PdfPageWriter() {
    canvas_.reset();
    if (!painter_->isActive()) {
        return;
    }
    try {
        painter_->end();
    } catch (...) {
        static_cast<void>(painter_.release());
    }
}

void PdfPageWriter::StartPage(const Sheet& sheet) {
    writer_.setPageLayout(LayoutOf(sheet));
    if (pages_ == 0) {
        if (!painter_->begin(&writer_)) {
            throw Error("Dokument nelze zapsat do souboru " + path_.string() + ".");
        }
        canvas_.emplace(*painter_, dpi_.X, dpi_.Y);
    } else {
        writer_.newPage();
        // A new page starts with no clip and the painter's defaults.
        painter_->setClipping(false);
    }
    ++pages_;
}

canvas::Canvas& PdfPageWriter::Canvas() {
    if (!canvas_) {
        throw Error("Stránka PDF nebyla zahájena");
    }
    return *canvas_;
}

void PdfPageWriter::Finish() {
    if (painter_->isActive() && !painter_->end()) {
        throw Error("Dokument nelze zapsat do souboru " + path_.string() + ".");
    }
    file_.Commit();
}

}  // namespace ostrelin::platform::printing::pdf
