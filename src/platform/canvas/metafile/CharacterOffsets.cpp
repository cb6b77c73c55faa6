#include "platform/canvas/metafile/CharacterOffsets.h"

namespace ostrelin::platform::canvas {

CharacterOffsets::CharacterOffsets(std::span<const int> offsets) : count_(offsets.size()) {
    if (offsets.empty()) {
        return;
    }
    first_ = offsets.front();
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        const int step = offsets[i] - offsets[i - 1];
        if (!runs_.empty() && runs_.back().Step == step) {
            ++runs_.back().Count;
        } else {
            runs_.push_back({step, 1});
        }
    }
    runs_.shrink_to_fit();
}

void CharacterOffsets::ExpandInto(std::vector<int>& offsets) const {
    offsets.clear();
    if (count_ == 0) {
        return;
    }
    offsets.reserve(count_);
    int offset = first_;
    offsets.push_back(offset);
    for (const Steps& run : runs_) {
        for (int i = 0; i < run.Count; ++i) {
            offset += run.Step;
            offsets.push_back(offset);
        }
    }
}

}  // namespace ostrelin::platform::canvas
