#include "platform/files/posix/WriterWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace ostrelin::platform::files {

namespace {

constexpr std::uint32_t kWatchedEvents = IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_FROM |
                                         IN_MOVED_TO | IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF |
                                         IN_ONLYDIR;

}  // namespace

WriterWatch::WriterWatch(const std::string& directory)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ && ::inotify_add_watch(fd_.Get(), directory.c_str(), kWatchedEvents) < 0) {
        fd_.Reset();
    }
}

bool WriterWatch::OpenForWriting(const std::string& name) {
    TakeEvents();
    return writing_.contains(name);
}

void WriterWatch::TakeEvents() {
    alignas(inotify_event) std::array<char, 16 * 1024> buffer;
    while (fd_) {
        const ssize_t count = ::read(fd_.Get(), buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;  // nothing more for now
        }
        for (std::size_t at = 0; at + sizeof(inotify_event) <= static_cast<std::size_t>(count);) {
            inotify_event event{};
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* const nameStart = buffer.data() + at + sizeof event;
            const std::string name(nameStart, ::strnlen(nameStart, event.len));
            at += sizeof event + event.len;
            if ((event.mask & IN_Q_OVERFLOW) != 0) {
                writing_.clear();  // events were lost: nothing is known any more
            } else if ((event.mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) != 0) {
                writing_.clear();
                fd_.Reset();
                return;
            } else if ((event.mask & IN_ISDIR) != 0 || name.empty()) {
                continue;
            } else if ((event.mask & (IN_CREATE | IN_MODIFY)) != 0) {
                writing_.insert(name);
            } else {
                // Closed by a writer, moved in or out, or deleted: no writer known any more.
                writing_.erase(name);
            }
        }
    }
}

}  // namespace ostrelin::platform::files
