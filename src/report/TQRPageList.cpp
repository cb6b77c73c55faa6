#include "report/TQRPageList.h"

#include <array>
#include <chrono>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/Error.h"
#include "report/TQRCompress.h"

namespace ostrelin::report {

namespace {

void PutInt32(std::vector<std::uint8_t>& out, std::int64_t value) {
    const auto v = static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void PutAt(std::span<std::uint8_t> out, std::size_t at, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

double LocalDateTimeNow() {
    using namespace std::chrono;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const sys_days date{year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday};
    const sys_days origin{year{1899} / December / 30};
    const int seconds = (local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec;
    return static_cast<double>((date - origin).count()) + seconds / 86400.0;
}

TQRPageList::TQRPageList(Clock clock)
    : clock_(clock ? std::move(clock) : Clock(LocalDateTimeNow)) {}

void TQRPageList::WriteHeader() {
    std::array<std::uint8_t, kHeaderSize> header{};
    PutAt(header, 0, 3, 2);
    PutAt(header, 2, 212, 2);
    PutAt(header, 8, static_cast<std::uint32_t>(pageCount_), 4);
    const double stamp = clock_();
    std::uint64_t stampBits = 0;
    std::memcpy(&stampBits, &stamp, sizeof stamp);
    PutAt(header, 12, stampBits, 8);
    header[21] = compression_ ? 1 : 0;
    const std::int64_t resume = stream_->Position();
    stream_->Seek(0, TQRStream::SeekOrigin::Begin);
    stream_->Write(header);
    stream_->Seek(std::max(resume, kHeaderSize), TQRStream::SeekOrigin::Begin);
}

void TQRPageList::AddPage(std::span<const std::uint8_t> page) {
    const std::scoped_lock guard(lock_);
    if (stream_ == nullptr) {
        throw Error("Uložené stránky nemají soubor ani paměť, kam by se zapsaly.");
    }
    ++pageCount_;
    if (pageCount_ == 1) {
        WriteHeader();
    }
    const std::int64_t start = stream_->Seek(0, TQRStream::SeekOrigin::End);

    std::vector<std::uint8_t> record;
    PutInt32(record, pageCount_);
    PutInt32(record, 0);  // end position, patched below once the record's length is known
    if (compression_) {
        PutInt32(record, std::ssize(page));
        TQRCompress compress(record);
        compress.Write(page);
        compress.Flush();
    } else {
        record.insert(record.end(), page.begin(), page.end());
    }
    PutInt32(record, start);
    const std::int64_t end = start + std::ssize(record);
    PutAt(record, 4, static_cast<std::uint32_t>(end), 4);
    stream_->Write(record);
}

void TQRPageList::Finish() {
    const std::scoped_lock guard(lock_);
    if (stream_ != nullptr) {
        WriteHeader();
    }
}

}  // namespace ostrelin::report
