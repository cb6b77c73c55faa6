#include "platform/files/posix/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace ostrelin::platform::files {

bool LockExclusively(int fd) {
    int result = 0;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

UniqueFd CreateLockedFile(const std::string& path) {
    UniqueFd fd{::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644)};
    if (fd && !LockExclusively(fd.Get())) {
        // Only a run that found the new file within the same instant can hold it: leave it be.
        const int cause = errno;
        fd.Reset();
        errno = cause;
    }
    return fd;
}

}  // namespace ostrelin::platform::files
