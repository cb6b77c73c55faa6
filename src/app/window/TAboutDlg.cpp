#include "app/window/TAboutDlg.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/window/WindowFont.h"

namespace ostrelin::app {

namespace {

QLabel* CentredLine(QWidget* parent, const QString& text) {
    auto* line = new QLabel(text, parent);
    line->setAlignment(Qt::AlignHCenter);
    return line;
}

}  // namespace

TAboutDlg::TAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(QStringLiteral("O programu"));
    const QFont dialogFont = WindowFont();
    setFont(dialogFont);
    setFixedSize(279, 172);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/ostrelin.png")).pixmap(32, 32));
    icon->setFixedSize(32, 32);

    QFont large = font();
    large.setBold(true);
    large.setPixelSize(21);
    auto* title = new QWidget(this);
    auto* titleLines = new QVBoxLayout(title);
    titleLines->setContentsMargins(0, 0, 0, 0);
    titleLines->setSpacing(0);
    for (const QString& text : {QStringLiteral("Tarvok Calc"), QStringLiteral("Ostrelin")}) {
        QLabel* line = CentredLine(title, text);
        line->setFont(large);
        titleLines->addWidget(line);
    }
    auto* heading = new QHBoxLayout;
    heading->addWidget(icon, 0, Qt::AlignTop);
    heading->addWidget(title, 1);

    auto* panel = new QWidget(this);
    panel->setFixedHeight(41);
    auto* ok = new QPushButton(QStringLiteral("&OK"), panel);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setFixedSize(77, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* panelRow = new QHBoxLayout(panel);
    panelRow->addStretch();
    panelRow->addWidget(ok);
    panelRow->addStretch();

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 0);
    page->setSpacing(0);
    page->addLayout(heading);
    page->addSpacing(6);
    page->addWidget(
        CentredLine(this, QStringLiteral("tiskový spooler pro tisk z programu Tarvok Calc")));
    page->addWidget(CentredLine(this, QStringLiteral("v prostředí Windows")));
    page->addWidget(CentredLine(this, QStringLiteral("verze 1.0.4 cz")));
    page->addWidget(CentredLine(this, QStringLiteral("© Veldane, autoři programu Tarvok Calc")));
    page->addStretch();
    page->addWidget(panel);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

}  // namespace ostrelin::app
