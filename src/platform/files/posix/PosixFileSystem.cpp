#include "platform/files/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <utility>

#include "platform/Error.h"
#include "platform/files/posix/FileReading.h"
#include "platform/files/posix/NameMatching.h"
#include "platform/files/posix/UniqueFd.h"

namespace ostrelin::platform::files {
namespace {

// Attributes that keep an entry out of a search unless the mask asks for them; everything else
// (read-only, archive) never excludes an entry.
constexpr std::uint32_t SelectiveAttributes = faHidden | faSysFile | faVolumeID | faDirectory;

constexpr std::size_t ReadChunk = 4096;

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::chrono::system_clock::time_point ToTimePoint(const struct timespec& time) {
    const auto sinceEpoch =
        std::chrono::seconds{time.tv_sec} + std::chrono::nanoseconds{time.tv_nsec};
    return std::chrono::system_clock::time_point{
        std::chrono::duration_cast<std::chrono::system_clock::duration>(sinceEpoch)};
}

bool IsReadOnly(int dirFd, const char* name, const struct stat& info) {
    const bool noWriteBit = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return noWriteBit || ::faccessat(dirFd, name, W_OK, AT_EACCESS) != 0;
}

}  // namespace

std::vector<FoundFile> PosixFileSystem::FindFiles(const std::string& directory,
                                                  const std::string& pattern,
                                                  std::uint32_t attributeMask) const {
    // Each entry with its case-folded name, the key it is sorted by.
    std::vector<std::pair<std::u32string, FoundFile>> found;
    const std::unique_ptr<DIR, DirCloser> dir{
        ::opendir(directory.empty() ? "." : directory.c_str())};
    if (!dir) {
        return {};
    }
    const int dirFd = ::dirfd(dir.get());
    const std::uint32_t excluded = ~attributeMask & SelectiveAttributes;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !WildcardMatch(pattern, name)) {
            continue;
        }
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;  // gone meanwhile
        }
        std::uint32_t attributes = 0;
        if (S_ISDIR(info.st_mode)) {
            attributes |= faDirectory;
        } else if (S_ISREG(info.st_mode)) {
            attributes |= faArchive;
        } else {
            continue;  // links, FIFOs, sockets and devices are not files one can print from
        }
        if (name.front() == '.') {
            attributes |= faHidden;
        }
        if (IsReadOnly(dirFd, entry->d_name, info)) {
            attributes |= faReadOnly;
        }
        if ((attributes & excluded) != 0) {
            continue;
        }
        found.emplace_back(FoldedName(name),
                           FoundFile{name, static_cast<std::int64_t>(info.st_size), attributes,
                                     ToTimePoint(info.st_mtim)});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.Name < b.second.Name;
    });
    std::vector<FoundFile> files;
    files.reserve(found.size());
    for (auto& [folded, file] : found) {
        files.push_back(std::move(file));
    }
    return files;
}

std::string PosixFileSystem::LoadWholeFile(const std::string& path) const {
    const UniqueFd fd = OpenRegularFile(path);
    std::optional<std::string> content = fd ? ReadToEnd(fd.Get()) : std::nullopt;
    if (!content) {
        throw Error("Cannot open file " + path);
    }
    return std::move(*content);
}

std::optional<std::string> PosixFileSystem::ReadTextLine(const std::string& path,
                                                         std::size_t maxBytes) const {
    const UniqueFd fd = OpenRegularFile(path);
    if (!fd) {
        return std::nullopt;
    }
    std::string line;
    std::array<char, ReadChunk> buffer;
    while (line.size() < maxBytes) {
        const ssize_t count =
            ReadSome(fd.Get(), buffer.data(), std::min(buffer.size(), maxBytes - line.size()));
        if (count < 0) {
            return std::nullopt;
        }
        const char* const begin = buffer.data();
        const char* const end = begin + count;
        const char* const stop =
            std::find_if(begin, end, [](char c) { return c == '\r' || c == '\x1A'; });
        line.append(begin, stop);
        if (count == 0 || stop != end) {
            break;
        }
    }
    return line;
}

bool PosixFileSystem::CreateNewFile(const std::string& path, const std::string& content) const {
    const UniqueFd fd{
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644)};
    if (!fd) {
        return false;
    }
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t count = ::write(fd.Get(), content.data() + written, content.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            ::unlink(path.c_str());
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

bool PosixFileSystem::DeleteFile(const std::string& path) const {
    return ::unlink(path.c_str()) == 0;
}

}  // namespace ostrelin::platform::files
