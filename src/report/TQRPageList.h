#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>

#include "report/TQRStream.h"

namespace ostrelin::report {

// The page store: a header followed by one record per page in a TQRStream.
//
// Header (124 bytes at offset 0, little-endian): uint16 3, uint16 212, 4 zero bytes, int32 page
// count, float64 local date and time of writing (days since 30 December 1899), one zero byte, one
// byte compression flag (1 compressed), zeros to 124 bytes.
// Record: int32 page number, int32 position just past the record, the page data, int32 position of
// the record's start. Page data is the page's bytes, or, compressed, an int32 count of those bytes
// followed by their TQRCompress coding.
class TQRPageList {
  public:
    static constexpr std::int64_t kHeaderSize = 124;

    // The local date and time as days since 30 December 1899 with the time as the fraction.
    using Clock = std::function<double()>;

    // A list writing into no stream yet; `clock` stamps the header (the local time by default).
    explicit TQRPageList(Clock clock = {});

    // Gives the list the stream it writes into, or detaches it with nullptr. Not owned.
    void SetStream(TQRStream* stream) { stream_ = stream; }
    TQRStream* Stream() const { return stream_; }

    bool Compression() const { return compression_; }
    void SetCompression(bool compression) { compression_ = compression; }

    int PageCount() const { return pageCount_; }
    // Forgets the pages (the count becomes 0); the stream is left as it is.
    void Clear() { pageCount_ = 0; }

    // Appends one page record; the first page also writes the header.
    void AddPage(std::span<const std::uint8_t> page);
    // Writes the header again with the final page count.
    void Finish();

  private:
    void WriteHeader();

    std::mutex lock_;
    Clock clock_;
    TQRStream* stream_ = nullptr;
    int pageCount_ = 0;
    bool compression_ = false;
};

// The local date and time now, as days since 30 December 1899 with the time as the fraction.
double LocalDateTimeNow();

}  // namespace ostrelin::report
