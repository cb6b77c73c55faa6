#include <QComboBox>
#include <QDir>
#include <QTest>
#include <atomic>
#include <future>
#include <map>
#include <mutex>
#include <utility>

#include "app/MainWindowFixture.h"
#include "app/window/ElidingLabel.h"

namespace ostrelin::app {
namespace {

using platform::printing::PrinterState;
using Kind = PrinterState::Kind;

// A printing system's answers as a test sets them, counted, and held back while the test says.
class StateAnswers {
  public:
    PrinterState Ask(const std::string& device) {
        ++asked_;
        gate_.wait();
        const std::scoped_lock guard(lock_);
        const auto set = states_.find(device);
        return set != states_.end() ? set->second : PrinterState{.Printer = device};
    }
    void Set(const std::string& device, PrinterState state) {
        const std::scoped_lock guard(lock_);
        states_[device] = std::move(state);
    }
    void HoldBack() {
        held_ = true;
        gate_ = release_.get_future().share();
    }
    void Release() {
        if (std::exchange(held_, false)) {
            release_.set_value();
        }
    }
    int Asked() const { return asked_; }

  private:
    std::mutex lock_;
    std::map<std::string, PrinterState> states_;
    std::atomic<int> asked_ = 0;
    std::promise<void> release_;
    bool held_ = false;
    std::shared_future<void> gate_ = [] {
        std::promise<void> open;
        open.set_value();
        return open.get_future().share();
    }();
};

class PrinterStateFieldTest : public MainWindowTest {
  protected:
    void SetUp() override {
        askPrinterState = [this](const std::string& device) { return answers.Ask(device); };
    }
    // The window waits for a question under way, which must not wait for the test any more.
    void TearDown() override {
        answers.Release();
        window.reset();
    }
    QString Field() const { return Find<QLabel>("PrinterState")->text(); }
    QString TrayTip() const { return QString::fromStdString(tray.Icons().at(0).szTip); }
    bool FieldBecomes(const QString& text) const {
        return QTest::qWaitFor([&] { return Field() == text; }, 5000);
    }

    StateAnswers answers;
};

// The field and the tray's tip follow the chosen printer, the default item asking for the
// system's current default, each change shown at the next tick.
TEST_F(PrinterStateFieldTest, ShowsTheChosenPrintersStateAndItsChangesAtTheNextTick) {
    answers.Set("", {.Printer = "Laser", .State = Kind::Processing});
    Create();
    ASSERT_TRUE(FieldBecomes("Tiskárna „Laser“: tiskne"));
    EXPECT_EQ(StatusText(), "Tiskárna připravena") << "the first field keeps the pause state";
    EXPECT_EQ(TrayTip(), "Tarvok Calc Ostrelin – " + Field());

    answers.Set("", {.Printer = "Laser", .State = Kind::Stopped, .Reasons = {"media-empty"}});
    window->TimerIdle();
    EXPECT_TRUE(FieldBecomes("Tiskárna „Laser“: zastavena – došel papír"));
    EXPECT_EQ(TrayTip(), "Tarvok Calc Ostrelin – Tiskárna „Laser“: zastavena – došel pap…")
        << "the program's name first, within the tip's 63 characters";

    answers.Set("Tisk do PDF", {.Printer = "Tisk do PDF", .OutputFolder = "/srv/tisk/PDF"});
    Find<QComboBox>("CBoxPrinters")->setCurrentIndex(2);
    EXPECT_TRUE(FieldBecomes("Tiskárna „Tisk do PDF“: ukládá do /srv/tisk/PDF"));
    answers.Set("Tisk do PDF", {.Printer = "Tisk do PDF",
                                .OutputFolder = QDir::homePath().toStdString() + "/PDF"});
    window->TimerIdle();
    EXPECT_TRUE(FieldBecomes("Tiskárna „Tisk do PDF“: ukládá do ~/PDF")) << "the home folder as ~";
    EXPECT_EQ(TrayTip(), "Tarvok Calc Ostrelin – Tiskárna „Tisk do PDF“: ukládá do ~/PDF");
}

// While the printing system does not answer, the window goes on: ticks rescan and print, and
// no second question piles up behind the first.
TEST_F(PrinterStateFieldTest, ASchedulerThatDoesNotAnswerNeverHoldsUpTheWindow) {
    answers.HoldBack();
    spool.Write("A.QSF", SpoolFile("a"));
    Create();
    for (int tick = 0; tick < 3; ++tick) {
        Period();
    }
    EXPECT_EQ(jobs.Jobs.size(), 1u)
        << "the job printed meanwhile" << ::testing::PrintToString(errors.Messages());
    EXPECT_EQ(answers.Asked(), 1) << "one question at a time";
    EXPECT_TRUE(Field().isEmpty());

    answers.Set("", {.Printer = "Laser"});
    answers.Release();
    EXPECT_TRUE(FieldBecomes("Tiskárna „Laser“: čeká na úlohy"));
}

// What the status bar shows on the screen: the pause state in full; beside it, while a failed
// job's entry is the current one, the job's reason, shortened only when it alone is wider than
// the room; the printer's state in the room that is left, shortened at its end.
TEST_F(PrinterStateFieldTest, AFailedJobsReasonStandsOnTheScreenBesideThePauseState) {
    answers.Set("", {.Printer = "Laser ve druhém patře",
                     .State = Kind::Stopped,
                     .AcceptingJobs = false,
                     .Reasons = {"media-empty", "door-open"}});
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    spool.Write("c.qsf", SpoolFile("c"));
    Create();
    ASSERT_TRUE(
        FieldBecomes("Tiskárna „Laser ve druhém patře“: zastavena – nepřijímá úlohy, "
                     "došel papír, jsou otevřená dvířka"));
    const QString reason = QStringLiteral("Tiskárna „Dilna“ nyní nepřijímá úlohy.");
    const QString longReason = QStringLiteral(
        "Dokument nelze zapsat do složky /home/eva/Dokumenty/Tisk/2026/prosinec/faktury: "
        "Na zařízení není volné místo.");
    jobs.FailWith = reason.toStdString();
    Period();
    jobs.FailWith = longReason.toStdString();
    Period();
    jobs.FailWith.clear();
    window->TrayIconAppShow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    const auto* bar = Find<QStatusBar>("StatusBar");
    const auto* pause = Find<QLabel>("StatusText");
    const auto* why = Find<ElidingLabel>("JobReason");
    const auto* printer = Find<ElidingLabel>("PrinterState");
    const auto laidOut = [] { QCoreApplication::processEvents(); };
    // The pause state is shown whole, left of everything else.
    const auto expectPauseStateWhole = [&] {
        EXPECT_TRUE(pause->isVisible());
        EXPECT_EQ(pause->text(), "Tiskárna připravena");
        EXPECT_GE(pause->contentsRect().width(),
                  pause->fontMetrics().horizontalAdvance(pause->text()));
    };
    const auto expectInsideTheBar = [&](const QWidget* field) {
        EXPECT_GE(field->geometry().left(), 0);
        EXPECT_LE(field->geometry().right(), bar->contentsRect().right());
    };

    Select(0);
    laidOut();
    expectPauseStateWhole();
    ASSERT_TRUE(why->isVisible()) << "the reason is on the screen";
    EXPECT_EQ(why->VisibleText(), reason) << "shown whole";
    EXPECT_GT(why->geometry().left(), pause->geometry().right());
    ASSERT_TRUE(printer->isVisible());
    EXPECT_GT(printer->geometry().left(), why->geometry().right());
    expectInsideTheBar(printer);
    const QString printerShown = printer->VisibleText();
    EXPECT_TRUE(printerShown.endsWith(QStringLiteral("…"))) << printerShown.toStdString();
    EXPECT_TRUE(Field().startsWith(printerShown.chopped(1))) << printerShown.toStdString();
    EXPECT_TRUE(bar->currentMessage().isEmpty()) << "no message hides the fields";

    Select(1);
    laidOut();
    expectPauseStateWhole();
    const QString longShown = why->VisibleText();
    EXPECT_TRUE(longShown.endsWith(QStringLiteral("…"))) << longShown.toStdString();
    EXPECT_TRUE(longReason.startsWith(longShown.chopped(1))) << longShown.toStdString();
    EXPECT_GT(longShown.size(), 20) << "the reason goes before the printer's state";
    expectInsideTheBar(why);

    Select(2);
    laidOut();
    EXPECT_FALSE(why->isVisible()) << "a waiting job has no reason";
    expectPauseStateWhole();
    EXPECT_GT(printer->VisibleText().size(), printerShown.size()) << "the printer gets the room";
    expectInsideTheBar(printer);
}

using Notice = desktop::RecordingNotifier::Notice;

// A job that fails while the window is hidden is told once; while the window is shown, the
// window itself tells it.
TEST_F(PrinterStateFieldTest, AJobThatFailsWhileHiddenIsToldOnce) {
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    Create();
    jobs.FailWith = "Tiskárna „Laser“ nyní nepřijímá úlohy.";
    for (int tick = 0; tick < 4; ++tick) {
        Period();
    }
    EXPECT_EQ(notices.Notices(),
              (std::vector<Notice>{
                  {"Úlohu „A.QSF“ nelze vytisknout", "Tiskárna „Laser“ nyní nepřijímá úlohy."},
                  {"Úlohu „B.QSF“ nelze vytisknout", "Tiskárna „Laser“ nyní nepřijímá úlohy."}}))
        << "each failure once, a notice of its own, none at the ticks after";

    spool.Write("c.qsf", SpoolFile("c"));
    window->TrayIconAppShow();
    Period();
    Period();
    EXPECT_EQ(notices.Notices().size(), 2u) << "a shown window tells it itself";
}

// The chosen printer needing the user is told once per change of its state while hidden.
TEST_F(PrinterStateFieldTest, APrinterNeedingAttentionIsToldOncePerChange) {
    answers.Set("", {.Printer = "Laser"});
    Create();
    window->ApplicationIdle();  // the first idle moment puts the window into the tray
    ASSERT_FALSE(window->isVisible());
    ASSERT_TRUE(FieldBecomes("Tiskárna „Laser“: čeká na úlohy"));
    const auto tick = [&](const PrinterState& state, const QString& shown) {
        answers.Set("", state);
        window->TimerIdle();
        ASSERT_TRUE(FieldBecomes(shown)) << Field().toStdString();
    };
    tick({.Printer = "Laser", .State = Kind::Stopped, .Reasons = {"media-empty"}},
         "Tiskárna „Laser“: zastavena – došel papír");
    tick({.Printer = "Laser", .State = Kind::Stopped, .Reasons = {"media-empty"}},
         "Tiskárna „Laser“: zastavena – došel papír");
    tick({.Printer = "Laser", .State = Kind::Stopped, .Reasons = {"media-jam"}},
         "Tiskárna „Laser“: zastavena – uvízl papír");
    tick({.Printer = "Laser", .Reasons = {"toner-low"}}, "Tiskárna „Laser“: dochází toner");
    EXPECT_EQ(notices.Notices(), (std::vector<Notice>{
                                     {"Tiskárna „Laser“ potřebuje pozornost",
                                      "Tiskárna „Laser“: zastavena – došel papír", "printer:Laser"},
                                     {"Tiskárna „Laser“ potřebuje pozornost",
                                      "Tiskárna „Laser“: zastavena – uvízl papír", "printer:Laser"},
                                 }));

    window->TrayIconAppShow();
    tick({.Printer = "Laser", .State = Kind::Unreachable},
         "Tiskárna „Laser“: tiskový systém CUPS neodpovídá");
    window->TrayIconAppHide();
    tick({.Printer = "Laser", .State = Kind::Unreachable},
         "Tiskárna „Laser“: tiskový systém CUPS neodpovídá");
    EXPECT_EQ(notices.Notices().size(), 2u) << "a change seen in the window is not told again";
}

}  // namespace
}  // namespace ostrelin::app
