#pragma once

#if defined(__x86_64__) && (defined(__linux__) || defined(_WIN32))
#define BRASMIRE_HAS_STORE_INTERCEPTOR 1

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>
#endif

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
// x86-64 Linux and Windows; one armed interceptor at a time. [one thread]
template <class T>
class FirstStoreInterceptor
{
public:
  FirstStoreInterceptor()
  {
    mMemory = MapPages(sizeof(T), mBytes);
    if (mMemory == nullptr) throw std::bad_alloc();
    mObject = new (mMemory) T();
  }
  ~FirstStoreInterceptor()
  {
    Disarm();
    mObject->~T();
    UnmapPages(mMemory, mBytes);
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
    InstallHandlers();
    SetWritable(false);
  }

  void Disarm()
  {
    if (sActive != this) return;
    SetWritable(true);
    RemoveHandlers();
    sActive = nullptr;
  }

  // How often the action ran since Arm.
  int Fired() const { return mFired; }

private:
  static constexpr unsigned kTrapFlag = 0x100;

  // The store faulted: let it through, and trap right after it. False when
  // the fault is not ours.
  static bool OnFault(std::uintptr_t address)
  {
    FirstStoreInterceptor* self = sActive;
    if (self == nullptr) return false;
    const auto start = reinterpret_cast<std::uintptr_t>(self->mMemory);
    if (address < start || address >= start + self->mBytes) return false;
    self->SetWritable(true);
    return true;
  }

  static void OnStep()
  {
    FirstStoreInterceptor* self = sActive;
    if (self == nullptr || self->mFired++ > 0) return;
    self->mAction();
  }

#ifdef _WIN32
  static void* MapPages(std::size_t size, std::size_t& bytes)
  {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    bytes = (size + info.dwPageSize - 1) / info.dwPageSize * info.dwPageSize;
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  }
  static void UnmapPages(void* memory, std::size_t)
  {
    VirtualFree(memory, 0, MEM_RELEASE);
  }
  void SetWritable(bool writable)
  {
    DWORD old = 0;
    VirtualProtect(mMemory, mBytes, writable ? PAGE_READWRITE : PAGE_READONLY, &old);
  }
  void InstallHandlers()
  {
    mHandler = AddVectoredExceptionHandler(1, &OnException);
  }
  void RemoveHandlers()
  {
    RemoveVectoredExceptionHandler(mHandler);
  }

  static LONG CALLBACK OnException(EXCEPTION_POINTERS* info)
  {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2 &&
        OnFault(static_cast<std::uintptr_t>(record.ExceptionInformation[1])))
    {
      info->ContextRecord->EFlags |= kTrapFlag;
      return EXCEPTION_CONTINUE_EXECUTION;
    }
    if (record.ExceptionCode == EXCEPTION_SINGLE_STEP && sActive != nullptr)
    {
      info->ContextRecord->EFlags &= ~kTrapFlag;
      OnStep();
      return EXCEPTION_CONTINUE_EXECUTION;
    }
    return EXCEPTION_CONTINUE_SEARCH;
  }

  void* mHandler = nullptr;
#else
  static void* MapPages(std::size_t size, std::size_t& bytes)
  {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    bytes = (size + page - 1) / page * page;
    void* memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return memory == MAP_FAILED ? nullptr : memory;
  }
  static void UnmapPages(void* memory, std::size_t bytes)
  {
    munmap(memory, bytes);
  }
  void SetWritable(bool writable)
  {
    mprotect(mMemory, mBytes, writable ? PROT_READ | PROT_WRITE : PROT_READ);
  }
  void InstallHandlers()
  {
    struct sigaction sa = {};
    sa.sa_flags = SA_SIGINFO;
    sa.sa_sigaction = &OnSegv;
    sigaction(SIGSEGV, &sa, &mOldSegv);
    sa.sa_sigaction = &OnTrap;
    sigaction(SIGTRAP, &sa, &mOldTrap);
  }
  void RemoveHandlers()
  {
    sigaction(SIGSEGV, &mOldSegv, nullptr);
    sigaction(SIGTRAP, &mOldTrap, nullptr);
  }

  static void OnSegv(int, siginfo_t* info, void* context)
  {
    if (!OnFault(reinterpret_cast<std::uintptr_t>(info->si_addr)))
    {
      signal(SIGSEGV, SIG_DFL); // a real fault: let it crash as it would have
      return;
    }
    static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_EFL] |= kTrapFlag;
  }
  static void OnTrap(int, siginfo_t*, void* context)
  {
    static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_EFL] &= ~greg_t{kTrapFlag};
    OnStep();
  }

  struct sigaction mOldSegv = {};
  struct sigaction mOldTrap = {};
#endif

  static inline FirstStoreInterceptor* sActive = nullptr;
  void* mMemory = nullptr;
  std::size_t mBytes = 0;
  T* mObject = nullptr;
  std::function<void()> mAction;
  int mFired = 0;
};

} // namespace brasmire::test
#endif
