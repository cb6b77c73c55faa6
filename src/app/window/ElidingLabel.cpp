#include "app/window/ElidingLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace ostrelin::app {

namespace {

const QString kEllipsis = QStringLiteral("…");
// What stays of a shortened middle part at the least: its first and last characters.
constexpr int kKeptAtEachEnd = 4;

}  // namespace

QString ElideToWidth(const QFontMetrics& metrics, const QString& text, const QString& middle,
                     int width) {
    if (metrics.horizontalAdvance(text) <= width) {
        return text;
    }
    const qsizetype at = middle.isEmpty() ? -1 : text.indexOf(middle);
    if (at >= 0) {
        const QString before = text.left(at);
        const QString after = text.mid(at + middle.size());
        const int room = width - metrics.horizontalAdvance(before + after);
        const int least = metrics.horizontalAdvance(middle.left(kKeptAtEachEnd) + kEllipsis +
                                                    middle.right(kKeptAtEachEnd));
        if (room >= least) {
            return before + metrics.elidedText(middle, Qt::ElideMiddle, room) + after;
        }
        const QString shortest =
            before + middle.left(kKeptAtEachEnd) + kEllipsis + middle.right(kKeptAtEachEnd) + after;
        return metrics.elidedText(shortest, Qt::ElideRight, width);
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void ElidingLabel::SetText(const QString& text, const QString& middle) {
    middle_ = middle;
    setText(text);
    setToolTip(text);
    update();
}

QString ElidingLabel::VisibleText() const {
    return ElideToWidth(fontMetrics(), text(), middle_, contentsRect().width());
}

QSize ElidingLabel::minimumSizeHint() const {
    const QSize full = QLabel::minimumSizeHint();
    const int least = fontMetrics().horizontalAdvance(kEllipsis) + contentsMargins().left() +
                      contentsMargins().right();
    return {std::min(full.width(), least), full.height()};
}

void ElidingLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawText(contentsRect(), static_cast<int>(alignment()), VisibleText());
}

}  // namespace ostrelin::app
