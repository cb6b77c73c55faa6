#include "app/window/TPreviewDlg.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "app/window/WindowFont.h"
#include "platform/canvas/qt/PageImage.h"

namespace ostrelin::app {

namespace {

// Room for an A4 page fitted at about two thirds of its real size on a common screen.
constexpr QSize kInitialSize(600, 820);

QToolButton* NewToolButton(QWidget* parent, const char* name, const QString& text,
                           QStyle::StandardPixmap icon, const QKeySequence& shortcut) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setShortcut(shortcut);
    return button;
}

}  // namespace

TPreviewDlg::TPreviewDlg(platform::printing::preview::PreviewPages pages, QWidget* parent)
    : QDialog(parent), pages_(std::move(pages)) {
    setObjectName(QStringLiteral("PreviewDlg"));
    setWindowTitle(QStringLiteral("Náhled"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QFont dialogFont = WindowFont();
    setFont(dialogFont);

    previous_ = NewToolButton(this, "PreviewPrevious", QStringLiteral("Předchozí stránka"),
                              QStyle::SP_ArrowBack, QKeySequence(Qt::Key_PageUp));
    next_ = NewToolButton(this, "PreviewNext", QStringLiteral("Další stránka"),
                          QStyle::SP_ArrowForward, QKeySequence(Qt::Key_PageDown));
    fit_ = NewToolButton(this, "PreviewFit", QStringLiteral("Přizpůsobit oknu"),
                         QStyle::SP_TitleBarMaxButton, QKeySequence(Qt::CTRL | Qt::Key_F));
    fit_->setCheckable(true);
    fit_->setChecked(fitToWindow_);
    pageText_ = new QLabel(this);
    pageText_->setObjectName(QStringLiteral("PreviewPageText"));
    auto* close = new QPushButton(QStringLiteral("&Zavřít"), this);
    close->setObjectName(QStringLiteral("PreviewClose"));
    close->setAutoDefault(false);
    connect(previous_, &QToolButton::clicked, this, &TPreviewDlg::PreviousPage);
    connect(next_, &QToolButton::clicked, this, &TPreviewDlg::NextPage);
    connect(fit_, &QToolButton::toggled, this, &TPreviewDlg::SetFitToWindow);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* commands = new QHBoxLayout;
    commands->addWidget(previous_);
    commands->addWidget(pageText_);
    commands->addWidget(next_);
    commands->addSpacing(12);
    commands->addWidget(fit_);
    commands->addStretch();
    commands->addWidget(close);

    picture_ = new QLabel;
    picture_->setObjectName(QStringLiteral("PreviewPage"));
    picture_->setAlignment(Qt::AlignCenter);
    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("PreviewArea"));
    area_->setAlignment(Qt::AlignCenter);
    area_->setBackgroundRole(QPalette::Dark);
    area_->setWidget(picture_);
    area_->setWidgetResizable(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(commands);
    layout->addWidget(area_, 1);

    QSize size = kInitialSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    resize(size);
    ShowPage(0);
}

void TPreviewDlg::PreviousPage() {
    ShowPage(pageIndex_ - 1);
}

void TPreviewDlg::NextPage() {
    ShowPage(pageIndex_ + 1);
}

void TPreviewDlg::SetFitToWindow(bool fit) {
    fitToWindow_ = fit;
    fit_->setChecked(fit);
    ShowPicture();
}

void TPreviewDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (fitToWindow_) {
        ShowPicture();
    }
}

void TPreviewDlg::ShowPage(int index) {
    if (index < 0 || index >= PageCount()) {
        return;
    }
    pageIndex_ = index;
    // Only the page shown is held as a picture; the others stay recordings, which are small.
    pageImage_ = platform::canvas::PageImage(pages_[static_cast<std::size_t>(index)]);
    pageText_->setText(QStringLiteral("Stránka %1 z %2").arg(index + 1).arg(PageCount()));
    previous_->setEnabled(index > 0);
    next_->setEnabled(index + 1 < PageCount());
    ShowPicture();
}

void TPreviewDlg::ShowPicture() {
    // A fitted page needs no scroll bars, and the room it fits into is the one without them.
    const Qt::ScrollBarPolicy bars = fitToWindow_ ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    area_->setHorizontalScrollBarPolicy(bars);
    area_->setVerticalScrollBarPolicy(bars);
    QImage shown = pageImage_;
    if (fitToWindow_) {
        const QSize room = area_->maximumViewportSize().expandedTo(QSize(1, 1));
        shown = pageImage_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    picture_->setPixmap(QPixmap::fromImage(shown));
    picture_->resize(shown.size());
}

}  // namespace ostrelin::app
