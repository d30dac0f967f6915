#include "IPlug/RunLoop.h"
#include "IPlug/Timer.h"
#include "IPlug/Timer_impl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

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
