#include "decode/RasterJob.h"

#include <cstdint>
#include <optional>
#include <string>

#include "decode/RecordReaders.h"
#include "print/TPrintJob.h"

namespace ostrelin::decode {
namespace {

enum RecordType : std::uint8_t {
    kTextRecord = 0,
    kCommandRecord = 1,
    kDataRecord = 2,
    kEscapeRecord = 3,
};

constexpr std::string_view kRasterEscapePrefix = "\x1b*b";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether an escape leaves a row announced. Only ESC *b escapes have a say: ESC *b, at least one
// digit and then W announces a row (the number is not needed, the data record carries its own
// length); any other ESC *b escape, such as a compression mode or a vertical offset, withdraws
// the announcement; escapes of other families leave it as it was.
bool AnnouncesRow(std::string_view escape, bool announced) {
    if (!escape.starts_with(kRasterEscapePrefix)) {
        return announced;
    }
    std::string_view rest = escape.substr(kRasterEscapePrefix.size());
    const bool hasDigit = !rest.empty() && IsDigit(rest.front());
    while (!rest.empty() && IsDigit(rest.front())) {
        rest.remove_prefix(1);
    }
    return hasDigit && !rest.empty() && rest.front() == 'W';
}

}  // namespace

void AppendRasterRow(print::RasterBitmap& bitmap, std::string_view row) {
    bitmap.AppendRow(row);
}

void DecodeRasterJob(ByteStream& stream, print::PrinterChoice& choice,
                     print::BitmapOutput& output) {
    print::RasterBitmap bitmap;
    bool rowAnnounced = false;
    while (const std::optional<std::uint8_t> type = stream.ReadByte()) {
        switch (*type) {
            case kTextRecord:
            case kCommandRecord:
                ReadShortRecord(stream);
                break;
            case kDataRecord: {
                const std::string row = ReadLongRecord(stream);
                if (rowAnnounced) {
                    AppendRasterRow(bitmap, row);
                }
                rowAnnounced = false;
                break;
            }
            case kEscapeRecord:
                rowAnnounced = AnnouncesRow(ReadShortRecord(stream), rowAnnounced);
                break;
            default:
                // Higher types carry no length and no data in a raster job.
                break;
        }
    }
    print::TPrintJob job = print::SpoolJobSettings(kRasterJobTitle, choice);
    output.PrintBitmapJob(job, bitmap);
}

}  // namespace ostrelin::decode
