// Claims on spool files, the test for files still being written, and deleting files nobody holds:
// the parts of PosixFileSystem that rest on locks and leases.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Error.h"
#include "platform/files/ErrorText.h"
#include "platform/files/posix/FileReading.h"
#include "platform/files/posix/PosixFileSystem.h"
#include "platform/files/posix/Rename.h"

namespace ostrelin::platform::files {

namespace {

// Locks the open file for this process alone; false when another process holds a lock on it.
bool LockExclusively(int fd) {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool SameFile(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

class PosixClaimedFile final : public ClaimedFile {
  public:
    PosixClaimedFile(UniqueFd fd, std::string claimPath, std::string originalPath)
        : fd_(std::move(fd)),
          claimPath_(std::move(claimPath)),
          originalPath_(std::move(originalPath)) {}

    std::string Load() override {
        std::optional<std::string> content;
        if (::lseek(fd_.Get(), 0, SEEK_SET) == 0) {
            content = ReadToEnd(fd_.Get());
        }
        if (!content) {
            throw Error("Cannot open file " + claimPath_);
        }
        return std::move(*content);
    }

    void Finish() override { ::unlink(claimPath_.c_str()); }

    bool GiveBack() override { return RenameWithoutReplacing(claimPath_, originalPath_); }

  private:
    UniqueFd fd_;  // holds the lock
    std::string claimPath_;
    std::string originalPath_;
};

}  // namespace

std::unique_ptr<ClaimedFile> PosixFileSystem::Claim(const std::string& path,
                                                    const std::string& claimPath) const {
    // The lock is taken on the file before it is renamed, so the claim file is never seen
    // unlocked by a run that looks for claims left behind.
    UniqueFd fd = OpenRegularFile(path);
    if (!fd) {
        if (::access(path.c_str(), F_OK) != 0) {
            return nullptr;  // gone
        }
        throw Error("Cannot open file " + path);
    }
    if (!LockExclusively(fd.Get()) || !SameFile(fd.Get(), path)) {
        return nullptr;
    }
    if (!RenameWithoutReplacing(path, claimPath)) {
        const int cause = errno;
        if (cause == ENOENT) {
            return nullptr;  // another run took it first
        }
        throw Error("Soubor " + path + " nelze převzít k tisku: " + FileErrorText(cause) + ".");
    }
    if (!SameFile(fd.Get(), claimPath)) {
        // The writer put a new file under that name between the lock and the rename: that one is
        // not ours to print yet.
        RenameWithoutReplacing(claimPath, path);
        return nullptr;
    }
    return std::make_unique<PosixClaimedFile>(std::move(fd), claimPath, path);
}

std::unique_ptr<ClaimedFile> PosixFileSystem::TakeUpClaim(const std::string& claimPath,
                                                          const std::string& originalPath) const {
    UniqueFd fd = OpenRegularFile(claimPath);
    if (!fd || !LockExclusively(fd.Get()) || !SameFile(fd.Get(), claimPath)) {
        return nullptr;
    }
    return std::make_unique<PosixClaimedFile>(std::move(fd), claimPath, originalPath);
}

bool PosixFileSystem::BeingWritten(const std::string& path) const {
    const UniqueFd fd = OpenRegularFile(path);
    if (!fd) {
        return false;
    }
    if (::fcntl(fd.Get(), F_SETLEASE, F_RDLCK) == 0) {
        ::fcntl(fd.Get(), F_SETLEASE, F_UNLCK);
        return false;
    }
    return errno == EAGAIN;
}

bool PosixFileSystem::DeleteUnlessLocked(const std::string& path) const {
    const UniqueFd fd = OpenRegularFile(path);
    return fd && LockExclusively(fd.Get()) && SameFile(fd.Get(), path) &&
           ::unlink(path.c_str()) == 0;
}

}  // namespace ostrelin::platform::files
