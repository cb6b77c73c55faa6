#include "platform/printing/pdf/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Error.h"
#include "platform/files/ErrorText.h"

namespace ostrelin::platform::printing::pdf {

OutputFile::OutputFile(const std::filesystem::path& path) : path_(path) {
    fd_.Reset(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd_) {
        Fail(errno);
    }
    open(QIODevice::WriteOnly);
}

qint64 OutputFile::readData(char*, qint64) {
    return -1;
}

qint64 OutputFile::writeData(const char* data, qint64 size) {
    if (firstError_ != 0) {
        return -1;
    }
    qint64 written = 0;
    while (written < size) {
        const ssize_t count =
            ::write(fd_.Get(), data + written, static_cast<std::size_t>(size - written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            firstError_ = count < 0 ? errno : ENOSPC;
            return -1;
        }
        written += count;
    }
    return written;
}

void OutputFile::Commit() {
    close();
    // A file system reports some failures only when the data goes to the disk. Devices that
    // cannot be synchronised (EINVAL) hold nothing to lose.
    if (firstError_ == 0 && ::fsync(fd_.Get()) != 0 && errno != EINVAL) {
        firstError_ = errno;
    }
    fd_.Reset();
    if (firstError_ != 0) {
        Fail(firstError_);
    }
}

void OutputFile::Fail(int error) const {
    throw Error("Dokument nelze zapsat do složky " + path_.parent_path().string() + ": " +
                files::FileErrorText(error) + ".");
}

}  // namespace ostrelin::platform::printing::pdf
