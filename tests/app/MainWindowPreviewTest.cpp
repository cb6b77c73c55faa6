// The command "Náhled..." of the main window: the current entry's pages in a window of their own,
// made from the file's bytes without taking the job from the queue.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/MainWindowFixture.h"
#include "app/window/TPreviewDlg.h"

namespace ostrelin::app {
namespace {

namespace fs = std::filesystem;

std::string Example(const char* name) {
    std::ifstream file(fs::path(OSTRELIN_SOURCE_DIR) / "examples" / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class MainWindowPreviewTest : public MainWindowTest {
  protected:
    // The preview windows open now; closed ones are gone.
    static std::vector<TPreviewDlg*> Previews() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<TPreviewDlg*> open;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<TPreviewDlg*>(widget)) {
                open.push_back(preview);
            }
        }
        return open;
    }
    static QString PageText(const TPreviewDlg& preview) {
        return preview.findChild<QLabel*>(QStringLiteral("PreviewPageText"))->text();
    }
    static QToolButton* Button(const TPreviewDlg& preview, const char* name) {
        return preview.findChild<QToolButton*>(QString::fromLatin1(name));
    }
    // The window with the example letter as the only entry, and the one preview of it opened
    // from the window; null when not exactly one opened.
    TPreviewDlg* PreviewOfTheLetter() {
        spool.Write("DOPIS.QSF", Example("DOPIS.QSF"));
        Create();
        Select(0);
        window->DocumentPreview();
        const std::vector<TPreviewDlg*> open = Previews();
        return open.size() == 1 ? open[0] : nullptr;
    }
    // The row of the entry listed as `name`.
    int RowOf(const QString& name) const {
        for (int row = 0; row < List()->model()->rowCount(); ++row) {
            if (Cell(row, 0) == name) {
                return row;
            }
        }
        return -1;
    }
    // The names of the files in the spool directory.
    std::vector<std::string> SpoolNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(spool.Path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(MainWindowPreviewTest, CommandStandsInTheDocumentMenuAndTheListMenu) {
    Create();
    const QAction* menuItem = Find<QAction>("MenuDocumentPreview");
    const QAction* listItem = Find<QAction>("PUMenuDocumentPreview");
    ASSERT_NE(menuItem, nullptr);
    ASSERT_NE(listItem, nullptr);
    EXPECT_TRUE(Find<QMenu>("MenuDocument")->actions().contains(menuItem));
    EXPECT_TRUE(Find<QMenu>("PUMenu")->actions().contains(listItem));
    EXPECT_FALSE(Find<QMenu>("MenuDocument")->actions().contains(listItem));
}

TEST_F(MainWindowPreviewTest, ShowsTheJobsPagesAndLeavesTheJobWaitingInTheQueue) {
    const std::string letter = Example("DOPIS.QSF");
    spool.Write("DOPIS.QSF", letter);
    Create();
    window->DocumentPreview();
    EXPECT_TRUE(Previews().empty()) << "no current entry, no preview";
    Select(0);
    Find<QAction>("MenuDocumentPreview")->trigger();

    ASSERT_EQ(Previews().size(), 1u);
    const TPreviewDlg& preview = *Previews()[0];
    EXPECT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.windowTitle(), "Náhled");
    EXPECT_EQ(preview.PageCount(), 3);
    EXPECT_EQ(PageText(preview), "Stránka 1 z 3");
    EXPECT_EQ(preview.PageImage().size(), QSize(794, 1123));
    EXPECT_TRUE(errors.Messages().empty());
    EXPECT_TRUE(jobs.Jobs.empty()) << "nothing printed";
    EXPECT_EQ(SpoolNames(), std::vector<std::string>{"DOPIS.QSF"}) << "not claimed";
    EXPECT_EQ(spool.Read("DOPIS.QSF"), letter);
    EXPECT_EQ(Cell(0, 2), "Čeká");
    EXPECT_EQ(window->Queue().Count(), 1u);

    Find<QAction>("PUMenuDocumentPreview")->trigger();
    ASSERT_EQ(Previews().size(), 2u) << "the list's menu opens one more";
    Previews()[0]->findChild<QPushButton*>(QStringLiteral("PreviewClose"))->click();
    EXPECT_EQ(Previews().size(), 1u) << "a closed preview is gone";
    Previews()[0]->reject();
    EXPECT_TRUE(Previews().empty()) << "rejected, as by Esc, it is gone too";
    EXPECT_EQ(spool.Read("DOPIS.QSF"), letter);
}

TEST_F(MainWindowPreviewTest, KeepsWorkingWhileTheQueueIsRescannedAndTheJobPrints) {
    TPreviewDlg* const shown = PreviewOfTheLetter();
    ASSERT_NE(shown, nullptr);
    TPreviewDlg& preview = *shown;

    window->RefreshQueue();
    Period();
    ASSERT_EQ(jobs.Jobs.size(), 1u) << "the job printed while it was looked at";
    EXPECT_FALSE(spool.Exists("DOPIS.QSF"));
    Period();
    EXPECT_EQ(window->Queue().Count(), 0u);

    const QImage first = preview.PageImage();
    Button(preview, "PreviewNext")->click();
    EXPECT_EQ(PageText(preview), "Stránka 2 z 3");
    EXPECT_NE(preview.PageImage(), first);
    EXPECT_TRUE(errors.Messages().empty());
}

TEST_F(MainWindowPreviewTest, ShowsAJobThatIsPrintingFromItsClaimedFile) {
    spool.Write("DOPIS.QSF", Example("DOPIS.QSF"));
    Create();
    Select(0);
    // While a job prints, the window still answers the user (the printing system lets events
    // through), and the file has been taken away under its claim name.
    std::vector<std::string> namesWhilePrinting;
    jobs.OnJob = [&] {
        namesWhilePrinting = SpoolNames();
        window->DocumentPreview();
    };
    window->RefreshQueue();
    Period();
    ASSERT_EQ(jobs.Jobs.size(), 1u);
    ASSERT_EQ(namesWhilePrinting.size(), 1u);
    EXPECT_NE(namesWhilePrinting[0], "DOPIS.QSF") << "claimed while it prints";
    EXPECT_TRUE(errors.Messages().empty()) << errors.Messages().front();
    const std::vector<TPreviewDlg*> open = Previews();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(PageText(*open[0]), "Stránka 1 z 3");
}

TEST_F(MainWindowPreviewTest, TurnsPagesAndFitsThePageToTheWindowOrShowsItsRealSize) {
    TPreviewDlg* const shown = PreviewOfTheLetter();
    ASSERT_NE(shown, nullptr);
    TPreviewDlg& preview = *shown;
    QToolButton* previous = Button(preview, "PreviewPrevious");
    QToolButton* next = Button(preview, "PreviewNext");
    QToolButton* fit = Button(preview, "PreviewFit");
    EXPECT_EQ(previous->toolTip(), "Předchozí stránka");
    EXPECT_EQ(next->toolTip(), "Další stránka");
    EXPECT_EQ(fit->toolTip(), "Přizpůsobit oknu");

    EXPECT_FALSE(previous->isEnabled());
    EXPECT_TRUE(next->isEnabled());
    const QImage page1 = preview.PageImage();
    next->click();
    next->click();
    EXPECT_EQ(PageText(preview), "Stránka 3 z 3");
    EXPECT_FALSE(next->isEnabled());
    preview.NextPage();
    EXPECT_EQ(PageText(preview), "Stránka 3 z 3") << "there is no fourth page";
    previous->click();
    previous->click();
    EXPECT_EQ(PageText(preview), "Stránka 1 z 3");
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_EQ(preview.PageImage(), page1);

    const auto* area = preview.findChild<QScrollArea*>(QStringLiteral("PreviewArea"));
    const auto* picture = preview.findChild<QLabel*>(QStringLiteral("PreviewPage"));
    ASSERT_TRUE(fit->isChecked());
    const QSize room = area->maximumViewportSize();
    const QSize fitted = picture->pixmap().size();
    EXPECT_TRUE(fitted.width() == room.width() || fitted.height() == room.height()) << "fills it";
    EXPECT_LE(fitted.width(), room.width());
    EXPECT_LE(fitted.height(), room.height());
    EXPECT_NEAR(static_cast<double>(fitted.width()) / fitted.height(), 794.0 / 1123, 0.01);

    fit->click();
    EXPECT_FALSE(preview.FitToWindow());
    EXPECT_EQ(picture->pixmap().size(), QSize(794, 1123)) << "the page at the screen's resolution";
    fit->click();
    preview.resize(preview.width() + 100, preview.height() + 150);
    EXPECT_TRUE(preview.FitToWindow());
    EXPECT_GT(picture->pixmap().height(), fitted.height()) << "follows the window";
}

TEST_F(MainWindowPreviewTest, FilesThatCannotBeShownAreReportedInCzech) {
    // A raster job whose picture has no rows prints no page.
    spool.Write("PRAZDNY.QSF", SpoolFile("Prázdný plán", "\x03\x07\x1b*t150R"));
    spool.Write("ZMIZEL.QSF", SpoolFile("Zmizelý"));
    Create();
    Select(RowOf("PRAZDNY.QSF"));
    Find<QAction>("MenuDocumentPreview")->trigger();
    spool.Remove("ZMIZEL.QSF");
    Select(RowOf("ZMIZEL.QSF"));
    Find<QAction>("MenuDocumentPreview")->trigger();

    EXPECT_TRUE(Previews().empty());
    ASSERT_EQ(errors.Messages().size(), 2u);
    EXPECT_EQ(errors.Messages()[0], "Dokument nemá žádnou stránku.");
    EXPECT_EQ(errors.Messages()[1], "Cannot open file " + spool.File("ZMIZEL.QSF"));
    EXPECT_EQ(Cell(RowOf("PRAZDNY.QSF"), 2), "Čeká");
    EXPECT_TRUE(spool.Exists("PRAZDNY.QSF"));
}

}  // namespace
}  // namespace ostrelin::app
