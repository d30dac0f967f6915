#include "IPlug/Timer.h"
#include "IPlug/RunLoop.h"
#include "IPlug/Timer_impl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

using iplug::RunLoop;
using iplug::Timer;
using iplug::Timer_impl;

namespace
{
// Runs the calling thread's loop until `done` or the time is up.
template <class Pred>
bool RunUntil(Pred done, int maxMs = 2000)
{
  for (int waited = 0; waited < maxMs && !done(); waited += 10)
    RunLoop::RunFor(10);
  return done();
}
} // namespace

TEST(Timer, FiresOnlyWhileTheCreatingThreadRunsItsLoop)
{
  const int before = Timer_impl::RegisteredCount();
  int ticks = 0;
  auto timer = Timer::Create([&](Timer&) { ++ticks; }, 10);
  EXPECT_EQ(Timer_impl::RegisteredCount(), before + 1);
  EXPECT_TRUE(Timer_impl::IsRegistered(*timer));

  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(ticks, 0); // due, but nobody ran the loop

  // A late timer fires once per loop pass, not once per missed period.
  RunLoop::ProcessPending();
  EXPECT_EQ(ticks, 1);

  EXPECT_TRUE(RunUntil([&] { return ticks >= 4; }));
  timer.reset();
  EXPECT_EQ(Timer_impl::RegisteredCount(), before);
}

TEST(Timer, StoppingTwiceAndDestroyingAfterStopAreHarmless)
{
  const int before = Timer_impl::RegisteredCount();
  int ticks = 0;
  auto timer = Timer::Create([&](Timer&) { ++ticks; }, 10);
  timer->Stop();
  EXPECT_FALSE(Timer_impl::IsRegistered(*timer));
  timer->Stop();
  EXPECT_EQ(Timer_impl::RegisteredCount(), before);
  RunLoop::RunFor(50);
  EXPECT_EQ(ticks, 0);
  timer.reset();
  EXPECT_EQ(Timer_impl::RegisteredCount(), before);
}

TEST(Timer, CallbackMayStopItselfWhileOthersKeepFiring)
{
  const int before = Timer_impl::RegisteredCount();
  int selfTicks = 0;
  int otherTicks = 0;
  auto self = Timer::Create(
      [&](Timer& t)
      {
        ++selfTicks;
        t.Stop(); // re-enters the registry lock on this thread
        EXPECT_FALSE(Timer_impl::IsRegistered(t));
      },
      10);
  auto other = Timer::Create([&](Timer&) { ++otherTicks; }, 10);

  EXPECT_TRUE(RunUntil([&] { return otherTicks >= 5; }));
  EXPECT_EQ(selfTicks, 1);
  EXPECT_FALSE(Timer_impl::IsRegistered(*self));
  EXPECT_TRUE(Timer_impl::IsRegistered(*other));
  EXPECT_EQ(Timer_impl::RegisteredCount(), before + 1);
}

TEST(Timer, CallbackMayStopAnotherTimer)
{
  int victimTicks = 0;
  int killerTicks = 0;
  auto victim = Timer::Create([&](Timer&) { ++victimTicks; }, 10);
  Timer* victimPtr = victim.get();
  auto killer = Timer::Create(
      [&](Timer& t)
      {
        ++killerTicks;
        victimPtr->Stop();
        victimPtr->Stop();
        t.Stop();
      },
      10);

  EXPECT_TRUE(RunUntil([&] { return killerTicks >= 1; }));
  const int victimAtStop = victimTicks;
  RunLoop::RunFor(60);
  EXPECT_EQ(killerTicks, 1);
  EXPECT_EQ(victimTicks, victimAtStop);
  EXPECT_FALSE(Timer_impl::IsRegistered(*victim));
  EXPECT_FALSE(Timer_impl::IsRegistered(*killer));
}

TEST(Timer, CallbackReceivesItsOwnTimer)
{
  Timer* seen = nullptr;
  auto timer = Timer::Create([&](Timer& t) { seen = &t; }, 10);
  EXPECT_TRUE(RunUntil([&] { return seen != nullptr; }));
  EXPECT_EQ(seen, timer.get());
}
