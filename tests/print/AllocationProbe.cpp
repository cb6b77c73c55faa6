#include "print/AllocationProbe.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

// The counters belong to the replaced global operator new and delete below, which are global by
// nature; nothing else in a test binary touches them.
namespace {

std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};
std::atomic<long long> baseBytes{0};

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const long long now = liveBytes += static_cast<long long>(malloc_usable_size(block));
    long long peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void Release(void* block) {
    if (block != nullptr) {
        liveBytes -= static_cast<long long>(malloc_usable_size(block));
        std::free(block);
    }
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}

namespace ostrelin::testing {

AllocationProbe::AllocationProbe() {
    baseBytes = liveBytes.load();
    peakBytes = baseBytes.load();
}

AllocationProbe::~AllocationProbe() = default;

std::size_t AllocationProbe::PeakBytes() const {
    return static_cast<std::size_t>(peakBytes.load() - baseBytes.load());
}

}  // namespace ostrelin::testing
