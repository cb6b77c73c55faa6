#pragma once

#include <cstdio>
#include <cstdlib>

namespace ostrelin::fuzz {

// Stops the run with `promise` on standard error when `holds` is false. A broken promise of the
// code under test is a finding like a crash, so the fuzzer keeps the input that caused it.
inline void Require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

}  // namespace ostrelin::fuzz
