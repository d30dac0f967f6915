#pragma once

#include <cstdint>

namespace plughost
{

// Per-thread counts of heap allocations and releases, lock acquisitions and
// system calls (files, sleeps, thread creation), counted only
// while the thread has armed them (around a module's render procedure). The
// hooks that count live in the executable (Linux: interposed allocator and
// mutex functions, which report themselves here) or are patched into the
// module's import table (Windows: see RealtimeImportHooks).
class RealtimeCounters
{
public:
  enum Hook : unsigned
  {
    kMalloc = 1u << 0, // malloc, calloc, realloc and aligned forms
    kNew = 1u << 1,    // operator new
    kMutex = 1u << 2,  // mutex and read-write lock acquisition
    kFree = 1u << 3,   // free and operator delete
    kSystem = 1u << 4, // file opening, reading and writing, sleeping, thread creation
  };

  struct Counts
  {
    std::int64_t allocations = 0;
    std::int64_t locks = 0;
    std::int64_t deallocations = 0;
    std::int64_t systemCalls = 0;
  };

  // [any-thread] The calling thread starts or stops counting.
  static void Arm() noexcept;
  static void Disarm() noexcept;
  // [any-thread] The calling thread's counts so far.
  static Counts Read() noexcept;

  // Called by the hooks. [any-thread, inside allocator and lock calls: no allocation]
  static void CountAllocation() noexcept;
  static void CountLock() noexcept;
  static void CountDeallocation() noexcept;
  static void CountSystemCall() noexcept;

  // Which hooks this executable has (a mask of Hook).
  static void MarkInstalled(unsigned hooks) noexcept;
  static unsigned Installed() noexcept;
};

} // namespace plughost
