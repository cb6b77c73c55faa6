#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace ostrelin::report {

// Adaptive prefix coding of bytes over a semi-splayed code tree: each byte is coded by its path
// from the root, then its leaf moves towards the root, so frequent bytes get short codes without
// any table in the output. Bits fill each output byte from its least significant bit upward; the
// last partial byte is written when the compressor is destroyed (or Flush is called).
class TQRCompress {
  public:
    // Appends its output to `out`, which must outlive the compressor.
    explicit TQRCompress(std::vector<std::uint8_t>& out);
    ~TQRCompress() { Flush(); }
    TQRCompress(const TQRCompress&) = delete;
    TQRCompress& operator=(const TQRCompress&) = delete;

    // Codes one byte.
    void Write(std::uint8_t byte);
    // Codes every byte of `bytes` in order.
    void Write(std::span<const std::uint8_t> bytes);
    // Writes the partial last byte, if any bits are pending; further writes start a new byte.
    void Flush();

  private:
    void EmitBit(bool bit);
    void Splay(int leaf);

    std::vector<std::uint8_t>& out_;
    std::array<std::uint16_t, 513> parent_{};
    std::array<std::uint16_t, 256> left_{};
    std::array<std::uint16_t, 256> right_{};
    std::uint8_t pending_ = 0;
    int pendingBits_ = 0;
};

// The code tree's shape, shared by the compressor and a reader: internal nodes 0..255 (0 the root)
// and leaves 256..512, leaf 256 + b standing for byte b.
inline constexpr int kCodeTreeRoot = 0;
inline constexpr int kCodeTreeFirstLeaf = 256;

}  // namespace ostrelin::report
