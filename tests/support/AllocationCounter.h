#pragma once

#include <cstdint>

namespace brasmire::test
{

// Counts heap allocations made by the calling thread. Linking the allocation
// counter library replaces the global operator new of the test executable.
class AllocationCounter
{
public:
  AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  // Allocations made by this thread since construction.
  std::int64_t Count() const;

  static std::int64_t ThreadTotal();

private:
  std::int64_t mStart;
};

} // namespace brasmire::test
