#include "decode/ByteStream.h"

#include <limits>
#include <utility>

namespace ostrelin::decode {

ByteStream::ByteStream(std::string bytes) : bytes_(std::move(bytes)) {}

std::size_t ByteStream::Remaining() const {
    return position_ < bytes_.size() ? bytes_.size() - position_ : 0;
}

void ByteStream::Skip(std::size_t count) {
    // Saturate instead of wrapping round to the start of the file.
    const std::size_t room = std::numeric_limits<std::size_t>::max() - position_;
    position_ += count < room ? count : room;
}

std::optional<std::uint8_t> ByteStream::ReadByte() {
    if (Remaining() == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(bytes_[position_++]);
}

std::string ByteStream::ReadBytes(std::size_t count) {
    const std::size_t available = Remaining();
    if (available == 0) {
        return {};
    }
    const std::size_t taken = count < available ? count : available;
    std::string result = bytes_.substr(position_, taken);
    position_ += taken;
    return result;
}

}  // namespace ostrelin::decode
