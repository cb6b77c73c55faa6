#pragma once

#include <QDialog>
#include <QImage>

#include "platform/printing/preview/PreviewPrinting.h"

class QLabel;
class QScrollArea;
class QToolButton;

namespace ostrelin::app {

// "Náhled": the pages of one job, one at a time, with the previous and next page and fitting the
// page to the window; unfitted, a page shows at the screen's resolution, its real size. The
// dialog keeps its own pages, so the queue may change and the job may print meanwhile.
class TPreviewDlg final : public QDialog {
    Q_OBJECT

  public:
    // A dialog showing `pages` (at least one) from the first.
    explicit TPreviewDlg(platform::printing::preview::PreviewPages pages,
                         QWidget* parent = nullptr);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // The page shown, from 0.
    int PageIndex() const { return pageIndex_; }
    // The picture of the page shown, at the screen's resolution.
    const QImage& PageImage() const { return pageImage_; }
    bool FitToWindow() const { return fitToWindow_; }

    void PreviousPage();
    void NextPage();
    void SetFitToWindow(bool fit);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowPage(int index);
    void ShowPicture();

    platform::printing::preview::PreviewPages pages_;
    int pageIndex_ = 0;
    QImage pageImage_;
    bool fitToWindow_ = true;

    QToolButton* previous_ = nullptr;
    QToolButton* next_ = nullptr;
    QToolButton* fit_ = nullptr;
    QLabel* pageText_ = nullptr;
    QScrollArea* area_ = nullptr;
    QLabel* picture_ = nullptr;
};

}  // namespace ostrelin::app
