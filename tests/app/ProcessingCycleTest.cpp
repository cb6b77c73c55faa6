#include <gtest/gtest.h>

#include "app/RecordingJobHandler.h"
#include "app/SpoolFiles.h"
#include "app/cycle/ProcessingCycle.h"
#include "platform/files/posix/PosixFileSystem.h"

namespace ostrelin::app {
namespace {

using testing::SpoolDirectory;
using testing::SpoolFile;
using Clock = std::chrono::system_clock;

// The raster signature of a 150 dpi job: an escape record ESC *t150R.
const std::string kRasterSignature("\x03\x07\x1b*t150R", 9);

class ProcessingCycleTest : public ::testing::Test {
  protected:
    void ListAndAllow() {
        queue.Rescan(spool.Path(), Clock::now());
        cycle.SetPrinterEnabled(true);
        cycle.TimerTick();
        cycle.SetRescanPending(false);
    }

    platform::files::PosixFileSystem files;
    SpoolDirectory spool;
    SpoolQueue queue{files};
    testing::RecordingJobHandler jobs;
    ProcessingCycle cycle{queue, jobs};
};

TEST_F(ProcessingCycleTest, StartedJobIsClassifiedHandedOnAndItsFileDeletedAfterwards) {
    spool.Write("text.qsf", SpoolFile("Faktura", std::string("\x00\x03"
                                                             "abc",
                                                             5)));
    spool.Write("plan.qsf", SpoolFile("Plan", kRasterSignature));
    ListAndAllow();
    jobs.OnJob = [this] {
        const std::string printing = jobs.Jobs.size() == 1 ? "plan.qsf" : "text.qsf";
        EXPECT_FALSE(spool.Exists(printing)) << "not taken out of the spool pattern";
        EXPECT_TRUE(spool.Exists("." + printing + ".printing-1")) << "deleted before it printed";
    };

    cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path());
    cycle.TimerTick();
    cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path());

    ASSERT_EQ(jobs.Jobs.size(), 2u);
    EXPECT_EQ(jobs.Jobs[0].Kind, decode::JobKind::Raster);
    EXPECT_EQ(jobs.Jobs[0].Records, kRasterSignature);
    EXPECT_EQ(jobs.Jobs[1].Kind, decode::JobKind::Text);
    EXPECT_EQ(jobs.Jobs[1].Records, std::string("\x00\x03"
                                                "abc",
                                                5));
    EXPECT_FALSE(spool.Exists("plan.qsf"));
    EXPECT_FALSE(spool.Exists("text.qsf"));
    EXPECT_EQ(queue.Entries()[0].State, kStatePrinting);
    EXPECT_EQ(queue.Entries()[1].State, kStatePrinting);
    EXPECT_FALSE(cycle.StartAllowed());
    EXPECT_FALSE(cycle.JobBusy());
}

TEST_F(ProcessingCycleTest, PausedPrintingOrPausedEntryStartsNothing) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"printing paused", [this] { cycle.SetPrinterEnabled(false); }},
        {"entry paused", [this] { queue.ToggleEntry(0); }},
    };
    for (const auto& [name, arrange] : cases) {
        SCOPED_TRACE(name);
        queue.DeleteAll(spool.Path());
        spool.Write("a.qsf", SpoolFile("a"));
        ListAndAllow();
        arrange();
        cycle.StartJob(0, spool.Path());
        EXPECT_TRUE(jobs.Jobs.empty());
        EXPECT_TRUE(spool.Exists("a.qsf"));
        EXPECT_TRUE(cycle.StartAllowed());
    }
}

TEST_F(ProcessingCycleTest, OneJobAtATimeAndOnePerTimerPeriod) {
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    ListAndAllow();
    jobs.OnJob = [this] {
        if (jobs.Jobs.size() == 1) {
            cycle.TimerTick();  // a tick while the job prints permits no second job
            cycle.StartJob(1, spool.Path());
        }
    };
    cycle.StartJob(0, spool.Path());
    EXPECT_EQ(jobs.Jobs.size(), 1u);
    cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path());
    EXPECT_EQ(jobs.Jobs.size(), 1u) << "the end of a job ends the period's allowance";
    cycle.TimerTick();
    cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path());
    EXPECT_EQ(jobs.Jobs.size(), 2u);
}

TEST_F(ProcessingCycleTest, NoEntryStartsNothingAndKeepsTheAllowance) {
    ListAndAllow();
    cycle.StartJob(std::nullopt, spool.Path());
    EXPECT_TRUE(cycle.StartAllowed());
}

TEST_F(ProcessingCycleTest, AFileGoneOrClaimedByAnotherSpoolerIsLeftToTheNextRescan) {
    spool.Write("gone.qsf", SpoolFile("x"));
    spool.Write("taken.qsf", SpoolFile("y"));
    ListAndAllow();
    spool.Remove("gone.qsf");
    // Held the way another spooler holds a file it prints.
    const auto other = files.TakeUpClaim(spool.File("taken.qsf"), spool.File("taken.qsf"));
    ASSERT_NE(other, nullptr);

    for (std::size_t row : {0u, 1u}) {
        cycle.TimerTick();
        EXPECT_NO_THROW(cycle.StartJob(row, spool.Path()));
        EXPECT_FALSE(cycle.JobBusy());
    }
    EXPECT_TRUE(jobs.Jobs.empty());
    EXPECT_TRUE(spool.Exists("taken.qsf")) << "left to the spooler that holds it";
    queue.Rescan(spool.Path(), Clock::now());
    EXPECT_EQ(queue.Count(), 1u);
}

TEST_F(ProcessingCycleTest, AFailedJobKeepsItsFileAndWaitsAsFailedUntilTheUserRetries) {
    spool.Write("job.qsf", SpoolFile("x", std::string("\x00\x01"
                                                      "y",
                                                      3)));
    ListAndAllow();
    jobs.FailWith = "Tiskárna „Laser“ nyní nepřijímá úlohy.";

    EXPECT_THROW(cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path()), Error);
    EXPECT_TRUE(spool.Exists("job.qsf")) << "given its name back";
    EXPECT_EQ(queue.Entries()[0].State, kStateFailed);
    EXPECT_EQ(queue.Entries()[0].ErrorText, "Tiskárna „Laser“ nyní nepřijímá úlohy.");
    EXPECT_FALSE(cycle.JobBusy());

    queue.Rescan(spool.Path(), Clock::now());
    cycle.TimerTick();
    EXPECT_FALSE(cycle.FirstWaitingEntry().has_value()) << "never retried on its own";
    ASSERT_EQ(queue.Count(), 1u);

    queue.ToggleEntry(0);
    EXPECT_EQ(queue.Entries()[0].State, kStateWaiting);
    EXPECT_TRUE(queue.Entries()[0].ErrorText.empty());
    jobs.FailWith.clear();
    cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path());
    EXPECT_EQ(jobs.Jobs.size(), 2u);
    EXPECT_FALSE(spool.Exists("job.qsf"));
}

TEST_F(ProcessingCycleTest, AFailedJobWhoseEntryTheUserDeletedMeanwhileIsGone) {
    spool.Write("job.qsf", SpoolFile("x"));
    ListAndAllow();
    jobs.FailWith = "Printer selected is not valid";
    jobs.OnJob = [this] { queue.DeleteAll(spool.Path()); };
    EXPECT_THROW(cycle.StartJob(0, spool.Path()), Error);
    EXPECT_TRUE(std::filesystem::is_empty(spool.Path()));
}

TEST_F(ProcessingCycleTest, EntryDeletedWhileItsJobPrintsDoesNotDisturbTheJob) {
    spool.Write("a.qsf", SpoolFile("a"));
    ListAndAllow();
    jobs.OnJob = [this] { queue.DeleteAll(spool.Path()); };
    cycle.StartJob(0, spool.Path());
    EXPECT_EQ(jobs.Jobs.size(), 1u);
    EXPECT_TRUE(queue.Empty());
}

// A client may write every job under the same name: each file is a job of its own, printed once.
TEST_F(ProcessingCycleTest, ANameReusedWhileOrAfterItsJobPrintsIsANewJobPrintedOnce) {
    const std::pair<const char*, bool> cases[] = {{"while it prints", true},
                                                  {"right after it printed", false}};
    for (const auto& [name, whilePrinting] : cases) {
        SCOPED_TRACE(name);
        jobs.Jobs.clear();
        spool.Write("tisk.qsf", SpoolFile("first", "1"));
        ListAndAllow();
        jobs.OnJob = [this, whilePrinting = whilePrinting] {
            if (whilePrinting && jobs.Jobs.size() == 1) {
                spool.Write("tisk.qsf", SpoolFile("second", "2"));
            }
        };
        cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path());
        if (!whilePrinting) {
            spool.Write("tisk.qsf", SpoolFile("second", "2"));
        }
        ListAndAllow();
        ASSERT_EQ(queue.Count(), 1u);
        EXPECT_EQ(queue.Entries()[0].State, kStateWaiting);
        EXPECT_EQ(queue.Entries()[0].Description, "second");

        cycle.StartJob(cycle.FirstWaitingEntry(), spool.Path());
        ListAndAllow();
        EXPECT_TRUE(queue.Empty());
        ASSERT_EQ(jobs.Jobs.size(), 2u);
        EXPECT_EQ(jobs.Jobs[0].Records, "1");
        EXPECT_EQ(jobs.Jobs[1].Records, "2");
        EXPECT_TRUE(std::filesystem::is_empty(spool.Path()));
    }
}

TEST_F(ProcessingCycleTest, IdleWorkOnlyWhileARescanIsPendingOrAJobCouldStart) {
    spool.Write("a.qsf", SpoolFile("a"));
    queue.Rescan(spool.Path(), Clock::now());
    cycle.SetPrinterEnabled(true);
    EXPECT_FALSE(cycle.HasIdleWork()) << "no tick yet";
    cycle.TimerTick();
    EXPECT_TRUE(cycle.HasIdleWork()) << "rescan pending";
    cycle.SetRescanPending(false);
    EXPECT_TRUE(cycle.HasIdleWork()) << "a waiting entry may start";
    queue.ToggleEntry(0);
    EXPECT_FALSE(cycle.HasIdleWork()) << "only paused entries";
    queue.ToggleEntry(0);
    cycle.SetPrinterEnabled(false);
    EXPECT_FALSE(cycle.HasIdleWork()) << "printing paused";
}

}  // namespace
}  // namespace ostrelin::app
