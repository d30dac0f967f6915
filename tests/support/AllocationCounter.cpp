#include "support/AllocationCounter.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace
{
thread_local std::int64_t tAllocations = 0;

void* CountedAlloc(std::size_t size, std::size_t alignment)
{
  ++tAllocations;
  if (size == 0) size = 1;
  void* p = nullptr;
  if (alignment <= alignof(std::max_align_t))
    p = std::malloc(size);
  else
  {
#if defined(_WIN32)
    p = _aligned_malloc(size, alignment);
#else
    if (posix_memalign(&p, alignment, size) != 0) p = nullptr;
#endif
  }
  return p;
}

void CountedFree(void* p, std::size_t alignment) noexcept
{
#if defined(_WIN32)
  if (alignment > alignof(std::max_align_t))
  {
    _aligned_free(p);
    return;
  }
#else
  (void)alignment;
#endif
  std::free(p);
}
} // namespace

namespace brasmire::test
{
AllocationCounter::AllocationCounter() : mStart(tAllocations) {}
std::int64_t AllocationCounter::Count() const
{
  return tAllocations - mStart;
}
std::int64_t AllocationCounter::ThreadTotal()
{
  return tAllocations;
}
} // namespace brasmire::test

void* operator new(std::size_t size)
{
  if (void* p = CountedAlloc(size, 0)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size)
{
  if (void* p = CountedAlloc(size, 0)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedAlloc(size, 0);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedAlloc(size, 0);
}
void* operator new(std::size_t size, std::align_val_t al)
{
  if (void* p = CountedAlloc(size, static_cast<std::size_t>(al))) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t al)
{
  if (void* p = CountedAlloc(size, static_cast<std::size_t>(al))) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
  CountedFree(p, 0);
}
void operator delete[](void* p) noexcept
{
  CountedFree(p, 0);
}
void operator delete(void* p, std::size_t) noexcept
{
  CountedFree(p, 0);
}
void operator delete[](void* p, std::size_t) noexcept
{
  CountedFree(p, 0);
}
void operator delete(void* p, std::align_val_t al) noexcept
{
  CountedFree(p, static_cast<std::size_t>(al));
}
void operator delete[](void* p, std::align_val_t al) noexcept
{
  CountedFree(p, static_cast<std::size_t>(al));
}
void operator delete(void* p, std::size_t, std::align_val_t al) noexcept
{
  CountedFree(p, static_cast<std::size_t>(al));
}
void operator delete[](void* p, std::size_t, std::align_val_t al) noexcept
{
  CountedFree(p, static_cast<std::size_t>(al));
}
