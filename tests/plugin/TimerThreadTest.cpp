#include "IPlug/RunLoop.h"
#include "IPlug/Timer.h"
#include "IPlug/Timer_impl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

using iplug::RunLoop;
using iplug::Timer;
using iplug::Timer_impl;

TEST(TimerThreads, ATimerFiresOnTheThreadThatCreatedItOnly)
{
  std::atomic<int> ticks{0};
  std::atomic<bool> wrongThread{false};
  std::atomic<bool> created{false};
  std::atomic<bool> stop{false};

  std::thread owner(
      [&]
      {
        const std::thread::id self = std::this_thread::get_id();
        auto timer = Timer::Create(
            [&, self](Timer&)
            {
              if (std::this_thread::get_id() != self) wrongThread = true;
              ++ticks;
            },
            10);
        created = true;
        while (!stop)
          RunLoop::RunFor(10);
      });

  while (!created)
    std::this_thread::yield();
  // This thread's loop must not deliver the other thread's timer.
  for (int i = 0; i < 10; ++i)
    RunLoop::RunFor(10);
  for (int i = 0; i < 200 && ticks < 3; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  stop = true;
  owner.join();
  EXPECT_GE(ticks.load(), 3);
  EXPECT_FALSE(wrongThread.load());
}

TEST(TimerThreads, StopFromAnotherThreadWaitsForARunningCallback)
{
  std::atomic<bool> inCallback{false};
  std::atomic<bool> callbackDone{false};
  std::atomic<int> ticks{0};
  std::unique_ptr<Timer> timer = Timer::Create(
      [&](Timer&)
      {
        if (ticks++ > 0) return;
        inCallback = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        callbackDone = true;
      },
      10);

  bool doneWhenStopped = false;
  std::thread stopper(
      [&]
      {
        while (!inCallback)
          std::this_thread::yield();
        timer->Stop(); // blocks on the registry lock until the callback returns
        doneWhenStopped = callbackDone;
      });
  for (int i = 0; i < 200 && !inCallback; ++i)
    RunLoop::RunFor(10);
  stopper.join();
  EXPECT_TRUE(inCallback.load());
  EXPECT_TRUE(doneWhenStopped);
  EXPECT_FALSE(Timer_impl::IsRegistered(*timer));
}

// Windows kills a thread timer only on the thread that set it: a Stop from
// another thread must still end the callbacks at once, and the system timer
// must die on its own thread the next time it fires there.
TEST(TimerThreads, StopFromAnotherThreadEndsTheTimerOnItsOwnThread)
{
  std::unique_ptr<Timer> timer;
  std::atomic<int> ticks{0};
  std::atomic<bool> stopReturned{false};
  std::atomic<int> callsAfterStop{0};
  std::atomic<bool> created{false};
  std::atomic<bool> stopped{false};
  int dispatchesAfterStop = -1;
#ifdef _WIN32
  bool timerMessageLeft = true;
#endif

  std::thread owner(
      [&]
      {
        timer = Timer::Create(
            [&](Timer&)
            {
              if (stopReturned) ++callsAfterStop;
              ++ticks;
            },
            10);
        created = true;
        // Keep the loop running while the other thread stops the timer.
        while (!stopped)
          RunLoop::RunFor(5);
        // At most one more timer message may come: the one that kills it.
        dispatchesAfterStop = RunLoop::RunFor(40);
        dispatchesAfterStop += RunLoop::RunFor(100);
#ifdef _WIN32
        // A live 10 ms timer would have a message waiting after 40 ms.
        Sleep(40);
        MSG message;
        timerMessageLeft = PeekMessageW(&message, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE) != 0;
#endif
        RunLoop::RunFor(50);
      });

  while (!created)
    std::this_thread::yield();
  for (int i = 0; i < 300 && ticks < 2; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_GE(ticks.load(), 2);
  timer->Stop();
  stopReturned = true;
  EXPECT_FALSE(Timer_impl::IsRegistered(*timer));
  timer.reset(); // destroyed here, while its thread's loop still runs
  stopped = true;
  owner.join();

  EXPECT_EQ(callsAfterStop.load(), 0);
  EXPECT_GE(dispatchesAfterStop, 0);
  EXPECT_LE(dispatchesAfterStop, 1);
#ifdef _WIN32
  EXPECT_FALSE(timerMessageLeft);
#endif
}
