#include "IPlug/IPlugProcessor.h"

#include "core/TestProcessor.h"
#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <vector>

using brasmire::test::AllocationCounter;
using iplug::RouteDirection;
using iplug::sample;
using iplug::test::TestProcessor;

namespace
{
constexpr RouteDirection In = RouteDirection::Input;
constexpr RouteDirection Out = RouteDirection::Output;

// Everything a host adapter does per block, for `channels` host channels.
void Block(TestProcessor& p, float** in, float** out, int channels, int frames, bool bypass)
{
  p.ConnectChannels(In, 0, channels, true);
  p.ConnectChannels(In, channels, p.ChannelCount(In) - channels, false);
  p.ConnectChannels(Out, 0, channels, true);
  p.ConnectChannels(Out, channels, p.ChannelCount(Out) - channels, false);
  p.AttachHostBuffers(In, 0, channels, in, frames);
  p.AttachHostBuffers(Out, 0, channels, out, frames);
  if (bypass)
    p.PassThroughHostBuffers(frames);
  else
    p.ProcessHostBuffers(frames);
}
} // namespace

TEST(ProcessorAllocation, SteadyBlocksAllocateNothing)
{
  TestProcessor p("1-1 2-2", 0);
  p.ConnectChannels(In, 0, 2, true);
  p.ConnectChannels(Out, 0, 2, true);
  p.CreateLatencyDelay(0);
  p.SetProcessBlockSize(512);
  std::vector<float> l(512, 0.25f), r(512, -0.25f), ol(512), orr(512);
  float* in[2] = {l.data(), r.data()};
  float* out[2] = {ol.data(), orr.data()};
  std::vector<sample> l64(512), r64(512);
  sample* in64[2] = {l64.data(), r64.data()};

  AllocationCounter counter;
  for (int round = 0; round < 50; ++round)
  {
    const int frames = round % 5 == 0 ? 512 : 100 + round; // shorter blocks never grow
    Block(p, in, out, 2, frames, false);
    Block(p, in, out, 2, frames, true);
    Block(p, in, out, 1, frames, false); // mono on the stereo layout
    Block(p, in, out, 1, frames, true);
    p.AttachHostBuffers(In, 0, 2, in64, frames);
    p.ProcessHostBuffersAccumulating(frames);
    p.PassThroughHostBuffersAccumulating(frames);
  }
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_EQ(ol[0], 0.25f); // the blocks did run
}

TEST(ProcessorAllocation, LatencyChangesOnTheAudioThreadReuseReservedRoom)
{
  TestProcessor p("2-2", 0);
  p.ConnectChannels(In, 0, 2, true);
  p.ConnectChannels(Out, 0, 2, true);
  p.CreateLatencyDelay(0);
  p.SetProcessBlockSize(256);
  std::vector<float> l(256, 1.0f), r(256, 1.0f), ol(256), orr(256);
  float* in[2] = {l.data(), r.data()};
  float* out[2] = {ol.data(), orr.data()};

  AllocationCounter counter;
  for (int round = 0; round < 20; ++round)
  {
    p.ChangeLatency(round % 2 == 0 ? 64 : 0);
    Block(p, in, out, 2, 256, true);
  }
  p.ChangeLatency(TestProcessor::kReservedLatencySamples);
  Block(p, in, out, 2, 256, true);
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_EQ(ol[255], 0.0f); // still inside the 4096-sample delay
}

// A host may grow its block during playback; the adapter then resizes the
// frame on the audio thread. Up to the prepared size that reuses room
// reserved at construction; past it, growing allocates (and must).
TEST(ProcessorAllocation, GrowingTheBlockOnTheAudioThreadUsesPreparedRoom)
{
  TestProcessor p("1-1 2-2", 0);
  p.SetProcessBlockSize(512);
  constexpr int prepared = static_cast<int>(iplug::IPlugProcessor::kPreparedBlockFrames);
  std::vector<float> l(prepared, 0.5f), r(prepared, -0.5f), ol(prepared), orr(prepared);
  float* in[2] = {l.data(), r.data()};
  float* out[2] = {ol.data(), orr.data()};
  {
    AllocationCounter counter;
    for (const int frames : {513, 1024, 4096, prepared})
    {
      p.SetProcessBlockSize(frames);
      Block(p, in, out, 2, frames, false);
      EXPECT_EQ(p.BlockSize(), frames);
    }
    EXPECT_EQ(counter.Count(), 0);
  }
  EXPECT_EQ(ol[prepared - 1], 0.5f); // the largest block ran to its end
  AllocationCounter counter;
  p.SetProcessBlockSize(prepared + 1);
  EXPECT_GT(counter.Count(), 0);
}
