#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CAtomicQueue.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>

TEST(AtomicQueue, FillsToCapacityThenRefusesWithoutTouchingTheCounters)
{
  AAX_CAtomicQueue<int, 256> queue;
  std::array<int, 257> values{};
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(queue.Push(&values[static_cast<std::size_t>(i)]), AAX_IContainer::eStatus_Success)
        << i;
  const std::int32_t write = queue.WriteCounter();
  const std::int32_t read = queue.ReadCounter();
  EXPECT_EQ(queue.Push(&values[256]), AAX_IContainer::eStatus_Overflow);
  EXPECT_EQ(queue.WriteCounter(), write);
  EXPECT_EQ(queue.ReadCounter(), read);
  EXPECT_EQ(queue.Push(nullptr), AAX_IContainer::eStatus_Unspecified);
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(queue.Pop(), &values[static_cast<std::size_t>(i)]);
  EXPECT_EQ(queue.Pop(), nullptr);
}

TEST(AtomicQueue, PeekShowsTheHeadAndAnEmptyPopChangesNothing)
{
  AAX_CAtomicQueue<int, 4> queue;
  int a = 1, b = 2;
  EXPECT_EQ(queue.Peek(), nullptr);
  const std::int32_t read = queue.ReadCounter();
  EXPECT_EQ(queue.Pop(), nullptr);
  EXPECT_EQ(queue.ReadCounter(), read);
  queue.Push(&a);
  queue.Push(&b);
  EXPECT_EQ(queue.Peek(), &a);
  EXPECT_EQ(queue.Peek(), &a);
  EXPECT_EQ(queue.Pop(), &a);
  EXPECT_EQ(queue.Peek(), &b);
  queue.Clear();
  EXPECT_EQ(queue.Pop(), nullptr);
}

TEST(AtomicQueue, KeepsOrderAcrossManyWrapArounds)
{
  AAX_CAtomicQueue<int, 4> queue;
  std::array<int, 64> values{};
  std::deque<int*> model; // the order a plain FIFO of capacity 4 would give
  std::size_t next = 0;
  for (int step = 0; step < 2000; ++step)
  {
    const bool push = (step * 7 + step / 5) % 3 != 0;
    if (push)
    {
      int* p = &values[next++ % values.size()];
      const auto status = queue.Push(p);
      if (model.size() < 4)
      {
        ASSERT_EQ(status, AAX_IContainer::eStatus_Success) << step;
        model.push_back(p);
      }
      else
        ASSERT_EQ(status, AAX_IContainer::eStatus_Overflow) << step;
    }
    else
    {
      int* expected = model.empty() ? nullptr : model.front();
      if (!model.empty()) model.pop_front();
      ASSERT_EQ(queue.Pop(), expected) << step;
    }
  }
}
