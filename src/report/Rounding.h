#pragma once

#include <cmath>
#include <cstdint>

namespace ostrelin::report {

// Rounds to the nearest integer, halves going to the even neighbour (2.5 → 2, 3.5 → 4, −2.5 → −2).
// Written out rather than left to the floating-point environment's rounding mode.
inline std::int32_t Round(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
        rounded = floor + 1.0;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace ostrelin::report
