#include "IPlug/Timer_impl.h"

#include "IPlug/RunLoop.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace iplug
{

namespace
{
// Running timers in start order. The lock is recursive because callbacks run
// under it and may stop timers.
struct TimerRegistry
{
  std::recursive_mutex lock;
  std::vector<Timer_impl*> timers; // guarded by lock
};

TimerRegistry& Registry()
{
  static TimerRegistry registry;
  return registry;
}

#ifdef _WIN32
void CALLBACK PlatformTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
  Timer_impl::TimerProc(static_cast<std::uintptr_t>(id));
}

std::uintptr_t StartPlatformTimer(std::uint32_t periodMs)
{
  // No window: a thread timer, delivered by the creating thread's message loop.
  return static_cast<std::uintptr_t>(SetTimer(nullptr, 0, periodMs, PlatformTimerProc));
}

void KillPlatformTimer(std::uintptr_t id)
{
  KillTimer(nullptr, static_cast<UINT_PTR>(id));
}
#else
std::uintptr_t StartPlatformTimer(std::uint32_t periodMs)
{
  return RunLoop::SetThreadTimer(periodMs, &Timer_impl::TimerProc);
}

void KillPlatformTimer(std::uintptr_t id)
{
  RunLoop::KillThreadTimer(id);
}
#endif
} // namespace

std::unique_ptr<Timer> Timer::Create(Callback callback, std::uint32_t periodMs)
{
  auto timer = std::make_unique<Timer_impl>(std::move(callback), periodMs);
  timer->Start();
  return timer;
}

Timer_impl::Timer_impl(Callback callback, std::uint32_t periodMs)
    : mCallback(std::move(callback)), mPeriodMs(periodMs)
{
}

Timer_impl::~Timer_impl()
{
  Stop();
}

bool Timer_impl::Start()
{
  TimerRegistry& registry = Registry();
  std::lock_guard<std::recursive_mutex> guard(registry.lock);
  if (mId != 0) return true;
  const std::uintptr_t id = StartPlatformTimer(mPeriodMs);
  if (id == 0) return false;
  mId = id;
  registry.timers.push_back(this);
  return true;
}

void Timer_impl::Stop()
{
  TimerRegistry& registry = Registry();
  std::lock_guard<std::recursive_mutex> guard(registry.lock);
  if (mId == 0) return;
  KillPlatformTimer(mId);
  const auto it = std::find(registry.timers.begin(), registry.timers.end(), this);
  if (it != registry.timers.end()) registry.timers.erase(it);
  mId = 0;
}

bool Timer_impl::IsRunning() const
{
  TimerRegistry& registry = Registry();
  std::lock_guard<std::recursive_mutex> guard(registry.lock);
  return mId != 0;
}

int Timer_impl::RegisteredCount()
{
  TimerRegistry& registry = Registry();
  std::lock_guard<std::recursive_mutex> guard(registry.lock);
  return static_cast<int>(registry.timers.size());
}

bool Timer_impl::IsRegistered(const Timer& timer)
{
  TimerRegistry& registry = Registry();
  std::lock_guard<std::recursive_mutex> guard(registry.lock);
  return std::find(registry.timers.begin(), registry.timers.end(), &timer) != registry.timers.end();
}

void Timer_impl::TimerProc(std::uintptr_t id)
{
  TimerRegistry& registry = Registry();
  std::lock_guard<std::recursive_mutex> guard(registry.lock);
  for (Timer_impl* timer : registry.timers)
  {
    if (timer->mId != id) continue;
    // The callback may stop timers and so change the list: touch nothing after it.
    if (timer->mCallback) timer->mCallback(*timer);
    return;
  }
  // A timer stopped on another thread: Windows kills a thread timer only on
  // the thread that set it, so the kill there did nothing and the timer still
  // fires here, on its own thread, where it can be killed.
  KillPlatformTimer(id);
}

} // namespace iplug
