#include "AAX_SDK/Libs/AAXLibrary/source/LibraryMutex.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CAtomicQueue.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"
#include "tests/aax/HostServicesFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

TEST(LibraryMutex, AThreadThatHoldsItPassesStraightThrough)
{
  LibraryMutex mutex;
  EXPECT_TRUE(mutex.Lock());
  EXPECT_FALSE(mutex.Lock()); // proceeds at once, without waiting
  // The inner unlock belongs to a lock that did not wait: the mutex stays held.
  EXPECT_TRUE(mutex.IsOwnedByCallingThread());
  std::atomic<bool> otherGotIt{false};
  std::thread other(
      [&]
      {
        LibraryMutex::ScopedLock lock(mutex);
        otherGotIt = true;
      });
  // The other thread can only finish after the outer unlock below.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_FALSE(otherGotIt.load());
  mutex.Unlock();
  other.join();
  EXPECT_TRUE(otherGotIt.load());
  EXPECT_FALSE(mutex.IsOwnedByCallingThread());
}

TEST(LibraryMutex, NestedScopedLocksExcludeOtherThreads)
{
  LibraryMutex mutex;
  long counter = 0; // guarded by mutex only
  auto work = [&]
  {
    for (int i = 0; i < 20000; ++i)
    {
      LibraryMutex::ScopedLock outer(mutex);
      LibraryMutex::ScopedLock inner(mutex);
      ++counter;
    }
  };
  std::thread a(work), b(work);
  a.join();
  b.join();
  EXPECT_EQ(counter, 40000);
}

TEST(AtomicQueueThreads, TwoProducersAndOneConsumerKeepEachProducersOrder)
{
  AAX_CAtomicQueue<int, 256> queue;
  constexpr int kPerProducer = 20000;
  std::vector<int> first(kPerProducer), second(kPerProducer);
  for (int i = 0; i < kPerProducer; ++i)
    first[static_cast<std::size_t>(i)] = second[static_cast<std::size_t>(i)] = i;
  auto produce = [&](std::vector<int>& values)
  {
    for (int& v : values)
      while (queue.Push(&v) != AAX_IContainer::eStatus_Success)
        std::this_thread::yield();
  };
  std::thread p1(produce, std::ref(first)), p2(produce, std::ref(second));
  int nextFirst = 0, nextSecond = 0, received = 0;
  bool inOrder = true;
  while (received < 2 * kPerProducer)
  {
    int* p = queue.Pop();
    if (p == nullptr)
    {
      std::this_thread::yield();
      continue;
    }
    ++received;
    if (p >= first.data() && p < first.data() + kPerProducer)
      inOrder &= (*p == nextFirst++);
    else
      inOrder &= (*p == nextSecond++);
  }
  p1.join();
  p2.join();
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(nextFirst, kPerProducer);
  EXPECT_EQ(nextSecond, kPerProducer);
  EXPECT_EQ(queue.Pop(), nullptr);
}

using TraceThreads = HostServicesFixture;

TEST_F(TraceThreads, TracesFromManyThreadsAllArrive)
{
  constexpr int kThreads = 4;
  constexpr int kEach = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back(
        [t]
        {
          for (int i = 0; i < kEach; ++i)
          {
            AAX_TraceMessage(t, "thread %d message %d", t, i);
            if (i % 100 == 0) AAX_ReportAssertion("p", i, "concurrent");
          }
        });
  for (auto& thread : threads)
    thread.join();
  const auto traces = Services().Traces();
  ASSERT_EQ(traces.size(), static_cast<std::size_t>(kThreads * kEach));
  std::vector<int> next(kThreads, 0);
  for (const auto& trace : traces)
  {
    // Each thread's messages arrive in its own order.
    const std::string expected = "thread " + std::to_string(trace.priority) + " message " +
                                 std::to_string(next[static_cast<std::size_t>(trace.priority)]++);
    ASSERT_EQ(trace.message, expected);
  }
  EXPECT_EQ(Services().Assertions().size(), static_cast<std::size_t>(kThreads * 5));
}
