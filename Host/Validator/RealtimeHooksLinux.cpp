// Linked into the executables that validate modules on Linux: the allocator,
// mutex and system-call entry points of the process (files, sleeps, thread
// creation), interposed so that every call made
// by a module's render procedure is counted (RealtimeCounters counts only
// while the rendering thread has armed them). The allocator forwards to
// glibc's own entry points, so nothing here depends on dlsym while allocating.
// Calls made from the host program's own code (the host objects a module
// calls back into during rendering, such as the controller and transport) are
// the host's business, not the module's, and are not counted.
// Sanitizer runtimes replace the allocator and intercept the system calls
// themselves: under them only operator new and delete (and, without
// ThreadSanitizer, the mutex) are counted.

#include "Host/Validator/RealtimeCounters.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>

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
#define PLUGHOST_HOOK_SYSTEM PLUGHOST_HOOK_MALLOC

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
inline void CountDeallocationFrom(const void* caller)
{
  if (!FromHost(caller)) RealtimeCounters::CountDeallocation();
}
inline void CountSystemCallFrom(const void* caller)
{
  if (!FromHost(caller)) RealtimeCounters::CountSystemCall();
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
    if (pointer) CountDeallocationFrom(__builtin_return_address(0));
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

void Release(void* pointer, const void* caller) noexcept
{
  if (pointer) CountDeallocationFrom(caller);
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

#if PLUGHOST_HOOK_SYSTEM
// The system calls counted, resolved at start-up (as the locks are).
using OpenFunction = int (*)(const char*, int, ...);
using FopenFunction = FILE* (*)(const char*, const char*);
using ReadFunction = ssize_t (*)(int, void*, std::size_t);
using WriteFunction = ssize_t (*)(int, const void*, std::size_t);
using NanosleepFunction = int (*)(const timespec*, timespec*);
using ClockNanosleepFunction = int (*)(clockid_t, int, const timespec*, timespec*);
using UsleepFunction = int (*)(useconds_t);
using SleepFunction = unsigned (*)(unsigned);
using ThreadFunction = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
OpenFunction gOpen = nullptr;
OpenFunction gOpen64 = nullptr;
FopenFunction gFopen = nullptr;
ReadFunction gRead = nullptr;
WriteFunction gWrite = nullptr;
NanosleepFunction gNanosleep = nullptr;
ClockNanosleepFunction gClockNanosleep = nullptr;
UsleepFunction gUsleep = nullptr;
SleepFunction gSleep = nullptr;
ThreadFunction gThreadCreate = nullptr;

template <typename F>
F Resolve(F& slot, const char* name)
{
  if (slot == nullptr) slot = reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
  return slot;
}

// The mode argument exists only when the file may be created.
int CountedOpen(OpenFunction& slot, const char* name, const char* path, int flags,
                va_list arguments, const void* caller)
{
  CountSystemCallFrom(caller);
  mode_t mode = 0;
  if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE)
    mode = static_cast<mode_t>(va_arg(arguments, int));
  return Resolve(slot, name)(path, flags, mode);
}

void ResolveSystemCalls()
{
  Resolve(gOpen, "open");
  Resolve(gOpen64, "open64");
  Resolve(gFopen, "fopen");
  Resolve(gRead, "read");
  Resolve(gWrite, "write");
  Resolve(gNanosleep, "nanosleep");
  Resolve(gClockNanosleep, "clock_nanosleep");
  Resolve(gUsleep, "usleep");
  Resolve(gSleep, "sleep");
  Resolve(gThreadCreate, "pthread_create");
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
    hooks |= RealtimeCounters::kFree;
#if PLUGHOST_HOOK_SYSTEM
    ResolveSystemCalls();
    hooks |= RealtimeCounters::kSystem;
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

#if PLUGHOST_HOOK_SYSTEM
extern "C"
{
  int open(const char* path, int flags, ...)
  {
    va_list arguments;
    va_start(arguments, flags);
    const int file =
        CountedOpen(gOpen, "open", path, flags, arguments, __builtin_return_address(0));
    va_end(arguments);
    return file;
  }
  int open64(const char* path, int flags, ...)
  {
    va_list arguments;
    va_start(arguments, flags);
    const int file =
        CountedOpen(gOpen64, "open64", path, flags, arguments, __builtin_return_address(0));
    va_end(arguments);
    return file;
  }
  FILE* fopen(const char* path, const char* mode)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gFopen, "fopen")(path, mode);
  }
  ssize_t read(int file, void* data, std::size_t size)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gRead, "read")(file, data, size);
  }
  ssize_t write(int file, const void* data, std::size_t size)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gWrite, "write")(file, data, size);
  }
  int nanosleep(const timespec* duration, timespec* remaining)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gNanosleep, "nanosleep")(duration, remaining);
  }
  int clock_nanosleep(clockid_t clock, int flags, const timespec* duration, timespec* remaining)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gClockNanosleep, "clock_nanosleep")(clock, flags, duration, remaining);
  }
  int usleep(useconds_t microseconds)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gUsleep, "usleep")(microseconds);
  }
  unsigned sleep(unsigned seconds)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gSleep, "sleep")(seconds);
  }
  int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*),
                     void* argument)
  {
    CountSystemCallFrom(__builtin_return_address(0));
    return Resolve(gThreadCreate, "pthread_create")(thread, attributes, start, argument);
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
  Release(pointer, __builtin_return_address(0));
}
void operator delete[](void* pointer) noexcept
{
  Release(pointer, __builtin_return_address(0));
}
void operator delete(void* pointer, std::size_t) noexcept
{
  Release(pointer, __builtin_return_address(0));
}
void operator delete[](void* pointer, std::size_t) noexcept
{
  Release(pointer, __builtin_return_address(0));
}
void operator delete(void* pointer, std::align_val_t) noexcept
{
  Release(pointer, __builtin_return_address(0));
}
void operator delete[](void* pointer, std::align_val_t) noexcept
{
  Release(pointer, __builtin_return_address(0));
}
void operator delete(void* pointer, std::size_t, std::align_val_t) noexcept
{
  Release(pointer, __builtin_return_address(0));
}
void operator delete[](void* pointer, std::size_t, std::align_val_t) noexcept
{
  Release(pointer, __builtin_return_address(0));
}
