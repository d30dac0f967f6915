// Linked into the executables that validate modules on Linux: the allocator
// and mutex entry points of the process, interposed so that every call made
// by a module's render procedure is counted (RealtimeCounters counts only
// while the rendering thread has armed them). The allocator forwards to
// glibc's own entry points, so nothing here depends on dlsym while allocating.
// Calls made from the host program's own code (the host objects a module
// calls back into during rendering, such as the controller and transport) are
// the host's business, not the module's, and are not counted.
// Sanitizer runtimes replace the allocator themselves: under them only
// operator new (and, without ThreadSanitizer, the mutex) is counted.

#include "Host/Validator/RealtimeCounters.h"

#include <dlfcn.h>
#include <pthread.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define PLUGHOST_HOOK_MALLOC 0
#else
#define PLUGHOST_HOOK_MALLOC 1
#endif
#if defined(__SANITIZE_THREAD__)
#define PLUGHOST_HOOK_MUTEX 0
#else
#define PLUGHOST_HOOK_MUTEX 1
#endif

using plughost::RealtimeCounters;

extern "C" char __executable_start;
extern "C" char etext;

namespace
{
inline bool FromHost(const void* caller)
{
  const char* address = static_cast<const char*>(caller);
  return address >= &__executable_start && address < &etext;
}
inline void CountAllocationFrom(const void* caller)
{
  if (!FromHost(caller)) RealtimeCounters::CountAllocation();
}
inline void CountLockFrom(const void* caller)
{
  if (!FromHost(caller)) RealtimeCounters::CountLock();
}
} // namespace

#if PLUGHOST_HOOK_MALLOC
extern "C"
{
  void* __libc_malloc(std::size_t size);
  void* __libc_calloc(std::size_t count, std::size_t size);
  void* __libc_realloc(void* pointer, std::size_t size);
  void* __libc_memalign(std::size_t alignment, std::size_t size);
  void __libc_free(void* pointer);

  void* malloc(std::size_t size)
  {
    CountAllocationFrom(__builtin_return_address(0));
    return __libc_malloc(size);
  }
  void* calloc(std::size_t count, std::size_t size)
  {
    CountAllocationFrom(__builtin_return_address(0));
    return __libc_calloc(count, size);
  }
  void* realloc(void* pointer, std::size_t size)
  {
    CountAllocationFrom(__builtin_return_address(0));
    return __libc_realloc(pointer, size);
  }
  void free(void* pointer)
  {
    __libc_free(pointer);
  }
  void* aligned_alloc(std::size_t alignment, std::size_t size)
  {
    CountAllocationFrom(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
  }
  void* memalign(std::size_t alignment, std::size_t size)
  {
    CountAllocationFrom(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
  }
  int posix_memalign(void** out, std::size_t alignment, std::size_t size)
  {
    CountAllocationFrom(__builtin_return_address(0));
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    void* pointer = __libc_memalign(alignment, size);
    if (pointer == nullptr) return ENOMEM;
    *out = pointer;
    return 0;
  }
}
#endif

namespace
{
void* CountedNew(std::size_t size, std::size_t alignment, const void* caller)
{
  CountAllocationFrom(caller);
  if (size == 0) size = 1;
#if PLUGHOST_HOOK_MALLOC
  // Counted once: straight to glibc, past the malloc hook.
  return alignment > alignof(std::max_align_t) ? __libc_memalign(alignment, size)
                                               : __libc_malloc(size);
#else
  void* pointer = nullptr;
  if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
  return posix_memalign(&pointer, alignment, size) == 0 ? pointer : nullptr;
#endif
}

void Release(void* pointer) noexcept
{
#if PLUGHOST_HOOK_MALLOC
  __libc_free(pointer);
#else
  std::free(pointer);
#endif
}

void* ThrowingNew(std::size_t size, std::size_t alignment, const void* caller)
{
  if (void* pointer = CountedNew(size, alignment, caller)) return pointer;
  throw std::bad_alloc();
}

#if PLUGHOST_HOOK_MUTEX
using LockFunction = int (*)(void*);
// Resolved at start-up; a call that comes earlier resolves on the spot (the
// answer is the same for every thread). No function-local statics: their
// guards could take the very lock being hooked.
LockFunction gMutexLock = nullptr;
LockFunction gReadLock = nullptr;
LockFunction gWriteLock = nullptr;
LockFunction Next(LockFunction& slot, const char* name)
{
  if (slot == nullptr) slot = reinterpret_cast<LockFunction>(dlsym(RTLD_NEXT, name));
  return slot;
}
#endif

struct Installer
{
  Installer()
  {
    unsigned hooks = RealtimeCounters::kNew;
#if PLUGHOST_HOOK_MALLOC
    hooks |= RealtimeCounters::kMalloc;
#endif
#if PLUGHOST_HOOK_MUTEX
    Next(gMutexLock, "pthread_mutex_lock");
    Next(gReadLock, "pthread_rwlock_rdlock");
    Next(gWriteLock, "pthread_rwlock_wrlock");
    hooks |= RealtimeCounters::kMutex;
#endif
    RealtimeCounters::MarkInstalled(hooks);
  }
} gInstaller;
} // namespace

#if PLUGHOST_HOOK_MUTEX
extern "C"
{
  int pthread_mutex_lock(pthread_mutex_t* mutex)
  {
    CountLockFrom(__builtin_return_address(0));
    return Next(gMutexLock, "pthread_mutex_lock")(mutex);
  }
  int pthread_rwlock_rdlock(pthread_rwlock_t* lock)
  {
    CountLockFrom(__builtin_return_address(0));
    return Next(gReadLock, "pthread_rwlock_rdlock")(lock);
  }
  int pthread_rwlock_wrlock(pthread_rwlock_t* lock)
  {
    CountLockFrom(__builtin_return_address(0));
    return Next(gWriteLock, "pthread_rwlock_wrlock")(lock);
  }
}
#endif

void* operator new(std::size_t size)
{
  return ThrowingNew(size, 0, __builtin_return_address(0));
}
void* operator new[](std::size_t size)
{
  return ThrowingNew(size, 0, __builtin_return_address(0));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedNew(size, 0, __builtin_return_address(0));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
  return CountedNew(size, 0, __builtin_return_address(0));
}
void* operator new(std::size_t size, std::align_val_t alignment)
{
  return ThrowingNew(size, static_cast<std::size_t>(alignment), __builtin_return_address(0));
}
void* operator new[](std::size_t size, std::align_val_t alignment)
{
  return ThrowingNew(size, static_cast<std::size_t>(alignment), __builtin_return_address(0));
}
void operator delete(void* pointer) noexcept
{
  Release(pointer);
}
void operator delete[](void* pointer) noexcept
{
  Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept
{
  Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept
{
  Release(pointer);
}
void operator delete(void* pointer, std::align_val_t) noexcept
{
  Release(pointer);
}
void operator delete[](void* pointer, std::align_val_t) noexcept
{
  Release(pointer);
}
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept
{
  Release(pointer);
}
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept
{
  Release(pointer);
}
