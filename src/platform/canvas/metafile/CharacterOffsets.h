#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <vector>

namespace ostrelin::platform::canvas {

// The offsets of a recorded text's characters from its origin, kept as runs of equal steps from
// one character to the next. Text in a fixed-pitch font, which every text job prints in, then
// takes a few steps a line instead of one number a character, so a recorded page stays about as
// large as its text.
class CharacterOffsets {
  public:
    // One run: `Count` characters, each `Step` pixels right of the one before.
    struct Steps {
        int Step = 0;
        int Count = 0;
        friend bool operator==(const Steps&, const Steps&) = default;
    };

    CharacterOffsets() = default;
    explicit CharacterOffsets(std::span<const int> offsets);
    CharacterOffsets(std::initializer_list<int> offsets)
        : CharacterOffsets(std::span<const int>(offsets.begin(), offsets.size())) {}

    // The offset of the first character, and the runs of steps to the following ones.
    int First() const { return first_; }
    const std::vector<Steps>& Runs() const { return runs_; }

    // Replaces `offsets` with one offset per character.
    void ExpandInto(std::vector<int>& offsets) const;

    friend bool operator==(const CharacterOffsets&, const CharacterOffsets&) = default;

  private:
    int first_ = 0;
    std::size_t count_ = 0;
    std::vector<Steps> runs_;
};

}  // namespace ostrelin::platform::canvas
