#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace ostrelin::decode {

// A whole spool file held in memory with a current read position. Reading past the end yields
// no bytes and leaves the position where it is; the position may stand beyond the end, where
// every read yields nothing.
class ByteStream {
  public:
    explicit ByteStream(std::string bytes);

    // The current read position, counted in bytes from the start.
    std::size_t Position() const { return position_; }

    // Moves the read position; any value is allowed, also one beyond the end.
    void SetPosition(std::size_t position) { position_ = position; }

    // The number of bytes held.
    std::size_t Size() const { return bytes_.size(); }

    // The number of bytes from the position to the end; 0 when the position is at or beyond it.
    std::size_t Remaining() const;

    // Moves the position `count` bytes forward without reading, also past the end.
    void Skip(std::size_t count);

    // The byte at the position, which then advances by one; nothing at or beyond the end.
    std::optional<std::uint8_t> ReadByte();

    // Up to `count` bytes from the position (fewer when the end comes first); the position
    // advances by the number of bytes returned.
    std::string ReadBytes(std::size_t count);

    // All bytes held, independent of the position.
    const std::string& Bytes() const { return bytes_; }

  private:
    std::string bytes_;
    std::size_t position_ = 0;
};

}  // namespace ostrelin::decode
