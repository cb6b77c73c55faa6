// Claims on spool files, the test for files still being written, and deleting files nobody holds:
// the parts of PosixFileSystem that rest on locks and leases.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Error.h"
#include "platform/files/ErrorText.h"
#include "platform/files/posix/FileLock.h"
#include "platform/files/posix/FileReading.h"
#include "platform/files/posix/PosixFileSystem.h"
#include "platform/files/posix/Rename.h"

namespace ostrelin::platform::files {

namespace {

bool SameFile(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// True when the rename failed only because the folder is sticky and the file is another user's:
// then nothing but the folder's setting can help, and the user is told what to change.
bool RefusedBySticky(int fd, const std::string& folder) {
    struct stat file {};
    struct stat dir {};
    const uid_t self = ::geteuid();
    return ::fstat(fd, &file) == 0 && ::stat(folder.c_str(), &dir) == 0 &&
           (dir.st_mode & S_ISVTX) != 0 && file.st_uid != self && dir.st_uid != self;
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
        if (::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) != 0) {
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
        if ((cause == EPERM || cause == EACCES) && RefusedBySticky(fd.Get(), FolderOf(path))) {
            throw ForeignFileError(
                "Soubor " + path + " nelze převzít k tisku: patří jinému uživateli a složka " +
                FolderOf(path) +
                " má nastavený příznak sticky, se kterým cizí soubory smí přejmenovat jen jejich "
                "vlastník. Sdílenou složku pro tiskové úlohy nastavte jako skupinovou bez "
                "příznaku sticky (chmod 2770 a společná skupina všech uživatelů).");
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

void PosixFileSystem::WatchWriters(const std::string& directory) const {
    const std::scoped_lock guard(watchesLock_);
    std::unique_ptr<WriterWatch>& watch = watches_[directory];
    if (!watch || !watch->Active()) {
        watch = std::make_unique<WriterWatch>(directory);
    }
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
    // EACCES: another owner's file; EINVAL: a file system without leases.
    return errno == EAGAIN || WatchSeesWriter(path);
}

bool PosixFileSystem::WatchSeesWriter(const std::string& path) const {
    const std::string folder = FolderOf(path);
    const std::scoped_lock guard(watchesLock_);
    const auto watch = watches_.find(folder);
    return watch != watches_.end() && watch->second->OpenForWriting(path.substr(folder.size()));
}

bool PosixFileSystem::DeleteUnlessLocked(const std::string& path) const {
    const UniqueFd fd = OpenRegularFile(path);
    return fd && LockExclusively(fd.Get()) && SameFile(fd.Get(), path) &&
           ::unlink(path.c_str()) == 0;
}

}  // namespace ostrelin::platform::files
