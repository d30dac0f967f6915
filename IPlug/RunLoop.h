#pragma once

#include <cstdint>

namespace iplug
{

// The calling thread's message loop. On Windows it pumps the thread's
// message queue, which is where thread timers fire. Elsewhere it is a small
// loop of our own that gives the same contract: a thread timer belongs to the
// thread that set it and fires only while that thread runs its loop here.
class RunLoop
{
public:
  using TimerProcedure = void (*)(std::uintptr_t id);

  // Runs whatever is due for the calling thread now (each due timer fires
  // once, however late it is) and returns without waiting. Returns the number
  // of timer or message dispatches. [any-thread, for itself]
  static int ProcessPending();

  // Runs the calling thread's loop for `durationMs`, sleeping between events.
  // Returns the number of dispatches. [any-thread, for itself]
  static int RunFor(std::uint32_t durationMs);

#ifndef _WIN32
  // A timer of the calling thread that calls `procedure` with its identifier
  // every `periodMs` (at least 1) while that thread runs its loop. Returns the
  // identifier, never 0 on success; 0 when `procedure` is null. [any-thread]
  static std::uintptr_t SetThreadTimer(std::uint32_t periodMs, TimerProcedure procedure);

  // Removes a timer; false when no such timer exists. [any-thread]
  static bool KillThreadTimer(std::uintptr_t id);

  // The thread timers of a process, as a plain C table. Windows keeps thread
  // timers in the system, so a DLL's timer fires from the host's message loop.
  // Here every module carries its own copy of this code; so that a module's
  // timer fires from the loop of the host that loaded it, the host exports
  // `kServiceSymbol` (a function returning its table) and every copy of
  // RunLoop in the process uses the table it finds there, else its own.
  struct ThreadTimerService
  {
    std::int32_t version;
    std::uintptr_t (*setThreadTimer)(std::uint32_t periodMs, TimerProcedure procedure);
    bool (*killThreadTimer)(std::uintptr_t id);
    int (*processPending)();
    // Milliseconds until the calling thread's next timer is due, or -1 for none.
    std::int64_t (*msUntilNextDue)();
  };
  static constexpr std::int32_t kServiceVersion = 1;
  static constexpr const char* kServiceSymbol = "IPlugProcessThreadTimers";
  using ServiceProvider = const ThreadTimerService* (*)();

  // This copy's own table, for a host to export. [any-thread]
  static const ThreadTimerService* LocalService();
  // The calling thread's timers in this copy's table: for the host that
  // exports it, every module's timers of that thread. [any-thread]
  static int LocalTimerCount();
#endif

  RunLoop() = delete;
};

} // namespace iplug
