#pragma once

#include <cstddef>

namespace ostrelin::testing {

// Watches the heap while it lives: the most bytes that were allocated through operator new at any
// one time since it was made, counted from zero at its making. Lets a test show that work on a
// huge picture never holds the picture's full size, without timing anything.
class AllocationProbe {
  public:
    AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;
    ~AllocationProbe();

    // The peak of live heap bytes above the level at the probe's making.
    std::size_t PeakBytes() const;
};

}  // namespace ostrelin::testing
