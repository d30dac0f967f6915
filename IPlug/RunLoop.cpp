#include "IPlug/RunLoop.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>
#endif

namespace iplug
{

#ifdef _WIN32

int RunLoop::ProcessPending()
{
  int dispatched = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
  {
    if (msg.message == WM_QUIT)
    {
      // Leave the quit request for the loop that owns the thread.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    ++dispatched;
  }
  return dispatched;
}

int RunLoop::RunFor(std::uint32_t durationMs)
{
  const ULONGLONG deadline = GetTickCount64() + durationMs;
  int dispatched = 0;
  for (;;)
  {
    dispatched += ProcessPending();
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
  return dispatched;
}

#else

namespace
{
using Clock = std::chrono::steady_clock;

struct ThreadTimer
{
  std::uintptr_t id;
  std::thread::id owner;
  std::chrono::milliseconds period;
  Clock::time_point due;
  RunLoop::TimerProcedure procedure;
};

// Timers of every thread; each thread's loop picks only its own.
struct TimerTable
{
  std::mutex lock;
  std::vector<ThreadTimer> timers; // guarded by lock
  std::uintptr_t nextId = 1;       // guarded by lock
};

TimerTable& Table()
{
  static TimerTable table;
  return table;
}

struct Due
{
  std::uintptr_t id;
  RunLoop::TimerProcedure procedure;
};

std::uintptr_t LocalSetThreadTimer(std::uint32_t periodMs, RunLoop::TimerProcedure procedure)
{
  if (procedure == nullptr) return 0;
  TimerTable& table = Table();
  const std::chrono::milliseconds period(std::max<std::uint32_t>(periodMs, 1));
  std::lock_guard<std::mutex> guard(table.lock);
  const std::uintptr_t id = table.nextId++;
  table.timers.push_back(
      {id, std::this_thread::get_id(), period, Clock::now() + period, procedure});
  return id;
}

bool LocalKillThreadTimer(std::uintptr_t id)
{
  TimerTable& table = Table();
  std::lock_guard<std::mutex> guard(table.lock);
  const auto it = std::find_if(table.timers.begin(), table.timers.end(),
                               [id](const ThreadTimer& t) { return t.id == id; });
  if (it == table.timers.end()) return false;
  table.timers.erase(it);
  return true;
}

int LocalProcessPending()
{
  TimerTable& table = Table();
  const std::thread::id self = std::this_thread::get_id();
  const Clock::time_point now = Clock::now();
  std::vector<Due> due;
  {
    std::lock_guard<std::mutex> guard(table.lock);
    for (ThreadTimer& t : table.timers)
    {
      if (t.owner != self || t.due > now) continue;
      due.push_back({t.id, t.procedure});
      // Like a message-queue timer: a late timer fires once, not once per missed period.
      t.due = now + t.period;
    }
  }
  // Procedures run without the table lock: they may set or kill timers.
  int dispatched = 0;
  for (const Due& d : due)
  {
    bool alive;
    {
      std::lock_guard<std::mutex> guard(table.lock);
      alive = std::any_of(table.timers.begin(), table.timers.end(),
                          [&d](const ThreadTimer& t) { return t.id == d.id; });
    }
    if (!alive) continue; // killed by an earlier procedure in this round
    d.procedure(d.id);
    ++dispatched;
  }
  return dispatched;
}

std::int64_t LocalMsUntilNextDue()
{
  TimerTable& table = Table();
  const std::thread::id self = std::this_thread::get_id();
  const Clock::time_point now = Clock::now();
  std::int64_t wait = -1;
  std::lock_guard<std::mutex> guard(table.lock);
  for (const ThreadTimer& t : table.timers)
  {
    if (t.owner != self) continue;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(t.due - now).count();
    const std::int64_t clipped = std::max<std::int64_t>(0, ms);
    if (wait < 0 || clipped < wait) wait = clipped;
  }
  return wait;
}

const RunLoop::ThreadTimerService kLocalService = {RunLoop::kServiceVersion, &LocalSetThreadTimer,
                                                   &LocalKillThreadTimer, &LocalProcessPending,
                                                   &LocalMsUntilNextDue};

// The process's table: the host's when it exports one of this version, else ours.
const RunLoop::ThreadTimerService& Service()
{
  static const RunLoop::ThreadTimerService* const service = []
  {
    void* symbol = dlsym(RTLD_DEFAULT, RunLoop::kServiceSymbol);
    if (symbol != nullptr)
    {
      const RunLoop::ThreadTimerService* found =
          reinterpret_cast<RunLoop::ServiceProvider>(symbol)();
      if (found != nullptr && found->version == RunLoop::kServiceVersion) return found;
    }
    return &kLocalService;
  }();
  return *service;
}
} // namespace

const RunLoop::ThreadTimerService* RunLoop::LocalService()
{
  return &kLocalService;
}

int RunLoop::LocalTimerCount()
{
  TimerTable& table = Table();
  const std::thread::id self = std::this_thread::get_id();
  std::lock_guard<std::mutex> guard(table.lock);
  return static_cast<int>(std::count_if(table.timers.begin(), table.timers.end(),
                                        [self](const ThreadTimer& t) { return t.owner == self; }));
}

std::uintptr_t RunLoop::SetThreadTimer(std::uint32_t periodMs, TimerProcedure procedure)
{
  return Service().setThreadTimer(periodMs, procedure);
}

bool RunLoop::KillThreadTimer(std::uintptr_t id)
{
  return Service().killThreadTimer(id);
}

int RunLoop::ProcessPending()
{
  return Service().processPending();
}

int RunLoop::RunFor(std::uint32_t durationMs)
{
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(durationMs);
  int dispatched = 0;
  for (;;)
  {
    dispatched += ProcessPending();
    const Clock::time_point now = Clock::now();
    if (now >= deadline) break;
    Clock::time_point wake = deadline;
    const std::int64_t next = Service().msUntilNextDue();
    if (next >= 0) wake = std::min(wake, now + std::chrono::milliseconds(next));
    std::this_thread::sleep_until(wake);
  }
  return dispatched;
}

#endif

} // namespace iplug
