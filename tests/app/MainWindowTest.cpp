#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <memory>

#include "app/MainWindowFixture.h"
#include "app/window/ElidingLabel.h"
#include "app/window/TAboutDlg.h"
#include "platform/desktop/PostedMessage.h"
#include "platform/desktop/WindowClassRegistry.h"

namespace ostrelin::app {
namespace {

TEST_F(MainWindowTest, ComponentsCarryTheirNamesTextsAndShortcuts) {
    Create();
    EXPECT_EQ(window->objectName(), "TarvokCalcOstrelin");
    EXPECT_EQ(window->windowTitle(), "Tarvok Calc Ostrelin");
    EXPECT_EQ(window->width(), 456);
    for (const char* name : {"MainMenu", "ToolBar", "StatusBar", "TrayIcon", "TimIdle"}) {
        EXPECT_NE(window->findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    }

    struct ActionText {
        const char* name;
        const char* text;
        QKeySequence shortcut;
    };
    const ActionText actions[] = {
        {"MenuPrinterEnDis", "&Pozastavit tisk na tiskárně", QKeySequence("Ctrl+Space")},
        {"MenuPrinterDeleteAll", "Stornovat všechny dokumenty...", QKeySequence("Ctrl+Del")},
        {"MenuPrinterMinimize", "Zavřít, ale zůstat aktivní", QKeySequence("Alt+F4")},
        {"MenuPrinterQuit", "Zavřít", {}},
        {"MenuDocumentEnDis", "Pozastavit/povolit dokument", QKeySequence("Space")},
        {"MenuDocumentDelete", "Stornovat dokument...", QKeySequence("Del")},
        {"MenuDocumentPreview", "Náhled...", {}},
        {"MenuHelpHelp", "&Nápověda...", QKeySequence("F1")},
        {"MenuHelpAbout", "O programu...", {}},
        {"PUMenuPrinterEnDis", "&Pozastavit tisk na tiskárně", {}},
        {"PUMenuPrinterDeleteAll", "Stornovat všechny dokumenty...", {}},
        {"PUMenuDocumentEnDis", "Pozastavit/povolit dokument", {}},
        {"PUMenuDocumentDelete", "Stornovat dokument...", {}},
        {"PUMenuDocumentPreview", "Náhled...", {}},
        {"PUMenuMinimize", "Zavři, ale zůstaň aktivní", {}},
        {"PUMenuTrayIconShowApp", "&Otevřít...", {}},
        {"PUMenuTrayIconQuit", "&Konec", {}},
    };
    for (const ActionText& expected : actions) {
        SCOPED_TRACE(expected.name);
        const auto* action = Find<QAction>(expected.name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(expected.text));
        EXPECT_EQ(action->shortcut(), expected.shortcut);
    }
    EXPECT_TRUE(Find<QAction>("PUMenuTrayIconShowApp")->font().bold());

    const std::pair<const char*, const char*> menus[] = {
        {"MenuPrinter", "&Tiskárna"}, {"MenuDocument", "&Dokument"}, {"MenuHelp", "Nápověda"}};
    for (const auto& [name, title] : menus) {
        ASSERT_NE(Find<QMenu>(name), nullptr) << name;
        EXPECT_EQ(Find<QMenu>(name)->title(), QString::fromUtf8(title));
    }
    for (const char* separator : {"MenuPrinter_1", "PUMenu_1", "PUMenu_2", "PUMenuTrayIcon_1"}) {
        ASSERT_NE(Find<QAction>(separator), nullptr) << separator;
        EXPECT_TRUE(Find<QAction>(separator)->isSeparator()) << separator;
    }
    for (const char* gap : {"TB_1", "TB_2", "TB_3"}) {
        EXPECT_NE(Find<QWidget>(gap), nullptr) << gap;
    }

    const std::pair<const char*, const char*> buttons[] = {
        {"TBPrinterEnDis", "Pozastavit tisk na tiskárně"},
        {"TBPrinterDeleteAll", "Stornovat všechny dokumenty"},
        {"TBDocumentEnDis", "Pozastavit/povolit dokument"},
        {"TBDocumentDelete", "Vymazat dokument z fronty"},
        {"TBMinimize", "Zavřít, ale zůstat aktivní"}};
    for (const auto& [name, tip] : buttons) {
        ASSERT_NE(Find<QToolButton>(name), nullptr) << name;
        EXPECT_EQ(Find<QToolButton>(name)->toolTip(), QString::fromUtf8(tip));
    }

    const auto* printers = Find<QComboBox>("CBoxPrinters");
    ASSERT_NE(printers, nullptr);
    EXPECT_FALSE(printers->isEditable());
    EXPECT_EQ(printers->width(), 201);
    ASSERT_EQ(printers->count(), 3);
    EXPECT_EQ(printers->itemText(0), "-Výchozí tiskárna Windows-");
    EXPECT_EQ(printers->itemText(1), "Laser");
    EXPECT_EQ(printers->itemText(2), "Tisk do PDF");
    EXPECT_EQ(window->PrinterIndex(), -1);

    const QStringList headers = {"Soubor", "Velikost", "Stav", "Popis"};
    const int widths[] = {100, 60, 80};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(List()->model()->headerData(column, Qt::Horizontal).toString(), headers[column]);
        if (column < 3) {
            EXPECT_EQ(List()->columnWidth(column), widths[column]);
        }
    }
    EXPECT_EQ(Find<QTimer>("TimIdle")->interval(), 3600000);
    EXPECT_EQ(StatusText(), "Tiskárna připravena");
    EXPECT_EQ(window->SpoolDir(), spool.Path());
}

TEST_F(MainWindowTest, DecodersReadThePrinterChoiceAndSelectTheDefaultWhenNoneIs) {
    Create();
    window->SelectPosition(2);
    EXPECT_EQ(print::JobPrinterIndex(*window), 1);
    Find<QComboBox>("CBoxPrinters")->setCurrentIndex(-1);
    EXPECT_FALSE(window->SelectedPosition().has_value());
    EXPECT_EQ(print::JobPrinterIndex(*window), -1);
    EXPECT_EQ(Find<QComboBox>("CBoxPrinters")->currentIndex(), 0) << "the window shows the change";
}

TEST_F(MainWindowTest, StartScanListsSpoolFilesAndTheDescriptionFillsTheRest) {
    const std::string job = SpoolFile(
        "\x01\x02\xfc"
        "ada \x9f\xa1sel");  // "Řada čísel", code page 852
    spool.Write("faktura.qsf", job);
    Create();
    window->show();
    ASSERT_EQ(List()->model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), "FAKTURA.QSF");
    EXPECT_EQ(Cell(0, 1), QString::number(job.size()));
    EXPECT_EQ(Cell(0, 2), "Čeká");
    EXPECT_EQ(Cell(0, 3), "Řada čísel");
    EXPECT_EQ(List()->model()->index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight,
              Qt::AlignRight);

    window->RefreshQueue();
    EXPECT_EQ(List()->columnWidth(3), List()->viewport()->width() - 240);
}

// The columns keep their widths in pixels, and the window's face is narrow enough for what they
// held: an 8.3 name whole in "Soubor", a seven-digit size whole in "Velikost", and a gap one can
// see between the size and the longest state beside it; even a ten-letter name fits.
TEST_F(MainWindowTest, AnEightDotThreeNameAndASevenDigitSizeFitTheirColumns) {
    spool.Write("FAKTURA1.QSF",
                SpoolFile("f") + std::string(1234567, ' ').substr(SpoolFile("f").size()));
    Create();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_EQ(Cell(0, 1), "1234567");
    window->DocumentEnDis();  // nothing current: stays
    Select(0);
    window->DocumentEnDis();
    ASSERT_EQ(Cell(0, 2), "Pozastaveno");

    const QFontMetrics metrics(List()->font());
    const int margin =
        List()->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, List()) + 1;
    const QRect name = List()->visualRect(List()->model()->index(0, 0));
    const QRect size = List()->visualRect(List()->model()->index(0, 1));
    const QRect state = List()->visualRect(List()->model()->index(0, 2));
    EXPECT_EQ(name.width(), 100);
    EXPECT_EQ(size.width(), 60);
    EXPECT_EQ(state.width(), 80);
    EXPECT_LE(metrics.horizontalAdvance(Cell(0, 0)) + 2 * margin, name.width())
        << QFontInfo(List()->font()).family().toStdString();
    EXPECT_LE(metrics.horizontalAdvance(Cell(0, 1)) + 2 * margin, size.width());
    EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("OBJEDNAVKA.QSF")) + 2 * margin,
              name.width())
        << "the name that DejaVu Sans, which fontconfig gives for the name, cut";
    const int sizeEnds = size.right() - margin;
    const int stateBegins = state.center().x() - metrics.horizontalAdvance(Cell(0, 2)) / 2;
    EXPECT_GE(stateBegins - sizeEnds, 6) << "the size and the state run together";
}

TEST_F(MainWindowTest, DocumentCommandsAreEnabledOnlyWithACurrentEntry) {
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    Create();
    for (const char* name : kDocumentCommands) {
        EXPECT_FALSE(CommandEnabled(name)) << name << " with no entry selected";
    }
    Select(1);
    for (const char* name : kDocumentCommands) {
        EXPECT_TRUE(CommandEnabled(name)) << name;
    }
    for (const char* always : {"TBPrinterEnDis", "TBMinimize"}) {
        EXPECT_TRUE(CommandEnabled(always)) << always;
    }

    boxes.Answer(desktop::IDYES);
    window->PrinterDeleteAll();
    EXPECT_EQ(List()->model()->rowCount(), 0);
    window->DocumentEnDis();  // does nothing on an empty list
    window->DocumentDelete();
    EXPECT_EQ(boxes.Calls().size(), 1u);
    window->RefreshQueue();
    for (const char* name : kDocumentCommands) {
        EXPECT_FALSE(CommandEnabled(name)) << name << " after the rescan";
    }
}

TEST_F(MainWindowTest, TheListGettingTheFocusMakesNoEntryCurrentUntilTheUserMovesOntoOne) {
    spool.Write("a.qsf", SpoolFile("a"));
    Create();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    List()->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(List()->hasFocus());
    EXPECT_FALSE(List()->currentIndex().isValid());
    for (const char* name : kDocumentCommands) {
        EXPECT_FALSE(CommandEnabled(name)) << name << " with nothing chosen";
    }
    QTest::keyClick(List(), Qt::Key_Space);
    EXPECT_EQ(Cell(0, 2), "Čeká") << "Space paused a job nobody chose";

    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(List()->currentIndex().row(), 0);
    for (const char* name : kDocumentCommands) {
        EXPECT_TRUE(CommandEnabled(name)) << name;
    }
}

// Whenever the current entry goes, deleted by the user, dropped at a rescan because its file
// went, or printed and dropped, no other entry becomes current or selected: Space and Delete
// then act on nothing. An entry the user chose stays current while others go.
TEST_F(MainWindowTest, NoEntryBecomesCurrentWhenTheCurrentOneGoes) {
    for (const char* name : {"a.qsf", "b.qsf", "c.qsf", "d.qsf", "e.qsf"}) {
        spool.Write(name, SpoolFile(name));
    }
    Create();
    window->PrinterEnDis();  // nothing prints until the last case
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    List()->setFocus(Qt::OtherFocusReason);
    const auto listed = [&] {
        std::vector<QString> names;
        for (int row = 0; row < List()->model()->rowCount(); ++row) {
            names.push_back(Cell(row, 0));
        }
        return names;
    };
    const auto expectNothingChosen = [&](const char* after) {
        EXPECT_FALSE(List()->currentIndex().isValid()) << after;
        EXPECT_TRUE(List()->selectionModel()->selectedRows().isEmpty()) << after;
        for (const char* name : kDocumentCommands) {
            EXPECT_FALSE(CommandEnabled(name)) << name << " " << after;
        }
        const std::vector<QString> before = listed();
        const std::vector<QString> states = [&] {
            std::vector<QString> all;
            for (int row = 0; row < List()->model()->rowCount(); ++row) {
                all.push_back(Cell(row, 2));
            }
            return all;
        }();
        const std::size_t boxesBefore = boxes.Calls().size();
        QTest::keyClick(List(), Qt::Key_Space);
        QTest::keyClick(List(), Qt::Key_Delete);
        EXPECT_EQ(boxes.Calls().size(), boxesBefore)
            << "Delete asked about a job nobody chose " << after;
        EXPECT_EQ(listed(), before) << after;
        for (int row = 0; row < List()->model()->rowCount(); ++row) {
            EXPECT_EQ(Cell(row, 2), states[static_cast<std::size_t>(row)])
                << "Space changed a job nobody chose " << after;
        }
    };

    Select(1);
    boxes.Answer(desktop::IDYES);
    QTest::keyClick(List(), Qt::Key_Delete);
    ASSERT_EQ(listed(), (std::vector<QString>{"A.QSF", "C.QSF", "D.QSF", "E.QSF"}));
    expectNothingChosen("after the user's deletion");

    Select(0);
    spool.Remove("a.qsf");
    window->RefreshQueue();
    ASSERT_EQ(listed(), (std::vector<QString>{"C.QSF", "D.QSF", "E.QSF"}));
    expectNothingChosen("after the rescan dropped the current entry");

    Select(2);
    spool.Remove("c.qsf");
    window->RefreshQueue();
    EXPECT_EQ(List()->currentIndex().row(), 1) << "the user's choice stays current";
    EXPECT_EQ(Cell(List()->currentIndex().row(), 0), "E.QSF");
    EXPECT_EQ(List()->selectionModel()->selectedRows().size(), 1);

    Select(0);
    window->PrinterEnDis();
    Period();
    ASSERT_EQ(jobs.Jobs.size(), 1u);
    EXPECT_EQ(List()->currentIndex().row(), 0) << "printing leaves the user's choice";
    window->PrinterEnDis();
    Period();
    ASSERT_EQ(listed(), (std::vector<QString>{"E.QSF"}));
    expectNothingChosen("after the printed entry was dropped");
}

TEST_F(MainWindowTest, PrinterPauseSwitchChangesCaptionsHintButtonAndStatus) {
    Create();
    window->PrinterEnDis();
    EXPECT_FALSE(window->Cycle().PrinterEnabled());
    EXPECT_EQ(Find<QAction>("MenuPrinterEnDis")->text(), "&Obnovit tisk na tiskárně");
    EXPECT_EQ(Find<QAction>("PUMenuPrinterEnDis")->text(), "&Obnovit tisk na tiskárně");
    EXPECT_EQ(Find<QToolButton>("TBPrinterEnDis")->toolTip(), "Obnovit tisk na tiskárně");
    EXPECT_TRUE(Find<QToolButton>("TBPrinterEnDis")->isChecked());
    EXPECT_EQ(StatusText(), "Tiskárna pozastavena");

    Find<QAction>("PUMenuPrinterEnDis")->trigger();
    EXPECT_TRUE(window->Cycle().PrinterEnabled());
    EXPECT_FALSE(Find<QToolButton>("TBPrinterEnDis")->isChecked());
    EXPECT_EQ(StatusText(), "Tiskárna připravena");
}

TEST_F(MainWindowTest, DeleteCommandsAskFirstAndOnlyYesDeletes) {
    const std::string question = "Opravdu chcete odstranit tiskový dokument z fronty?";
    const std::string questionAll = "Opravdu chcete odstranit všechny tiskové dokumenty z fronty?";
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    spool.Write("c.qsf", SpoolFile("c"));
    Create();
    Select(1);

    boxes.Answer(desktop::IDNO);
    window->DocumentDelete();
    EXPECT_TRUE(spool.Exists("b.qsf"));
    boxes.Answer(desktop::IDYES);
    Find<QAction>("MenuDocumentDelete")->trigger();
    EXPECT_FALSE(spool.Exists("b.qsf"));
    EXPECT_EQ(List()->model()->rowCount(), 2);

    Select(0);
    window->DocumentEnDis();
    EXPECT_EQ(Cell(0, 2), "Pozastaveno");
    boxes.Answer(desktop::IDNO);
    window->PrinterDeleteAll();
    EXPECT_EQ(List()->model()->rowCount(), 2);
    boxes.Answer(desktop::IDYES);
    window->PrinterDeleteAll();
    EXPECT_EQ(List()->model()->rowCount(), 0);
    EXPECT_FALSE(spool.Exists("a.qsf")) << "paused entries go too";
    EXPECT_FALSE(spool.Exists("c.qsf"));

    using Call = desktop::ScriptedMessageBoxes::Call;
    const std::vector<Call> expected = {{question, "Upozornění", 68},
                                        {question, "Upozornění", 68},
                                        {questionAll, "Upozornění", 68},
                                        {questionAll, "Upozornění", 68}};
    EXPECT_EQ(boxes.Calls(), expected);
}

TEST_F(MainWindowTest, CyclePrintsOneJobPerPeriodFromTheTopAndDropsItAtTheNextRescan) {
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    spool.Write("c.qsf", SpoolFile("c"));
    Create();
    bool done = false;
    window->FormIdle(done);
    EXPECT_TRUE(jobs.Jobs.empty()) << "the first job waits for the first tick";
    EXPECT_TRUE(done);

    Period();
    ASSERT_EQ(jobs.Jobs.size(), 1u);
    EXPECT_EQ(Cell(0, 0), "A.QSF");
    EXPECT_EQ(Cell(0, 2), "Tiskne se");
    EXPECT_EQ(Cell(1, 2), "Čeká");

    Period();
    ASSERT_EQ(jobs.Jobs.size(), 2u);
    EXPECT_EQ(Cell(0, 0), "B.QSF") << "A dropped at the rescan";
    EXPECT_EQ(Cell(0, 2), "Tiskne se");

    Period();
    Period();
    EXPECT_EQ(jobs.Jobs.size(), 3u);
    EXPECT_EQ(List()->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, ResumingPrintingStartsAtOnceWhenATickHasAllowedIt) {
    spool.Write("a.qsf", SpoolFile("a"));
    Create();
    window->PrinterEnDis();
    Period();
    EXPECT_TRUE(jobs.Jobs.empty());
    EXPECT_EQ(Cell(0, 2), "Čeká");
    bool done = false;
    window->FormIdle(done);
    EXPECT_TRUE(done) << "nothing to do while printing is paused";

    window->PrinterEnDis();
    window->FormIdle(done);
    EXPECT_EQ(jobs.Jobs.size(), 1u);
}

TEST_F(MainWindowTest, JobWhoseFileVanishedBeforeItsStartIsDroppedWithoutAReport) {
    Create();
    spool.Write("a.qsf", SpoolFile("a"));
    window->TimerIdle();
    window->ApplicationIdle();  // the rescan lists it
    spool.Remove("a.qsf");
    window->ApplicationIdle();  // the start finds nothing to print
    EXPECT_TRUE(errors.Messages().empty());
    Period();
    EXPECT_EQ(List()->model()->rowCount(), 0);
    EXPECT_TRUE(errors.Messages().empty());
}

TEST_F(MainWindowTest, FailedJobIsReportedOnceShowsItsReasonAndPrintsWhenTheUserRetries) {
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    Create();
    jobs.FailWith = "Tiskárna „Laser“ nyní nepřijímá úlohy.";
    Period();
    jobs.FailWith.clear();
    Period();
    Period();
    EXPECT_EQ(errors.Messages(),
              std::vector<std::string>{"Tiskárna „Laser“ nyní nepřijímá úlohy."});
    EXPECT_EQ(jobs.Jobs.size(), 2u) << "the failed job is not tried again on its own";
    EXPECT_TRUE(spool.Exists("a.qsf"));
    ASSERT_EQ(List()->model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 2), "Chyba");
    EXPECT_EQ(List()->model()->index(0, 3).data(Qt::ToolTipRole).toString(),
              "Tiskárna „Laser“ nyní nepřijímá úlohy.");

    Select(0);
    const auto* reason = Find<ElidingLabel>("JobReason");
    EXPECT_EQ(reason->text(), "Tiskárna „Laser“ nyní nepřijímá úlohy.");
    EXPECT_FALSE(reason->isHidden());
    window->DocumentEnDis();
    EXPECT_EQ(Cell(0, 2), "Čeká");
    EXPECT_TRUE(reason->isHidden());
    Period();
    Period();
    EXPECT_EQ(jobs.Jobs.size(), 3u);
    EXPECT_FALSE(spool.Exists("a.qsf"));
    EXPECT_EQ(List()->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, IdleLoopSleepsWhileOnlyPausedEntriesAreListed) {
    spool.Write("a.qsf", SpoolFile("a"));
    Create(20ms);
    Select(0);
    window->DocumentEnDis();
    int wakeUps = 0;
    const auto counter =
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, [&wakeUps] { ++wakeUps; });
    QEventLoop loop;
    QTimer::singleShot(400, &loop, &QEventLoop::quit);  // about twenty ticks
    loop.exec();
    QObject::disconnect(counter);
    EXPECT_TRUE(jobs.Jobs.empty());
    EXPECT_LT(wakeUps, 20 * 10) << "the loop polls instead of sleeping";
    EXPECT_GT(wakeUps, 0);
}

TEST_F(MainWindowTest, NoJobStartsWhileAModalMessageBoxIsOpen) {
    spool.Write("a.qsf", SpoolFile("a"));
    Create(20ms);
    bool startedWhileOpen = true;
    QTimer::singleShot(0, [this, &startedWhileOpen] {
        QMessageBox box(QMessageBox::Information, "Upozornění", "?", QMessageBox::Yes);
        QTimer::singleShot(300, &box, &QMessageBox::accept);
        box.exec();
        startedWhileOpen = !jobs.Jobs.empty();
    });
    QEventLoop loop;
    QTimer::singleShot(600, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(startedWhileOpen);
    EXPECT_EQ(jobs.Jobs.size(), 1u) << "printing goes on once the box is closed";
}

TEST_F(MainWindowTest, FirstIdleHidesTheWindowAndShowRequestBringsItBack) {
    Create();
    window->show();
    bool done = false;
    window->FormIdle(done);
    EXPECT_FALSE(window->isVisible());

    ASSERT_TRUE(desktop::PostMessageToClass(kWindowClassName, {desktop::WM_USER, 1, 123456}));
    QTest::qWait(100);
    EXPECT_FALSE(window->isVisible()) << "other parameters are ignored";

    ASSERT_TRUE(desktop::PostMessageToClass(kWindowClassName, {desktop::WM_USER, 123456, 123456}));
    EXPECT_TRUE(QTest::qWaitFor([this] { return window->isVisible(); }, 2000));
    EXPECT_TRUE(List()->hasFocus() || !QApplication::focusWidget());

    window->close();
    EXPECT_FALSE(window->isVisible()) << "closing only hides";
}

TEST(AboutDialogTest, ShowsTheProgramsNamePurposeAndVersion) {
    const TAboutDlg about;
    EXPECT_EQ(about.objectName(), "AboutDlg");
    EXPECT_EQ(about.windowTitle(), "O programu");
    EXPECT_EQ(about.size(), QSize(279, 172));
    QStringList lines;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        lines << label->text();
    }
    for (const char* line :
         {"Tarvok Calc", "Ostrelin", "tiskový spooler pro tisk z programu Tarvok Calc",
          "v prostředí Windows", "verze 1.0.4 cz"}) {
        EXPECT_TRUE(lines.contains(QString::fromUtf8(line))) << line;
    }
    const auto* ok = about.findChild<QPushButton*>("OKBtn");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "&OK");
    EXPECT_EQ(ok->size(), QSize(77, 25));
}

}  // namespace
}  // namespace ostrelin::app
