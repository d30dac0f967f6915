#pragma once

#include <cstdint>

namespace aaxhost
{

// The host's main-thread event loop. A plug-in's timer is a thread timer of
// the thread that created the instance; it fires only while that thread runs
// this loop, as it would in a DAW's message loop. [main-thread]
class HostEventLoop
{
public:
  // Runs the calling thread's loop for `durationMs`; the number of dispatches.
  static int RunFor(std::uint32_t durationMs);
  // Runs what is due now without waiting; the number of dispatches.
  static int ProcessPending();
  // The calling thread's timers, every module's included; -1 where the
  // system keeps them out of sight (Windows thread timers).
  static int TimerCount();

  HostEventLoop() = delete;
};

} // namespace aaxhost
