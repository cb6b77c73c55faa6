#include "report/TQRCompress.h"

namespace ostrelin::report {

TQRCompress::TQRCompress(std::vector<std::uint8_t>& out) : out_(out) {
    for (std::size_t i = 1; i < parent_.size(); ++i) {
        parent_[i] = static_cast<std::uint16_t>((i - 1) / 2);
    }
    for (std::size_t i = 0; i < left_.size(); ++i) {
        left_[i] = static_cast<std::uint16_t>(2 * i + 1);
        right_[i] = static_cast<std::uint16_t>(2 * i + 2);
    }
}

void TQRCompress::Write(std::uint8_t byte) {
    const int leaf = kCodeTreeFirstLeaf + byte;
    // The path is found leaf-first but sent root-first; a path is at most 256 steps deep.
    std::array<bool, 256> path{};
    std::size_t depth = 0;
    for (int node = leaf; node != kCodeTreeRoot; node = parent_[static_cast<std::size_t>(node)]) {
        const int up = parent_[static_cast<std::size_t>(node)];
        path[depth++] = right_[static_cast<std::size_t>(up)] == node;
    }
    while (depth > 0) {
        EmitBit(path[--depth]);
    }
    Splay(leaf);
}

void TQRCompress::Write(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        Write(byte);
    }
}

void TQRCompress::EmitBit(bool bit) {
    if (bit) {
        pending_ = static_cast<std::uint8_t>(pending_ | (1u << pendingBits_));
    }
    if (++pendingBits_ == 8) {
        out_.push_back(pending_);
        pending_ = 0;
        pendingBits_ = 0;
    }
}

void TQRCompress::Flush() {
    if (pendingBits_ > 0) {
        out_.push_back(pending_);
        pending_ = 0;
        pendingBits_ = 0;
    }
}

// Semi-splaying: the node and its parent's sibling swap places, then the walk goes on from the
// grandparent, so the coded leaf rises about halfway to the root each time.
void TQRCompress::Splay(int leaf) {
    auto index = [](int node) { return static_cast<std::size_t>(node); };
    int a = leaf;
    while (a != kCodeTreeRoot) {
        const int p = parent_[index(a)];
        if (p == kCodeTreeRoot) {
            break;
        }
        const int g = parent_[index(p)];
        const bool pIsLeftOfG = left_[index(g)] == p;
        const int s = pIsLeftOfG ? right_[index(g)] : left_[index(g)];
        if (pIsLeftOfG) {
            right_[index(g)] = static_cast<std::uint16_t>(a);
        } else {
            left_[index(g)] = static_cast<std::uint16_t>(a);
        }
        if (left_[index(p)] == a) {
            left_[index(p)] = static_cast<std::uint16_t>(s);
        } else {
            right_[index(p)] = static_cast<std::uint16_t>(s);
        }
        parent_[index(a)] = static_cast<std::uint16_t>(g);
        parent_[index(s)] = static_cast<std::uint16_t>(p);
        a = g;
    }
}

}  // namespace ostrelin::report
