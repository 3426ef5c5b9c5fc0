#include "fuzz/allocation_meter.h"

#include <sanitizer/allocator_interface.h>

#include <algorithm>

namespace zonora::fuzz {
namespace {

bool running = false;
long long held = 0;
long long peakHeld = 0;

void onAllocate(const volatile void*, std::size_t size) {
    if (!running) return;
    held += static_cast<long long>(size);
    peakHeld = std::max(peakHeld, held);
}

void onFree(const volatile void* pointer) {
    if (!running || pointer == nullptr) return;
    held -=
        static_cast<long long>(__sanitizer_get_allocated_size(const_cast<const void*>(pointer)));
}

const bool installed = __sanitizer_install_malloc_and_free_hooks(onAllocate, onFree) != 0;

}  // namespace

AllocationMeter::AllocationMeter() {
    (void)installed;
    held = 0;
    peakHeld = 0;
    running = true;
}

AllocationMeter::~AllocationMeter() { running = false; }

std::size_t AllocationMeter::peak() const { return static_cast<std::size_t>(peakHeld); }

}  // namespace zonora::fuzz
