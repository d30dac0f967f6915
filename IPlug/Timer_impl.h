#pragma once

#include "IPlug/Timer.h"

#include <cstdint>

namespace iplug
{

// The platform timer behind Timer: a thread timer without a window. Running
// timers are listed in one process-wide registry, guarded by a recursive lock
// that is also held while a callback runs.
class Timer_impl final : public Timer
{
public:
  Timer_impl(Callback callback, std::uint32_t periodMs);
  ~Timer_impl() override;

  // Starts the platform timer and registers it; false when the platform
  // refused, in which case the timer never fires. [main-thread]
  bool Start();
  void Stop() override;

  bool IsRunning() const;
  std::uint32_t PeriodMs() const { return mPeriodMs; }

  // Registry queries, mostly for diagnostics. [any-thread]
  static int RegisteredCount();
  static bool IsRegistered(const Timer& timer);

  // The one timer procedure every platform timer calls, with the identifier
  // of the timer that fired; kills a platform timer no longer registered
  // (stopped from another thread). [thread that created the timer]
  static void TimerProc(std::uintptr_t id);

private:
  std::uintptr_t mId = 0; // platform identifier, 0 when stopped; guarded by the registry lock
  Callback mCallback;
  const std::uint32_t mPeriodMs;
};

} // namespace iplug
