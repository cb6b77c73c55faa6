#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace ostrelin::report::testing {

// Reads back what TQRCompress writes, built independently from the coding rules: follow bits
// (least significant first) from the root to a leaf, then semi-splay that leaf the same way.
inline std::vector<std::uint8_t> DecodeCodeTree(std::span<const std::uint8_t> coded,
                                                std::size_t count) {
    std::array<int, 513> parent{};
    std::array<int, 256> left{};
    std::array<int, 256> right{};
    for (int i = 1; i < 513; ++i) {
        parent[static_cast<std::size_t>(i)] = (i - 1) / 2;
    }
    for (int i = 0; i < 256; ++i) {
        left[static_cast<std::size_t>(i)] = 2 * i + 1;
        right[static_cast<std::size_t>(i)] = 2 * i + 2;
    }
    auto at = [](int i) { return static_cast<std::size_t>(i); };
    std::vector<std::uint8_t> bytes;
    std::size_t bit = 0;
    while (bytes.size() < count && bit < coded.size() * 8) {
        int node = 0;
        while (node < 256) {
            const bool one = ((coded[bit / 8] >> (bit % 8)) & 1) != 0;
            ++bit;
            node = one ? right[at(node)] : left[at(node)];
        }
        bytes.push_back(static_cast<std::uint8_t>(node - 256));
        int a = node;
        while (a != 0 && parent[at(a)] != 0) {
            const int p = parent[at(a)];
            const int g = parent[at(p)];
            int& sSlot = left[at(g)] == p ? right[at(g)] : left[at(g)];
            int& aSlot = left[at(p)] == a ? left[at(p)] : right[at(p)];
            const int s = sSlot;
            sSlot = a;
            aSlot = s;
            parent[at(a)] = g;
            parent[at(s)] = p;
            a = g;
        }
    }
    return bytes;
}

}  // namespace ostrelin::report::testing
