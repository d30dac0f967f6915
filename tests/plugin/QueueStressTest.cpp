#include "IPlug/IPlugMidi.h"
#include "IPlug/IPlugQueue.h"
#include "IPlug/ParamChange.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

using iplug::IPlugQueue;
using iplug::ParamChange;
using iplug::QueuedSysExMessage;

// The producer retries when the ring is full, so every element must arrive
// exactly once and in order.
TEST(QueueStress, RetriedPushesArriveOnceAndInOrder)
{
  constexpr int kCount = 200000;
  IPlugQueue<ParamChange> queue(513);
  std::thread producer(
      [&]
      {
        for (int i = 0; i < kCount; ++i)
          while (!queue.Push({i, i * 0.25}))
            std::this_thread::yield();
      });

  int expected = 0;
  bool inOrder = true;
  while (expected < kCount)
  {
    ParamChange p;
    if (!queue.Pop(p))
    {
      std::this_thread::yield();
      continue;
    }
    if (p.paramIdx != expected || p.value != expected * 0.25) inOrder = false;
    ++expected;
    EXPECT_LE(queue.ElementsAvailable(), 512);
  }
  producer.join();
  EXPECT_TRUE(inOrder);
  ParamChange extra;
  EXPECT_FALSE(queue.Pop(extra));
}

// Without retries the producer drops what does not fit; what it was told went
// in is exactly what comes out, in order, and large records arrive intact.
TEST(QueueStress, DroppedElementsAreOnlyThoseRefusedAndLargeRecordsStayWhole)
{
  constexpr int kCount = 20000;
  IPlugQueue<QueuedSysExMessage> queue(5);
  std::vector<int> accepted;
  accepted.reserve(kCount);
  std::atomic<bool> producerDone{false};

  std::thread producer(
      [&]
      {
        QueuedSysExMessage msg;
        for (int i = 0; i < kCount; ++i)
        {
          msg.offset = i;
          msg.size = 1 + i % iplug::kMaxQueuedSysExBytes;
          std::memset(msg.data, i & 0xFF, sizeof msg.data);
          if (queue.Push(msg)) accepted.push_back(i);
        }
        producerDone = true;
      });

  std::vector<int> received;
  bool intact = true;
  QueuedSysExMessage msg;
  for (;;)
  {
    if (queue.Pop(msg))
    {
      received.push_back(msg.offset);
      if (msg.size != 1 + msg.offset % iplug::kMaxQueuedSysExBytes) intact = false;
      for (std::uint8_t b : msg.data)
        if (b != (msg.offset & 0xFF)) intact = false;
    }
    else if (producerDone)
    {
      if (!queue.Pop(msg)) break;
      received.push_back(msg.offset);
    }
  }
  producer.join();
  EXPECT_TRUE(intact);
  EXPECT_EQ(received, accepted);
  EXPECT_LT(accepted.size(), static_cast<std::size_t>(kCount)); // a 4-element ring must overflow
}
