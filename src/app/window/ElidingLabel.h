#pragma once

#include <QLabel>
#include <QString>

class QFontMetrics;

namespace ostrelin::app {

// `text` shortened to `width` pixels: first `middle` (a part of `text`, such as a folder) loses
// its middle, down to a few characters at each end, then the whole loses its end. Each cut is
// shown by an ellipsis. Unchanged when it fits.
QString ElideToWidth(const QFontMetrics& metrics, const QString& text, const QString& middle,
                     int width);

// A one-line label that shows as much of its text as fits its width, shortened by ElideToWidth,
// with the whole text as its tool tip. It asks for its text's width but
// gives way to its neighbours down to an ellipsis.
class ElidingLabel : public QLabel {
    Q_OBJECT

  public:
    explicit ElidingLabel(QWidget* parent = nullptr);

    // Shows `text`; `middle`, a part of it, is the part shortened first.
    void SetText(const QString& text, const QString& middle = {});
    // What the label shows on the screen now, ellipses included.
    QString VisibleText() const;

    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString middle_;
};

}  // namespace ostrelin::app
