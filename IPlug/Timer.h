#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace iplug
{

// A periodic callback on the thread that created it. It fires from that
// thread's message loop (on Linux: while the thread runs RunLoop), never from
// another thread, so the callback may touch editor state without locks.
//
// Callbacks run while the process-wide timer registry lock is held. That lock
// is recursive, so a callback may stop its own or another timer; it must not
// wait for another thread that starts or stops a timer.
class Timer
{
public:
  using Callback = std::function<void(Timer&)>;

  // Starts a timer of `periodMs`. When the platform refuses one, the object
  // is still returned but never fires. [main-thread]
  static std::unique_ptr<Timer> Create(Callback callback, std::uint32_t periodMs);

  // Stops and destroys; waits for a callback of this timer that is running on
  // another thread. [any-thread]
  virtual ~Timer() = default;

  // Stops firing; stopping twice is harmless. [any-thread]
  virtual void Stop() = 0;

  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

protected:
  Timer() = default;
};

} // namespace iplug
