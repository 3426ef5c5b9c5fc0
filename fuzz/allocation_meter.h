#pragma once

#include <cstddef>

namespace zonora::fuzz {

// Measures the most heap memory held at once while it is running, through the
// sanitizer's allocation hooks. Only one meter may run at a time.
class AllocationMeter {
  public:
    AllocationMeter();
    ~AllocationMeter();
    AllocationMeter(const AllocationMeter&) = delete;
    AllocationMeter& operator=(const AllocationMeter&) = delete;

    std::size_t peak() const;
};

}  // namespace zonora::fuzz
