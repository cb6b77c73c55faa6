#include <QComboBox>
#include <QTest>
#include <atomic>
#include <future>
#include <map>
#include <mutex>
#include <utility>

#include "app/MainWindowFixture.h"

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
    EXPECT_EQ(TrayTip(), Field());

    answers.Set("", {.Printer = "Laser", .State = Kind::Stopped, .Reasons = {"media-empty"}});
    window->TimerIdle();
    EXPECT_TRUE(FieldBecomes("Tiskárna „Laser“: zastavena – došel papír"));
    EXPECT_EQ(TrayTip(), Field());

    answers.Set("Tisk do PDF", {.Printer = "Tisk do PDF", .OutputFolder = "/home/eva/PDF"});
    Find<QComboBox>("CBoxPrinters")->setCurrentIndex(2);
    EXPECT_TRUE(FieldBecomes("Tiskárna „Tisk do PDF“: připravena, ukládá do složky /home/eva/PDF"));
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
    EXPECT_TRUE(FieldBecomes("Tiskárna „Laser“: připravena"));
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
        << "each failure once, none at the ticks after";

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
    ASSERT_TRUE(FieldBecomes("Tiskárna „Laser“: připravena"));
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
    tick({.Printer = "Laser", .Reasons = {"toner-low"}},
         "Tiskárna „Laser“: připravena – dochází toner");
    EXPECT_EQ(
        notices.Notices(),
        (std::vector<Notice>{
            {"Tiskárna „Laser“ potřebuje pozornost", "Tiskárna „Laser“: zastavena – došel papír"},
            {"Tiskárna „Laser“ potřebuje pozornost", "Tiskárna „Laser“: zastavena – uvízl papír"},
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
