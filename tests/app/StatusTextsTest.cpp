#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <vector>

#include "app/window/ElidingLabel.h"
#include "app/window/StatusTexts.h"

namespace ostrelin::app {
namespace {

TEST(StatusTextsTest, TheHomeFolderIsWrittenAsTilde) {
    struct Case {
        const char* Folder;
        const char* Home;
        const char* Shown;
    };
    const std::vector<Case> cases = {
        {"/home/eva/PDF", "/home/eva", "~/PDF"},
        {"/home/eva", "/home/eva/", "~"},
        {"/home/evalda/PDF", "/home/eva", "/home/evalda/PDF"},
        {"/srv/PDF", "/home/eva", "/srv/PDF"},
        {"/tmp/PDF", "/", "/tmp/PDF"},
        {"/tmp/PDF", "", "/tmp/PDF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HomeAsTilde(QString::fromUtf8(c.Folder), QString::fromUtf8(c.Home)),
                  QString::fromUtf8(c.Shown))
            << c.Folder << " with home " << c.Home;
    }
}

// The tip begins with the program's name and stays within the limit; a folder loses its middle,
// never its end, before anything else is cut.
TEST(StatusTextsTest, TheTrayTipNamesTheProgramAndShortensTheFolderInItsMiddle) {
    const QString name = QStringLiteral("Tarvok Calc Ostrelin");
    const QString prefix = QStringLiteral("Tiskárna „Tisk do PDF“: ukládá do ");
    const QString folder = QStringLiteral("/srv/tisk/oddeleni/fakturace/2026/PDF");
    const QString tip = TrayTip(name, prefix + folder, folder, 63);
    EXPECT_LE(tip.size(), 63);
    EXPECT_TRUE(tip.startsWith(name + QStringLiteral(" – ") + prefix)) << tip.toStdString();
    EXPECT_TRUE(tip.endsWith(QStringLiteral("/PDF"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral("…"))) << tip.toStdString();
    const QString wider =
        TrayTip(name, QStringLiteral("Tiskárna „PDF“: ukládá do ") + folder, folder, 63);
    EXPECT_EQ(wider,
              QStringLiteral("Tarvok Calc Ostrelin – Tiskárna „PDF“: ukládá do /srv/ti…26/PDF"))
        << "the folder's middle goes";

    EXPECT_EQ(TrayTip(name, QStringLiteral("Tiskárna „Laser“: tiskne"), {}, 63),
              QStringLiteral("Tarvok Calc Ostrelin – Tiskárna „Laser“: tiskne"));
    const QString longState = QStringLiteral(
        "Tiskárna „Laser“: zastavena – nepřijímá úlohy, došel papír, jsou otevřená dvířka");
    const QString cut = TrayTip(name, longState, {}, 63);
    EXPECT_EQ(cut.size(), 63);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("…")));
    EXPECT_TRUE((name + QStringLiteral(" – ") + longState).startsWith(cut.chopped(1)));
}

// In the window a folder loses its middle first; what does not fit even so loses its end.
TEST(StatusTextsTest, TextsAreShortenedToTheirWidthKeepingTheFoldersEnd) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    const QString folder = QStringLiteral("~/Dokumenty/Tisk/2026/prosinec/PDF");
    const QString text = QStringLiteral("Tiskárna „Tisk do PDF“: ukládá do ") + folder;
    const int full = metrics.horizontalAdvance(text);

    EXPECT_EQ(ElideToWidth(metrics, text, folder, full), text) << "whole when it fits";
    const QString middle = ElideToWidth(metrics, text, folder, full - 60);
    EXPECT_LE(metrics.horizontalAdvance(middle), full - 60);
    EXPECT_TRUE(middle.startsWith(QStringLiteral("Tiskárna „Tisk do PDF“: ukládá do ~/")))
        << middle.toStdString();
    EXPECT_TRUE(middle.endsWith(QStringLiteral("PDF"))) << middle.toStdString();
    EXPECT_TRUE(middle.contains(QStringLiteral("…")));

    const int narrow = metrics.horizontalAdvance(QStringLiteral("Tiskárna „Tisk do PDF“"));
    const QString end = ElideToWidth(metrics, text, folder, narrow);
    EXPECT_LE(metrics.horizontalAdvance(end), narrow);
    EXPECT_TRUE(end.endsWith(QStringLiteral("…"))) << end.toStdString();
    EXPECT_TRUE(text.startsWith(end.chopped(1))) << end.toStdString();

    const QString plain = ElideToWidth(metrics, text, {}, full - 60);
    EXPECT_TRUE(plain.endsWith(QStringLiteral("…"))) << "no folder: cut at the end";
}

}  // namespace
}  // namespace ostrelin::app
