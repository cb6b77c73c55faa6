#include "platform/settings/posix/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/Error.h"
#include "platform/files/ErrorText.h"
#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::settings {
namespace {

using files::UniqueFd;

constexpr std::size_t ReadChunk = 4096;

[[noreturn]] void FailToWrite(const std::filesystem::path& path, int error) {
    throw Error("Soubor " + path.string() + " nelze zapsat: " + files::FileErrorText(error) + ".");
}

// The temporary file that becomes the new content; removed again unless it was renamed.
class PendingFile {
  public:
    explicit PendingFile(const std::filesystem::path& target) {
        std::string name = ".";
        name += target.filename().string();
        name += ".XXXXXX";
        std::string pattern = (target.parent_path() / name).string();
        fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd_ < 0) {
            FailToWrite(target, errno);
        }
        path_ = pattern;
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        Close();
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
    }

    int Fd() const { return fd_; }

    // Closes the file; the error number of a failed close (a late write error), or 0.
    int Close() {
        if (fd_ < 0) {
            return 0;
        }
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

    // Renames the file to `target`; the error number, or 0.
    int RenameTo(const std::filesystem::path& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return errno;
        }
        renamed_ = true;
        return 0;
    }

  private:
    int fd_ = -1;
    std::string path_;
    bool renamed_ = false;
};

int WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const std::filesystem::path& folder) {
    const UniqueFd fd{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (fd) {
        ::fsync(fd.Get());
    }
}

std::filesystem::path ResolveLink(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) {
        return path;
    }
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    return error ? path : resolved;
}

}  // namespace

SmallFileRead ReadSmallFile(const std::filesystem::path& path, std::size_t limit) {
    SmallFileRead result;
    const UniqueFd fd{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (!fd) {
        result.Exists = errno != ENOENT;
        if (result.Exists) {
            result.Failure = files::FileReadErrorText(errno);
        }
        return result;
    }
    result.Exists = true;
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        result.Failure = files::FileReadErrorText(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.Failure = "nejde o obyčejný soubor";
        return result;
    }
    char buffer[ReadChunk];
    while (result.Content.size() <= limit) {
        const ssize_t count = ::read(fd.Get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            result.Failure = files::FileReadErrorText(errno);
            result.Content.clear();
            return result;
        }
        if (count == 0) {
            break;
        }
        result.Content.append(buffer, static_cast<std::size_t>(count));
    }
    if (result.Content.size() > limit + 1) {
        result.Content.resize(limit + 1);
    }
    return result;
}

void ReplaceFileAtomically(const std::filesystem::path& path, std::string_view content,
                           std::filesystem::perms newFilePermissions) {
    const std::filesystem::path target = ResolveLink(path);
    std::error_code folderError;
    std::filesystem::create_directories(target.parent_path(), folderError);
    if (folderError) {
        throw Error("Soubor " + path.string() +
                    " nelze zapsat: " + files::FileErrorText(folderError.value()) + ".");
    }

    PendingFile pending(target);
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? old.st_mode & 07777
                                                          : static_cast<mode_t>(newFilePermissions);
    if (::fchmod(pending.Fd(), mode) != 0) {
        FailToWrite(path, errno);
    }
    if (const int error = WriteAll(pending.Fd(), content); error != 0) {
        FailToWrite(path, error);
    }
    if (::fsync(pending.Fd()) != 0) {
        FailToWrite(path, errno);
    }
    if (const int error = pending.Close(); error != 0) {
        FailToWrite(path, error);
    }
    if (const int error = pending.RenameTo(target); error != 0) {
        FailToWrite(path, error);
    }
    SyncFolder(target.parent_path());
}

}  // namespace ostrelin::platform::settings
