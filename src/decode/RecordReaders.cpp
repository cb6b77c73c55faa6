#include "decode/RecordReaders.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace ostrelin::decode {

bool FindBytePattern(ByteStream& stream, std::string_view pattern) {
    if (pattern.empty()) {
        return true;
    }
    // Spool files run to several megabytes and every job is searched three times, so the search
    // works on the buffer directly. A full substring search also finds an occurrence that starts
    // inside a partial match (CR CR LF holds CR LF at its second byte).
    const std::string_view bytes = stream.Bytes();
    const std::size_t start = std::min(stream.Position(), bytes.size());
    const auto found =
        std::search(bytes.begin() + static_cast<std::ptrdiff_t>(start), bytes.end(),
                    std::boyer_moore_horspool_searcher(pattern.begin(), pattern.end()));
    if (found == bytes.end()) {
        stream.SetPosition(std::max(stream.Position(), bytes.size()));
        return false;
    }
    stream.SetPosition(static_cast<std::size_t>(found - bytes.begin()) + pattern.size());
    return true;
}

std::string ReadShortRecord(ByteStream& stream) {
    const std::optional<std::uint8_t> length = stream.ReadByte();
    if (!length) {
        return {};
    }
    return stream.ReadBytes(*length);
}

std::string ReadLongRecord(ByteStream& stream) {
    const std::optional<std::uint8_t> low = stream.ReadByte();
    const std::optional<std::uint8_t> high = stream.ReadByte();
    if (!low || !high) {
        return {};
    }
    return stream.ReadBytes(static_cast<std::size_t>(*low) |
                            (static_cast<std::size_t>(*high) << 8));
}

}  // namespace ostrelin::decode
