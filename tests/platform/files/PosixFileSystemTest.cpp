#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/Error.h"
#include "platform/TempDir.h"
#include "platform/files/posix/PosixFileSystem.h"
#include "platform/files/posix/WriterWatch.h"

namespace ostrelin::platform::files {
namespace {

using ostrelin::testing::TempDir;

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

// A spool directory with every kind of entry the search has to tell apart.
class FindFilesTest : public ::testing::Test {
  protected:
    FindFilesTest() {
        WriteFile(dir_ / "x.qsf", "abc");
        WriteFile(dir_ / "Y.QsF", "hello");
        WriteFile(dir_ / ".hidden.qsf", "h");
        WriteFile(dir_ / "readonly.qsf", "r");
        std::filesystem::permissions(dir_ / "readonly.qsf",
                                     std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
        std::filesystem::create_directory(dir_ / "X.QSF");
        std::filesystem::create_directory(dir_ / ".hiddendir.qsf");
        EXPECT_EQ(::mkfifo((dir_ / "pipe.qsf").c_str(), 0600), 0);
        std::filesystem::create_symlink(dir_ / "x.qsf", dir_ / "link.qsf");
        std::filesystem::create_symlink(dir_ / "nowhere", dir_ / "lost.qsf");
        WriteFile(dir_ / "other.txt", "o");
        WriteFile(dir_ / "x.qsf.bak", "b");
    }

    std::vector<std::pair<std::string, std::uint32_t>> Find(std::uint32_t mask) const {
        std::vector<std::pair<std::string, std::uint32_t>> result;
        for (const FoundFile& file :
             PosixFileSystem{}.FindFiles(dir_.Path().string(), "*.QSF", mask)) {
            result.emplace_back(file.Name, file.Attributes);
        }
        return result;
    }

    TempDir dir_;
};

TEST_F(FindFilesTest, AttributeMaskSelectsEntriesLikeAWildcardSearch) {
    using Found = std::vector<std::pair<std::string, std::uint32_t>>;
    // Symbolic links are never listed, whatever they point to.
    const Found plainFiles = {
        {"readonly.qsf", faArchive | faReadOnly},
        {"x.qsf", faArchive},
        {"Y.QsF", faArchive},
    };
    EXPECT_EQ(Find(0), plainFiles);
    EXPECT_EQ(Find(faReadOnly | faArchive), plainFiles);

    EXPECT_EQ(Find(faHidden), (Found{
                                  {".hidden.qsf", faArchive | faHidden},
                                  {"readonly.qsf", faArchive | faReadOnly},
                                  {"x.qsf", faArchive},
                                  {"Y.QsF", faArchive},
                              }));
    EXPECT_EQ(Find(faDirectory), (Found{
                                     {"readonly.qsf", faArchive | faReadOnly},
                                     {"X.QSF", faDirectory},
                                     {"x.qsf", faArchive},
                                     {"Y.QsF", faArchive},
                                 }));
    EXPECT_EQ(Find(faAnyFile), (Found{
                                   {".hidden.qsf", faArchive | faHidden},
                                   {".hiddendir.qsf", faDirectory | faHidden},
                                   {"readonly.qsf", faArchive | faReadOnly},
                                   {"X.QSF", faDirectory},
                                   {"x.qsf", faArchive},
                                   {"Y.QsF", faArchive},
                               }));
}

TEST_F(FindFilesTest, ReportsSizeAndLastWrite) {
    const timeval times[2] = {{1'000'000'000, 0}, {1'234'567'890, 500'000}};
    ASSERT_EQ(::utimes((dir_ / "x.qsf").c_str(), times), 0);
    const auto expectedTime =
        std::chrono::system_clock::from_time_t(1'234'567'890) + std::chrono::microseconds{500'000};

    for (const FoundFile& file : PosixFileSystem{}.FindFiles(dir_.Path().string(), "*.qsf", 0)) {
        if (file.Name == "x.qsf") {
            EXPECT_EQ(file.Size, 3);
            EXPECT_EQ(file.LastWrite, expectedTime);
        }
        if (file.Name == "Y.QsF") {
            EXPECT_EQ(file.Size, 5);
        }
    }
}

// A link in a folder that several users write to must not hand one user's file to another.
TEST(SymbolicLinks, AreNeitherListedNorOpened) {
    const TempDir dir;
    WriteFile(dir / "private.txt", "heslo\r\n");
    std::filesystem::create_symlink(dir / "private.txt", dir / "LINK.QSF");
    const PosixFileSystem files;
    EXPECT_TRUE(files.FindFiles(dir.Path().string(), "*.QSF", faAnyFile).empty());
    EXPECT_EQ(files.ReadTextLine(dir / "LINK.QSF", 100), std::nullopt);
    EXPECT_THROW(files.LoadWholeFile(dir / "LINK.QSF"), Error);
    EXPECT_THROW(files.Claim(dir / "LINK.QSF", dir / ".LINK.QSF.printing-1"), Error);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "LINK.QSF"));
}

TEST(FindFiles, MissingDirectoryGivesNothing) {
    const TempDir dir;
    EXPECT_TRUE(PosixFileSystem{}.FindFiles(dir / "missing", "*", faAnyFile).empty());
    EXPECT_TRUE(PosixFileSystem{}.FindFiles(dir.Path().string(), "*", faAnyFile).empty());
}

// Each of these must be refused with the path in the message, and none may block.
TEST(LoadWholeFile, RefusesWhatIsNotAReadableRegularFile) {
    const TempDir dir;
    std::filesystem::create_directory(dir / "folder.qsf");
    ASSERT_EQ(::mkfifo((dir / "pipe.qsf").c_str(), 0600), 0);

    for (const std::string& path : {dir / "missing.qsf", dir / "folder.qsf", dir / "pipe.qsf"}) {
        try {
            (void)PosixFileSystem{}.LoadWholeFile(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot open file " + path);
        }
    }
}

TEST(LoadWholeFile, ReturnsEveryByte) {
    const TempDir dir;
    std::string content;
    for (int i = 0; i < 100'000; ++i) {
        content.push_back(static_cast<char>(i * 7 % 256));
    }
    WriteFile(dir / "big.qsf", content);
    WriteFile(dir / "empty.qsf", "");

    EXPECT_EQ(PosixFileSystem{}.LoadWholeFile(dir / "big.qsf"), content);
    EXPECT_EQ(PosixFileSystem{}.LoadWholeFile(dir / "empty.qsf"), "");
}

TEST(ReadTextLine, StopsAtCarriageReturnOrSubstitute) {
    const TempDir dir;
    const std::string longLine(5000, 'x');
    const std::string atChunkEnd(4096, 'y');
    const std::pair<std::string, std::string> cases[] = {
        {"Zakázka 12\r\n\x01\x02rest", "Zakázka 12"},
        {"first\nsecond\rthird", "first\nsecond"},
        {"ab\x1A\rcd", "ab"},
        {"\rtext", ""},
        {"no line end", "no line end"},
        {"", ""},
        {std::string("nul\0inside\r", 11), std::string("nul\0inside", 10)},
        {longLine + "\rtail", longLine},
        {atChunkEnd + "\rtail", atChunkEnd},
        {atChunkEnd + "z\rtail", atChunkEnd + "z"},
    };
    for (const auto& [content, expected] : cases) {
        WriteFile(dir / "job.qsf", content);
        EXPECT_EQ(PosixFileSystem{}.ReadTextLine(dir / "job.qsf", 100'000), expected)
            << "content of " << content.size() << " bytes";
    }
}

TEST(ReadTextLine, ReadsNoMoreThanItIsAskedFor) {
    const TempDir dir;
    const std::pair<std::string, std::string> cases[] = {
        {std::string(10, 'a') + "\r", std::string(10, 'a')},
        {std::string(11, 'b'), std::string(10, 'b')},
        {std::string(10'000, 'c') + "\r", std::string(10, 'c')},
        {"", ""},
    };
    for (const auto& [content, expected] : cases) {
        WriteFile(dir / "job.qsf", content);
        EXPECT_EQ(PosixFileSystem{}.ReadTextLine(dir / "job.qsf", 10), expected)
            << "content of " << content.size() << " bytes";
    }
}

TEST(ReadTextLine, NothingForWhatCannotBeRead) {
    const TempDir dir;
    std::filesystem::create_directory(dir / "folder.qsf");
    ASSERT_EQ(::mkfifo((dir / "pipe.qsf").c_str(), 0600), 0);

    for (const std::string& path : {dir / "missing.qsf", dir / "folder.qsf", dir / "pipe.qsf"}) {
        EXPECT_EQ(PosixFileSystem{}.ReadTextLine(path, 100), std::nullopt) << path;
    }
}

TEST(DeleteFile, RemovesAFileOnceAndRefusesDirectories) {
    const TempDir dir;
    WriteFile(dir / "job.qsf", "x");
    std::filesystem::create_directory(dir / "folder.qsf");

    EXPECT_TRUE(PosixFileSystem{}.DeleteFile(dir / "job.qsf"));
    EXPECT_FALSE(std::filesystem::exists(dir / "job.qsf"));
    EXPECT_FALSE(PosixFileSystem{}.DeleteFile(dir / "job.qsf"));
    EXPECT_FALSE(PosixFileSystem{}.DeleteFile(dir / "folder.qsf"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.qsf"));
}

TEST(Claim, TakesTheFileOutOfItsNameUnderALockAndEndsByDeletingOrGivingItBack) {
    const TempDir dir;
    const PosixFileSystem files;
    const std::string job = dir / "JOB.QSF", claimed = dir / ".JOB.QSF.printing-1";
    WriteFile(job, "records");

    auto claim = files.Claim(job, claimed);
    ASSERT_NE(claim, nullptr);
    EXPECT_FALSE(std::filesystem::exists(job));
    EXPECT_EQ(claim->Load(), "records");
    EXPECT_EQ(files.TakeUpClaim(claimed, job), nullptr) << "held by the claim";
    EXPECT_FALSE(files.DeleteUnlessLocked(claimed));
    EXPECT_TRUE(claim->GiveBack());
    EXPECT_TRUE(std::filesystem::exists(job));
    claim.reset();

    EXPECT_EQ(files.Claim(dir / "GONE.QSF", dir / ".GONE.QSF.printing-1"), nullptr);
    claim = files.Claim(job, claimed);
    ASSERT_NE(claim, nullptr);
    {
        const auto second = files.Claim(job, dir / ".JOB.QSF.printing-2");
        EXPECT_EQ(second, nullptr) << "the file is not under its name any more";
    }
    claim.reset();  // as if the run had ended while printing: the claim file stays, unlocked
    const auto takenUp = files.TakeUpClaim(claimed, job);
    ASSERT_NE(takenUp, nullptr);
    takenUp->Finish();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(Claim, AFileOfTheSameNameIsNeverReplacedWhenAClaimGivesItsFileBack) {
    const TempDir dir;
    const PosixFileSystem files;
    const std::string job = dir / "JOB.QSF";
    WriteFile(job, "first");
    const auto claim = files.Claim(job, dir / ".JOB.QSF.printing-1");
    ASSERT_NE(claim, nullptr);
    WriteFile(job, "second");
    EXPECT_FALSE(claim->GiveBack());
    EXPECT_EQ(files.LoadWholeFile(job), "second");
    EXPECT_EQ(claim->Load(), "first");
}

TEST(BeingWritten, TrueExactlyWhileAProcessHoldsTheFileOpenForWriting) {
    const TempDir dir;
    const PosixFileSystem files;
    const std::string job = dir / "JOB.QSF";
    {
        std::ofstream writer(job, std::ios::binary);
        writer << "half";
        writer.flush();
        EXPECT_TRUE(files.BeingWritten(job));
        std::ifstream reader(job);
        EXPECT_TRUE(files.BeingWritten(job)) << "a reader does not end it";
    }
    EXPECT_FALSE(files.BeingWritten(job));
    std::ifstream reader(job);
    EXPECT_FALSE(files.BeingWritten(job)) << "readers are no writers";
    EXPECT_FALSE(files.BeingWritten(dir / "GONE.QSF"));
}

// The signal that stands in for a lease on other owners' files: what the watch of the folder saw.
TEST(WriterWatch, KnowsFilesWrittenAndNotClosedSinceItBegan) {
    const TempDir dir;
    WriteFile(dir / "BEFORE.QSF", "written before the watch");
    std::ofstream before(dir / "OPEN.QSF", std::ios::binary);
    before << "opened before the watch";
    before.flush();

    WriterWatch watch(dir.Path().string());
    ASSERT_TRUE(watch.Active());
    EXPECT_FALSE(watch.OpenForWriting("BEFORE.QSF"));
    EXPECT_FALSE(watch.OpenForWriting("OPEN.QSF")) << "not known: the settle rule decides";
    {
        std::ofstream writer(dir / "NEW.QSF", std::ios::binary);
        EXPECT_TRUE(watch.OpenForWriting("NEW.QSF")) << "created";
        writer << "first piece";
        writer.flush();
        std::ifstream reader(dir / "NEW.QSF");
        EXPECT_TRUE(watch.OpenForWriting("NEW.QSF")) << "a reader does not end it";
    }
    EXPECT_FALSE(watch.OpenForWriting("NEW.QSF")) << "closed";
    {
        std::ofstream again(dir / "NEW.QSF", std::ios::binary | std::ios::app);
        again << "second piece";
        again.flush();
        EXPECT_TRUE(watch.OpenForWriting("NEW.QSF")) << "written again";
        std::filesystem::rename(dir / "NEW.QSF", dir / "MOVED.QSF");
        EXPECT_FALSE(watch.OpenForWriting("NEW.QSF"));
    }
    before.close();  // an open file keeps its folder from being gone for good
    std::filesystem::remove_all(dir.Path());
    EXPECT_FALSE(watch.OpenForWriting("MOVED.QSF"));
    EXPECT_FALSE(watch.Active()) << "the folder has gone";
}

TEST(DeleteUnlessLocked, DeletesWhatNoProcessHolds) {
    const TempDir dir;
    const PosixFileSystem files;
    const std::string part = dir / ".doc.pdf.part";
    WriteFile(part, "%PDF");
    {
        const auto held = files.TakeUpClaim(part, part);
        ASSERT_NE(held, nullptr);
        EXPECT_FALSE(files.DeleteUnlessLocked(part));
    }
    EXPECT_TRUE(files.DeleteUnlessLocked(part));
    EXPECT_FALSE(std::filesystem::exists(part));
}

}  // namespace
}  // namespace ostrelin::platform::files
