#pragma once

#if defined(__linux__) && defined(__x86_64__)
#define BRASMIRE_HAS_STORE_INTERCEPTOR 1

#include <signal.h>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <new>

namespace brasmire::test
{

// Runs `action` right after the first store into an object, before the
// writer's next instruction: the object lives in pages of its own that are
// made read-only; the first store faults, the pages become writable, the
// store is single-stepped, and the trap that follows runs the action. This
// makes "another thread acts between two stores" deterministic on one thread.
// Linux x86-64 only; one armed interceptor at a time. [one thread]
template <class T>
class FirstStoreInterceptor
{
public:
  FirstStoreInterceptor()
  {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    mBytes = (sizeof(T) + page - 1) / page * page;
    mMemory = mmap(nullptr, mBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mMemory == MAP_FAILED) throw std::bad_alloc();
    mObject = new (mMemory) T();
  }
  ~FirstStoreInterceptor()
  {
    Disarm();
    mObject->~T();
    munmap(mMemory, mBytes);
  }
  FirstStoreInterceptor(const FirstStoreInterceptor&) = delete;
  FirstStoreInterceptor& operator=(const FirstStoreInterceptor&) = delete;

  T& Object() { return *mObject; }

  // Until Disarm, the first store into the object runs `action` once.
  void Arm(std::function<void()> action)
  {
    sActive = this;
    mAction = std::move(action);
    mFired = 0;
    struct sigaction sa = {};
    sa.sa_flags = SA_SIGINFO;
    sa.sa_sigaction = &OnFault;
    sigaction(SIGSEGV, &sa, &mOldSegv);
    sa.sa_sigaction = &OnStep;
    sigaction(SIGTRAP, &sa, &mOldTrap);
    mprotect(mMemory, mBytes, PROT_READ);
  }

  void Disarm()
  {
    if (sActive != this) return;
    mprotect(mMemory, mBytes, PROT_READ | PROT_WRITE);
    sigaction(SIGSEGV, &mOldSegv, nullptr);
    sigaction(SIGTRAP, &mOldTrap, nullptr);
    sActive = nullptr;
  }

  // How often the action ran since Arm.
  int Fired() const { return mFired; }

private:
  static constexpr greg_t kTrapFlag = 0x100;

  static void OnFault(int, siginfo_t* info, void* context)
  {
    FirstStoreInterceptor* self = sActive;
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    const auto start = reinterpret_cast<std::uintptr_t>(self ? self->mMemory : nullptr);
    if (self == nullptr || address < start || address >= start + self->mBytes)
    {
      signal(SIGSEGV, SIG_DFL); // a real fault: let it crash as it would have
      return;
    }
    mprotect(self->mMemory, self->mBytes, PROT_READ | PROT_WRITE);
    static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_EFL] |= kTrapFlag;
  }

  static void OnStep(int, siginfo_t*, void* context)
  {
    static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_EFL] &= ~kTrapFlag;
    FirstStoreInterceptor* self = sActive;
    if (self == nullptr || self->mFired++ > 0) return;
    self->mAction();
  }

  static inline FirstStoreInterceptor* sActive = nullptr;
  void* mMemory = nullptr;
  std::size_t mBytes = 0;
  T* mObject = nullptr;
  std::function<void()> mAction;
  int mFired = 0;
  struct sigaction mOldSegv = {};
  struct sigaction mOldTrap = {};
};

} // namespace brasmire::test
#endif
