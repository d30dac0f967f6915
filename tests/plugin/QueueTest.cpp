#include "IPlug/IPlugQueue.h"
#include "IPlug/ParamChange.h"

#include <gtest/gtest.h>

using iplug::IPlugQueue;
using iplug::ParamChange;

TEST(IPlugQueue, ParameterQueueKeepsTheFirst512AndDropsThe513th)
{
  IPlugQueue<ParamChange> queue(513);
  EXPECT_EQ(queue.Capacity(), 512);
  for (int i = 0; i < 512; ++i)
    EXPECT_TRUE(queue.Push({i, i * 0.5}));
  EXPECT_FALSE(queue.Push({512, 256.0}));
  EXPECT_EQ(queue.ElementsAvailable(), 512);

  ParamChange p;
  for (int i = 0; i < 512; ++i)
  {
    ASSERT_TRUE(queue.Pop(p));
    EXPECT_EQ(p.paramIdx, i);
    EXPECT_EQ(p.value, i * 0.5);
  }
  p = {-7, -7.0};
  EXPECT_FALSE(queue.Pop(p));
  EXPECT_EQ(p.paramIdx, -7);
  EXPECT_EQ(queue.ElementsAvailable(), 0);
}

TEST(IPlugQueue, CountAndOrderSurviveTheIndexesWrapping)
{
  IPlugQueue<int> queue(5); // capacity 4
  int expectedNext = 0;
  int pushed = 0;
  // Vary how full the ring runs so the write index passes the read index's
  // position from every offset.
  for (int round = 0; round < 40; ++round)
  {
    const int n = 1 + round % 4;
    for (int i = 0; i < n; ++i)
      ASSERT_TRUE(queue.Push(pushed++));
    EXPECT_EQ(queue.ElementsAvailable(), n);
    EXPECT_EQ(queue.Push(-1), n == 4 ? false : true);
    int v;
    while (queue.Pop(v))
    {
      if (v == -1) continue;
      EXPECT_EQ(v, expectedNext);
      ++expectedNext;
    }
    EXPECT_EQ(queue.ElementsAvailable(), 0);
  }
  EXPECT_EQ(expectedNext, pushed);
}
