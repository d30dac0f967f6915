#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CAtomicQueue.h"
#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <array>

// The render path makes a local queue per call and moves pointers through
// queues: none of it may allocate on the audio thread.
TEST(AtomicQueueRealtime, MakingPushingPoppingAndDroppingAQueueAllocatesNothing)
{
  std::array<int, 300> values{};
  brasmire::test::AllocationCounter counter;
  for (int call = 0; call < 10; ++call)
  {
    AAX_CAtomicQueue<int, 256> local;
    for (int& v : values)
      local.Push(&v); // the last ones find the queue full
    while (local.Peek() != nullptr)
      local.Pop();
  }
  EXPECT_EQ(counter.Count(), 0);
}
