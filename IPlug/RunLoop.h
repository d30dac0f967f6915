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
#endif

  RunLoop() = delete;
};

} // namespace iplug
