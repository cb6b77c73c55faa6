#include "report/TQRStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <string_view>

#include "platform/Error.h"
#include "platform/files/ErrorText.h"

namespace ostrelin::report {

namespace {

// Creates a new file "QRP" + random letters in the temporary folder, never reusing an existing
// name (exclusive creation), and returns it open for reading and writing.
std::FILE* CreateTemporaryFile(std::filesystem::path& path) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> letter(0, 25);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "QRP";
        for (int i = 0; i < 8; ++i) {
            name += static_cast<char>('A' + letter(random));
        }
        path = folder / (name + ".tmp");
        if (std::FILE* file = std::fopen(path.c_str(), "w+bx")) {
            return file;
        }
    }
    throw Error("Ve složce " + folder.string() +
                " nelze vytvořit dočasný soubor tištěných stránek: " +
                platform::files::FileErrorText(errno) + ".");
}

// "Dočasný soubor tištěných stránek X nelze <verb>: <cause>."
std::string FileFailure(std::string_view verb, const std::filesystem::path& path, int error) {
    return "Dočasný soubor tištěných stránek " + path.string() + " nelze " + std::string(verb) +
           ": " + platform::files::FileErrorText(error) + ".";
}

}  // namespace

TQRStream::TQRStream(std::size_t memoryLimit) : memoryLimit_(memoryLimit) {}

TQRStream::~TQRStream() {
    if (file_) {
        file_.reset();
        std::error_code ignored;
        std::filesystem::remove(filePath_, ignored);
    }
}

void TQRStream::MoveToFile() {
    file_.reset(CreateTemporaryFile(filePath_));
    if (!memory_.empty() &&
        std::fwrite(memory_.data(), 1, memory_.size(), file_.get()) != memory_.size()) {
        throw Error(FileFailure("zapsat", filePath_, errno));
    }
    memory_.clear();
    memory_.shrink_to_fit();
}

void TQRStream::Write(std::span<const std::uint8_t> bytes) {
    const std::scoped_lock guard(lock_);
    const std::int64_t end = position_ + static_cast<std::int64_t>(bytes.size());
    if (!file_ && end > static_cast<std::int64_t>(memoryLimit_)) {
        MoveToFile();
    }
    if (file_) {
        // Writing past the end of a file fills the gap with zeros, like the memory form.
        errno = 0;
        if (std::fseek(file_.get(), static_cast<long>(position_), SEEK_SET) != 0 ||
            std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
            throw Error(FileFailure("zapsat", filePath_, errno));
        }
    } else {
        if (end > static_cast<std::int64_t>(memory_.size())) {
            memory_.resize(static_cast<std::size_t>(end));
        }
        std::copy(bytes.begin(), bytes.end(),
                  memory_.begin() + static_cast<std::ptrdiff_t>(position_));
    }
    position_ = end;
    size_ = std::max(size_, end);
}

std::size_t TQRStream::Read(std::span<std::uint8_t> into) {
    const std::scoped_lock guard(lock_);
    const std::int64_t available = std::max<std::int64_t>(0, size_ - position_);
    const auto count =
        static_cast<std::size_t>(std::min<std::int64_t>(available, std::ssize(into)));
    if (count == 0) {
        return 0;
    }
    if (file_) {
        errno = 0;
        if (std::fseek(file_.get(), static_cast<long>(position_), SEEK_SET) != 0 ||
            std::fread(into.data(), 1, count, file_.get()) != count) {
            throw Error(FileFailure("přečíst", filePath_, errno));
        }
    } else {
        std::memcpy(into.data(), memory_.data() + position_, count);
    }
    position_ += static_cast<std::int64_t>(count);
    return count;
}

std::int64_t TQRStream::Seek(std::int64_t offset, SeekOrigin origin) {
    const std::scoped_lock guard(lock_);
    const std::int64_t base = origin == SeekOrigin::Begin     ? 0
                              : origin == SeekOrigin::Current ? position_
                                                              : size_;
    if (base + offset < 0) {
        throw Error("Nelze se přesunout před začátek uložených stránek.");
    }
    position_ = base + offset;
    return position_;
}

std::int64_t TQRStream::Position() const {
    const std::scoped_lock guard(lock_);
    return position_;
}

std::int64_t TQRStream::Size() const {
    const std::scoped_lock guard(lock_);
    return size_;
}

bool TQRStream::InFile() const {
    const std::scoped_lock guard(lock_);
    return file_ != nullptr;
}

std::filesystem::path TQRStream::FilePath() const {
    const std::scoped_lock guard(lock_);
    return filePath_;
}

}  // namespace ostrelin::report
