#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/SpoolFiles.h"
#include "app/queue/SpoolQueue.h"
#include "platform/files/posix/PosixFileSystem.h"

namespace ostrelin::app {
namespace {

using testing::SpoolDirectory;
using testing::SpoolFile;
using namespace std::chrono_literals;
using Clock = std::chrono::system_clock;

class SpoolQueueTest : public ::testing::Test {
  protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const QueueEntry& entry : queue.Entries()) {
            names.push_back(entry.FileName);
        }
        return names;
    }
    void Rescan(Clock::time_point now = Clock::now()) { queue.Rescan(spool.Path(), now); }

    platform::files::PosixFileSystem files;
    SpoolDirectory spool;
    SpoolQueue queue{files};
};

TEST_F(SpoolQueueTest, ListsNonEmptySpoolFilesWithUpperCaseNameSizeStateAndDescription) {
    // "Příliš žluťoučký" in code page 852, behind two control bytes that the queue drops.
    spool.Write("job1.qsf",
                SpoolFile("\x01\x02P\xfd\xa1li\xe7 \xa7lu\x9cou\x9fk\xec", "\x01\x01\x07"));
    spool.Write("empty.qsf", "");
    spool.Write("notes.txt", "not a job");
    spool.Write(".hidden.qsf", SpoolFile("skryty"));
    spool.Write("readonly.Qsf", SpoolFile("jen pro cteni"));
    std::filesystem::permissions(spool.File("readonly.Qsf"), std::filesystem::perms::owner_read);
    std::filesystem::create_directory(spool.File("DIR.QSF"));

    Rescan();

    ASSERT_EQ(Names(), (std::vector<std::string>{".HIDDEN.QSF", "JOB1.QSF", "READONLY.QSF"}));
    const QueueEntry& job = queue.Entries()[1];
    EXPECT_EQ(job.DiskName, "job1.qsf");
    EXPECT_EQ(job.Size, std::to_string(std::filesystem::file_size(spool.File("job1.qsf"))));
    EXPECT_EQ(job.State, kStateWaiting);
    EXPECT_EQ(job.Description, "Příliš žluťoučký");
}

TEST_F(SpoolQueueTest, RescanKeepsKnownEntriesAppendsNewOnesAndDropsVanishedOnes) {
    spool.Write("b.qsf", SpoolFile("b"));
    spool.Write("c.qsf", SpoolFile("c"));
    Rescan();
    queue.ToggleEntry(1);  // C paused: a state the rescan must keep

    spool.Write("a.qsf", SpoolFile("a"));
    spool.Remove("b.qsf");
    spool.Write("C.QSF.tmp", "ignored");
    spool.Append("c.qsf", "grown", Clock::now() - 5s);
    spool.Write("empty.qsf", "");
    Rescan();
    EXPECT_EQ(Names(), (std::vector<std::string>{"C.QSF", "A.QSF"}));
    EXPECT_EQ(queue.Entries()[0].State, kStatePaused);
    EXPECT_EQ(queue.Entries()[0].Size, std::to_string(SpoolFile("c").size()))
        << "the size is taken once, when the entry is added";

    spool.Append("empty.qsf", "x", Clock::now() - 5s);
    Rescan();
    EXPECT_EQ(Names(), (std::vector<std::string>{"C.QSF", "A.QSF", "EMPTY.QSF"}));
}

TEST_F(SpoolQueueTest, EveryFileIsAnEntryOfItsOwnByItsNameOnDisk) {
    spool.Write("job1.qsf", SpoolFile("lower"));
    spool.Write("JOB1.QSF", SpoolFile("upper"));
    spool.Write("x\xff.qsf", SpoolFile("not UTF-8"));
    spool.Write("x\xfe.qsf", SpoolFile("not UTF-8 either"));
    Rescan();
    ASSERT_EQ(queue.Count(), 4u);
    queue.ToggleEntry(0);
    Rescan();
    EXPECT_EQ(queue.Count(), 4u) << "a second scan finds each file its own entry";
    std::vector<std::string> diskNames;
    for (const QueueEntry& entry : queue.Entries()) {
        diskNames.push_back(entry.DiskName);
    }
    std::sort(diskNames.begin(), diskNames.end());
    EXPECT_EQ(diskNames,
              (std::vector<std::string>{"JOB1.QSF", "job1.qsf", "x\xfe.qsf", "x\xff.qsf"}));
    std::vector<std::string> shown = Names();
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, (std::vector<std::string>{"JOB1.QSF", "JOB1.QSF", "XŢ.QSF", "X˙.QSF"}))
        << "names that are not UTF-8 read as code page 1250";

    queue.DeleteEntry(0, spool.Path());
    queue.DeleteAll(spool.Path());
    EXPECT_TRUE(std::filesystem::is_empty(spool.Path())) << "each deleted with its own file";
}

TEST_F(SpoolQueueTest, MissingDirectoryEmptiesTheQueue) {
    spool.Write("a.qsf", SpoolFile("a"));
    Rescan();
    ASSERT_EQ(queue.Count(), 1u);
    queue.Rescan(spool.Path() + "gone/", Clock::now());
    EXPECT_TRUE(queue.Empty());
}

TEST_F(SpoolQueueTest, FileStillBeingWrittenIsListedOnlyOnceItHasSettled) {
    const Clock::time_point start = Clock::now();
    spool.Write("slow.qsf", SpoolFile("first piece"), start);
    Rescan(start + 300ms);
    EXPECT_TRUE(queue.Empty()) << "written 0.3 s ago";

    spool.Append("slow.qsf", "second piece", start + 600ms);
    Rescan(start + 900ms);
    EXPECT_TRUE(queue.Empty()) << "written again 0.3 s ago";

    Rescan(start + 1700ms);
    ASSERT_EQ(queue.Count(), 1u);
    EXPECT_EQ(queue.Entries()[0].Size, std::to_string(SpoolFile("first piece").size() + 12));
}

TEST_F(SpoolQueueTest, FileAWriterHoldsOpenIsNotListedHoweverLongItPauses) {
    spool.Write("held.qsf", SpoolFile("first piece"));
    {
        std::ofstream writer(spool.File("held.qsf"), std::ios::binary | std::ios::app);
        writer << "second piece";
        writer.flush();
        spool.SetLastWrite("held.qsf", Clock::now() - 1min);
        Rescan();
        EXPECT_TRUE(queue.Empty()) << "still open for writing";
    }
    Rescan();
    ASSERT_EQ(queue.Count(), 1u);
}

TEST_F(SpoolQueueTest, ClaimsLeftByARunThatEndedWhilePrintingAreTakenUpAtTheFirstRescan) {
    spool.Write(".ONCE.QSF.printing-1", SpoolFile("ended one run"));
    spool.Write(".TWICE.QSF.printing-2", SpoolFile("ended two runs"));
    spool.Write(".HELD.QSF.printing-1", SpoolFile("printing beside us"));
    spool.Write(".ODD.QSF.printing-x", SpoolFile("not a claim"));
    spool.Write(".TAKEN.QSF.printing-1", SpoolFile("its name was taken"));
    spool.Write("TAKEN.QSF", SpoolFile("a new job under the old name"));
    const auto held = files.TakeUpClaim(spool.File(".HELD.QSF.printing-1"), spool.File("HELD.QSF"));
    Rescan();
    ASSERT_EQ(Names(),
              (std::vector<std::string>{"TAKEN.QSF", "ONCE.QSF", "TAKEN.QSF", "TWICE.QSF"}));
    EXPECT_EQ(queue.Entries()[0].Description, "its name was taken");
    EXPECT_EQ(queue.PathOf(0, spool.Path()), spool.File(".TAKEN.QSF.printing-1"));
    EXPECT_EQ(queue.Entries()[1].State, kStateWaiting);
    EXPECT_EQ(queue.Entries()[2].Description, "a new job under the old name");
    EXPECT_EQ(queue.Entries()[3].State, kStateFailed);
    EXPECT_EQ(queue.Entries()[3].ErrorText,
              "Tisk této úlohy už dvakrát ukončil program. Úloha zůstává ve frontě; znovu ji "
              "povolíte příkazem Pozastavit/povolit dokument.");
    EXPECT_TRUE(spool.Exists(".HELD.QSF.printing-1"));
    EXPECT_TRUE(spool.Exists(".ODD.QSF.printing-x"));

    // The next claims count the run that ended.
    const auto once = queue.Claim(1, spool.Path());
    ASSERT_NE(once, nullptr);
    EXPECT_TRUE(spool.Exists(".ONCE.QSF.printing-2"));
    const auto taken = queue.Claim(0, spool.Path());
    ASSERT_NE(taken, nullptr);
    EXPECT_TRUE(spool.Exists(".TAKEN.QSF.printing-2"));
    EXPECT_EQ(taken->Load(), SpoolFile("its name was taken"));
    taken->Finish();
    Rescan();
    EXPECT_EQ(Names(), (std::vector<std::string>{"ONCE.QSF", "TAKEN.QSF", "TWICE.QSF"}))
        << "an entry goes with its claim, and the new file under its name stays";
}

// Every name a client can create can be claimed: a claim name never passes the file system's
// limit, and the whole name comes back with the file, also after a run ended while printing.
TEST_F(SpoolQueueTest, NamesOfEveryLengthAreClaimedWithinTheLimitAndGivenBackWhole) {
    std::string czech;
    for (int i = 0; i < 125; ++i) {
        czech += "ř";
    }
    const std::string names[] = {
        std::string(230, 'a') + ".qsf",  // the longest name claimed under itself
        std::string(231, 'b') + ".QSF",  // the shortest one that is shortened
        czech + "x.Qsf",                 // 255 bytes, cut between two-byte letters
        std::string(251, 'c') + ".QSF",  // 255 bytes
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name.size());
        ASSERT_LE(name.size(), 255u);
        spool.Write(name, SpoolFile("dlouhy"));
        Rescan();
        ASSERT_EQ(queue.Count(), 1u);

        auto claim = queue.Claim(0, spool.Path());
        ASSERT_NE(claim, nullptr);
        const std::filesystem::path claimed = queue.PathOf(0, spool.Path());
        EXPECT_LE(claimed.filename().string().size(), 255u);
        EXPECT_TRUE(std::filesystem::exists(claimed));
        EXPECT_FALSE(spool.Exists(name));
        EXPECT_TRUE(claim->GiveBack());
        EXPECT_TRUE(spool.Exists(name));
        claim.reset();

        claim = queue.Claim(0, spool.Path());
        ASSERT_NE(claim, nullptr);
        claim.reset();  // the run ends while printing
        SpoolQueue next{files};
        next.Rescan(spool.Path(), Clock::now());
        ASSERT_EQ(next.Count(), 1u);
        EXPECT_EQ(next.Entries()[0].DiskName, name);
        EXPECT_TRUE(spool.Exists(name));
        const auto again = next.Claim(0, spool.Path());
        ASSERT_NE(again, nullptr);
        EXPECT_NE(next.PathOf(0, spool.Path()).find(".printing-2"), std::string::npos);
        again->Finish();
        EXPECT_TRUE(std::filesystem::is_empty(spool.Path())) << "no claim or name note left";
        queue.DeleteAll(spool.Path());
    }
}

TEST_F(SpoolQueueTest, FileDatedInTheFutureIsListedOnceUnchangedBetweenTwoScans) {
    const Clock::time_point now = Clock::now();
    spool.Write("future.qsf", SpoolFile("z budoucnosti"), now + 1h);
    Rescan(now);
    EXPECT_TRUE(queue.Empty());
    Rescan(now + 5s);
    EXPECT_EQ(queue.Count(), 1u);
}

TEST_F(SpoolQueueTest, ToggleMovesBetweenWaitingAndPausedButNeverTouchesPrinting) {
    spool.Write("a.qsf", SpoolFile("a"));
    spool.Write("b.qsf", SpoolFile("b"));
    Rescan();
    queue.ToggleEntry(0);
    EXPECT_EQ(queue.Entries()[0].State, kStatePaused);
    queue.ToggleEntry(0);
    EXPECT_EQ(queue.Entries()[0].State, kStateWaiting);
    queue.SetState(1, kStatePrinting);
    queue.ToggleEntry(1);
    EXPECT_EQ(queue.Entries()[1].State, kStatePrinting);
    EXPECT_EQ(queue.FirstWaiting(), 0u);
}

TEST_F(SpoolQueueTest, DeletingRemovesFilesAndEntriesWhateverTheirState) {
    for (const char* name : {"a.qsf", "b.qsf", "c.qsf"}) {
        spool.Write(name, SpoolFile(name));
    }
    Rescan();
    queue.DeleteEntry(1, spool.Path());
    EXPECT_FALSE(spool.Exists("b.qsf"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"A.QSF", "C.QSF"}));

    queue.ToggleEntry(0);
    queue.SetState(1, kStatePrinting);
    spool.Remove("c.qsf");  // already gone: not an error
    queue.DeleteAll(spool.Path());
    EXPECT_TRUE(queue.Empty());
    EXPECT_FALSE(spool.Exists("a.qsf"));
}

}  // namespace
}  // namespace ostrelin::app
