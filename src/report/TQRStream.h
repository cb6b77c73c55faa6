#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace ostrelin::report {

// A seekable byte stream that keeps its content in memory until a write would make it larger
// than its memory limit; it then moves the content into a temporary file (name prefix "QRP" in
// the system's temporary folder) and goes on there. The file is deleted with the stream. Reads,
// writes and seeks are serialised by the stream's own lock.
class TQRStream {
  public:
    enum class SeekOrigin { Begin, Current, End };

    explicit TQRStream(std::size_t memoryLimit);
    ~TQRStream();
    TQRStream(const TQRStream&) = delete;
    TQRStream& operator=(const TQRStream&) = delete;

    // Writes `bytes` at the current position, extending the stream as needed.
    void Write(std::span<const std::uint8_t> bytes);
    // Reads up to `into.size()` bytes from the current position; returns how many were read.
    std::size_t Read(std::span<std::uint8_t> into);
    // Moves the position and returns the new one; a position before the start fails.
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin);
    // The current position.
    std::int64_t Position() const;
    // The number of bytes in the stream.
    std::int64_t Size() const;
    // True once the content has moved into the temporary file.
    bool InFile() const;
    // The temporary file's path; empty while the content is in memory.
    std::filesystem::path FilePath() const;

  private:
    void MoveToFile();

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    mutable std::mutex lock_;
    std::size_t memoryLimit_;
    std::vector<std::uint8_t> memory_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::filesystem::path filePath_;
    std::int64_t position_ = 0;
    std::int64_t size_ = 0;
};

}  // namespace ostrelin::report
