#include "decode/ClassifyJob.h"

#include <string_view>

#include "decode/RecordReaders.h"

namespace ostrelin::decode {

namespace {

using namespace std::string_view_literals;

// Whole escape records (type 3, length, ESC "*t...R") that set the raster resolution; only raster
// jobs carry them.
constexpr std::string_view kRaster75Signature = "\x03\x06\x1b*t75R"sv;
constexpr std::string_view kRaster150Signature = "\x03\x07\x1b*t150R"sv;
constexpr std::string_view kLineEnd = "\r\n"sv;

// The description line's CR LF is followed by two bytes the companion program writes for its own
// purposes; the records begin after them.
constexpr std::size_t kGapAfterLineEnd = 2;

}  // namespace

JobKind ClassifyJob(ByteStream& stream) {
    stream.SetPosition(0);
    const bool has75 = FindBytePattern(stream, kRaster75Signature);
    stream.SetPosition(0);
    const bool has150 = FindBytePattern(stream, kRaster150Signature);
    stream.SetPosition(0);
    FindBytePattern(stream, kLineEnd);
    stream.Skip(kGapAfterLineEnd);
    return has75 || has150 ? JobKind::Raster : JobKind::Text;
}

}  // namespace ostrelin::decode
