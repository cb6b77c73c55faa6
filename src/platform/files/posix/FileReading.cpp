#include "platform/files/posix/FileReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ostrelin::platform::files {

UniqueFd OpenRegularFile(const std::string& path) {
    UniqueFd fd{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW)};
    struct stat info {};
    if (!fd || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return UniqueFd{};
    }
    return fd;
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) {
    ssize_t count = 0;
    do {
        count = ::read(fd, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count;
}

std::optional<std::string> ReadToEnd(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return std::nullopt;
    }
    // One byte more than the known size lets a file that did not grow end in one read plus the
    // read that reports its end; a file still being written simply makes the buffer grow.
    std::string content(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == content.size()) {
            content.resize(content.size() * 2);
        }
        const ssize_t count = ReadSome(fd, content.data() + used, content.size() - used);
        if (count < 0) {
            return std::nullopt;
        }
        if (count == 0) {
            break;
        }
        used += static_cast<std::size_t>(count);
    }
    content.resize(used);
    return content;
}

}  // namespace ostrelin::platform::files
