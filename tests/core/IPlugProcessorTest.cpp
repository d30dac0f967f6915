#include "IPlug/IPlugProcessor.h"

#include "core/TestProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <limits>
#include <vector>

using iplug::IPlugProcessor;
using iplug::LatencyDelay;
using iplug::MidiMessage;
using iplug::PlugKind;
using iplug::PlugSetup;
using iplug::RouteDirection;
using iplug::sample;
using iplug::TimeInfo;
using iplug::test::SetupWithChannels;
using iplug::test::TestProcessor;

namespace
{
constexpr RouteDirection In = RouteDirection::Input;
constexpr RouteDirection Out = RouteDirection::Output;

// out[c] = gain[c] · in[c] + offset[c], and a record of what the block saw.
class GainProcessor : public TestProcessor
{
public:
  using TestProcessor::TestProcessor;

  void ProcessAudioBlock(sample** inputs, sample** outputs, int frames) noexcept override
  {
    ++blocks;
    lastFrames = frames;
    for (int c = 0; c < 2 && c < ChannelCount(In); ++c)
      seenInputs[c] = inputs[c];
    for (int c = 0; c < 2 && c < ChannelCount(Out); ++c)
      seenOutputs[c] = outputs[c];
    const int shared = std::min(ChannelCount(In), ChannelCount(Out));
    for (int c = 0; c < shared; ++c)
    {
      for (int i = 0; i < frames; ++i)
        outputs[c][i] = 2.0 * inputs[c][i] + 0.25 * c;
    }
    for (int c = shared; c < ChannelCount(Out); ++c)
    {
      for (int i = 0; i < frames; ++i)
        outputs[c][i] = 0.25 * c;
    }
  }
  void ResetProcessing() override { ++resets; }

  int blocks = 0;
  int resets = 0;
  int lastFrames = -1;
  sample* seenInputs[2] = {};
  sample* seenOutputs[2] = {};
};

// What a host adapter does per block: grow the block if needed, connect the host's
// channels, attach their buffers, then process or bypass.
template <typename Proc>
void RenderBlock(Proc& p, float** in, int inChannels, float** out, int outChannels, int frames,
                 bool bypass = false)
{
  if (frames > p.BlockSize())
  {
    p.SetProcessBlockSize(frames);
    p.ResetProcessing();
  }
  p.ConnectChannels(In, 0, inChannels, true);
  p.ConnectChannels(In, inChannels, p.ChannelCount(In) - inChannels, false);
  p.ConnectChannels(Out, 0, outChannels, true);
  p.ConnectChannels(Out, outChannels, p.ChannelCount(Out) - outChannels, false);
  p.AttachHostBuffers(In, 0, inChannels, in, frames);
  p.AttachHostBuffers(Out, 0, outChannels, out, frames);
  if (bypass)
    p.PassThroughHostBuffers(frames);
  else
    p.ProcessHostBuffers(frames);
}

struct HostBuffers
{
  HostBuffers(int channels, int frames) : data(channels, std::vector<float>(frames, 0.0f))
  {
    for (auto& d : data)
      pointers.push_back(d.data());
  }
  float** get() { return pointers.data(); }
  std::vector<std::vector<float>> data;
  std::vector<float*> pointers;
};
} // namespace

TEST(ProcessorSetup, ConstructionCopiesTheRecordAndStartsFromDefaults)
{
  PlugSetup setup = SetupWithChannels("1-1 2-2", 12);
  setup.midiIn = true;
  setup.mpe = true;
  setup.plugKind = PlugKind::Instrument;
  TestProcessor p(setup);
  EXPECT_EQ(p.GetPlugKind(), PlugKind::Instrument);
  EXPECT_TRUE(p.TakesMidiInput());
  EXPECT_FALSE(p.ProducesMidiOutput());
  EXPECT_TRUE(p.SupportsMpe());
  EXPECT_EQ(p.Latency(), 12);
  EXPECT_EQ(p.SampleRate(), 48000.0);
  EXPECT_EQ(p.BlockSize(), 0);
  EXPECT_EQ(p.GetLatencyDelay(), nullptr);
  EXPECT_EQ(p.ConnectedChannelCount(In), 0);
  const TimeInfo& t = p.GetTimeInfo();
  EXPECT_EQ(t.tempo, 120.0);
  EXPECT_EQ(t.samplePosition, -1.0);
  EXPECT_EQ(t.beatPosition, -1.0);
  EXPECT_EQ(t.lastBarStart, -1.0);
  EXPECT_EQ(t.cycleStart, -1.0);
  EXPECT_EQ(t.cycleEnd, -1.0);
  EXPECT_EQ(t.meterNumerator, 4);
  EXPECT_EQ(t.meterDenominator, 4);
  EXPECT_FALSE(t.transportRunning);
  EXPECT_FALSE(t.loopEnabled);
}

TEST(ProcessorSetup, SamplesPerBeatFollowsRateAndTempo)
{
  TestProcessor p("2-2");
  EXPECT_DOUBLE_EQ(p.SamplesPerBeat(), 24000.0); // 48000 · 60 / 120
  p.SetSampleRate(44100.0);
  TimeInfo t;
  t.tempo = 90.0;
  p.SetTimeInfo(t);
  EXPECT_DOUBLE_EQ(p.SamplesPerBeat(), 29400.0);
  t.tempo = 0.0;
  p.SetTimeInfo(t);
  EXPECT_EQ(p.SamplesPerBeat(), 0.0);
}

TEST(ProcessorSetup, ComponentTypeFollowsKindAndMidiInput)
{
  const struct
  {
    PlugKind kind;
    bool midiIn;
    std::uint32_t code;
  } cases[] = {
      {PlugKind::Effect, false, 0x61756678u},     // 'aufx'
      {PlugKind::Effect, true, 0x61756D66u},      // 'aumf'
      {PlugKind::Instrument, false, 0x61756D75u}, // 'aumu'
      {PlugKind::MidiEffect, true, 0x61756D69u},  // 'aumi'
      {static_cast<PlugKind>(7), false, 0x61756678u},
  };
  for (const auto& c : cases)
  {
    PlugSetup setup = SetupWithChannels("1-1");
    setup.plugKind = c.kind;
    setup.midiIn = c.midiIn;
    EXPECT_EQ(TestProcessor(setup).AUComponentType(), c.code);
  }
}

TEST(ProcessorMidi, DefaultHandlingForwardsAndListEmissionReportsAnyRefusal)
{
  TestProcessor p("1-1");
  p.HandleMidiMessage(MidiMessage{5, 0x90, 60, 100});
  ASSERT_EQ(p.emittedCount, 1);
  EXPECT_EQ(p.emitted[0].offset, 5);
  EXPECT_EQ(p.emitted[0].data1, 60);
  const MidiMessage list[] = {{0, 0xB0, 1, 2}, {1, 0x80, 60, 0}, {2, 0xB0, 3, 4}};
  EXPECT_TRUE(p.EmitMidiMessages(list));
  p.refuseStatus = 0x80;
  EXPECT_FALSE(p.EmitMidiMessages(list));
  EXPECT_EQ(p.emittedCount, 1 + 3 + 2); // a refusal does not stop the others
  EXPECT_FALSE(p.EmitSysExMessage(iplug::SysExMessage{}));
}

TEST(ProcessorFrame, HostSamplesAreConvertedProcessedAndWrittenBack)
{
  GainProcessor p("1-1 2-2");
  HostBuffers in(2, 64), out(2, 64);
  for (int i = 0; i < 64; ++i)
  {
    in.data[0][i] = 0.001f * i;
    in.data[1][i] = -0.5f + 0.01f * i;
  }
  RenderBlock(p, in.get(), 2, out.get(), 2, 64);
  EXPECT_EQ(p.lastFrames, 64);
  for (int i = 0; i < 64; ++i)
  {
    EXPECT_EQ(out.data[0][i], static_cast<float>(2.0 * static_cast<double>(in.data[0][i])));
    EXPECT_EQ(out.data[1][i], static_cast<float>(2.0 * static_cast<double>(in.data[1][i]) + 0.25));
  }
}

TEST(ProcessorFrame, InPlaceHostBuffersWork)
{
  GainProcessor p("2-2");
  HostBuffers io(2, 32);
  for (int i = 0; i < 32; ++i)
    io.data[0][i] = io.data[1][i] = static_cast<float>(i);
  RenderBlock(p, io.get(), 2, io.get(), 2, 32);
  for (int i = 0; i < 32; ++i)
  {
    EXPECT_EQ(io.data[0][i], 2.0f * i);
    EXPECT_EQ(io.data[1][i], 2.0f * i + 0.25f);
  }
}

TEST(ProcessorFrame, MonoOnAStereoLayoutReadsSilenceOnTheMissingChannel)
{
  GainProcessor p("1-1 2-2");
  HostBuffers in(1, 16), out(1, 16);
  for (int i = 0; i < 16; ++i)
    in.data[0][i] = 1.0f;
  RenderBlock(p, in.get(), 1, out.get(), 1, 16);
  EXPECT_EQ(p.ConnectedChannelCount(In), 1);
  EXPECT_EQ(p.ConnectedChannelCount(Out), 1);
  EXPECT_EQ(p.seenInputs[1], p.Channel(In, 1)->ownBuffer.data());
  EXPECT_EQ(p.seenOutputs[1], p.Channel(Out, 1)->ownBuffer.data());
  for (int i = 0; i < 16; ++i)
  {
    EXPECT_EQ(out.data[0][i], 2.0f);
    EXPECT_EQ(p.Channel(In, 1)->ownBuffer[i], 0.0);
    EXPECT_EQ(p.Channel(Out, 1)->ownBuffer[i], 0.25); // written, but to no host
  }
}

TEST(ProcessorFrame, DefaultBlockCopiesSharedChannelsAndSilencesTheRest)
{
  TestProcessor p("1-2");
  HostBuffers in(1, 8), out(2, 8);
  for (int i = 0; i < 8; ++i)
  {
    in.data[0][i] = 0.5f * i;
    out.data[1][i] = 9.0f; // stale host data
  }
  RenderBlock(p, in.get(), 1, out.get(), 2, 8);
  for (int i = 0; i < 8; ++i)
  {
    EXPECT_EQ(out.data[0][i], 0.5f * i);
    EXPECT_EQ(out.data[1][i], 0.0f);
  }
}

TEST(ProcessorFrame, BlockSizeGrowsOnlyForLongerBlocks)
{
  GainProcessor p("2-2");
  HostBuffers in(2, 1024), out(2, 1024);
  RenderBlock(p, in.get(), 2, out.get(), 2, 512);
  const sample* before = p.Channel(In, 0)->ownBuffer.data();
  RenderBlock(p, in.get(), 2, out.get(), 2, 512);
  EXPECT_EQ(p.resets, 1);
  EXPECT_EQ(p.Channel(In, 0)->ownBuffer.data(), before);

  RenderBlock(p, in.get(), 2, out.get(), 2, 1024);
  EXPECT_EQ(p.resets, 2);
  EXPECT_EQ(p.BlockSize(), 1024);
  for (int d = 0; d < 2; ++d)
    for (int c = 0; c < 2; ++c)
      EXPECT_EQ(p.Channel(d == 0 ? In : Out, c)->ownBuffer.size(), 1024u);

  const sample* grown = p.Channel(In, 0)->ownBuffer.data();
  RenderBlock(p, in.get(), 2, out.get(), 2, 256);
  EXPECT_EQ(p.resets, 2);
  EXPECT_EQ(p.BlockSize(), 1024);
  EXPECT_EQ(p.Channel(In, 0)->ownBuffer.data(), grown);
  EXPECT_EQ(p.lastFrames, 256);
}

TEST(ProcessorFrame, ResizingClearsBuffersAndRepointsEverySlot)
{
  GainProcessor p("2-2");
  p.SetProcessBlockSize(8);
  p.ConnectChannels(In, 0, 2, false);
  p.SetProcessBlockSize(4000); // the old buffers are freed: slots must follow
  p.ProcessHostBuffers(4000);  // ASan would catch a slot into the freed buffer
  EXPECT_EQ(p.seenInputs[0], p.Channel(In, 0)->ownBuffer.data());
  EXPECT_EQ(p.Channel(In, 0)->ownBuffer.size(), 4000u);
  p.SetProcessBlockSize(4000);
  EXPECT_EQ(p.Channel(Out, 1)->ownBuffer[3999], 0.25); // same size: nothing cleared
  p.SetProcessBlockSize(-5);
  EXPECT_EQ(p.BlockSize(), 0);
  p.ProcessHostBuffers(10);
  EXPECT_EQ(p.lastFrames, 0);
}

TEST(ProcessorFrame, LongerBlockThanTheBuffersIsCutAndItsTailSilenced)
{
  GainProcessor p("1-1");
  p.SetProcessBlockSize(16);
  HostBuffers in(1, 40), out(1, 40);
  for (int i = 0; i < 40; ++i)
  {
    in.data[0][i] = 1.0f;
    out.data[0][i] = 7.0f;
  }
  p.ConnectChannels(In, 0, 1, true);
  p.ConnectChannels(Out, 0, 1, true);
  p.AttachHostBuffers(In, 0, 1, in.get(), 40);
  p.AttachHostBuffers(Out, 0, 1, out.get(), 40);
  p.ProcessHostBuffers(40);
  EXPECT_EQ(p.lastFrames, 16);
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(out.data[0][i], i < 16 ? 2.0f : 0.0f) << i;
}

TEST(ProcessorFrame, ConnectingClipsTheRunToTheChannels)
{
  TestProcessor p("4-4");
  p.ConnectChannels(In, 2, 100, true);
  EXPECT_EQ(p.ConnectedChannelCount(In), 2);
  p.ConnectChannels(In, -3, 4, true);
  EXPECT_EQ(p.ConnectedChannelCount(In), 3);
  p.ConnectChannels(In, 0, -1, false);
  EXPECT_EQ(p.ConnectedChannelCount(In), 3);
  p.ConnectChannels(In, std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), false);
  p.ConnectChannels(In, 1, std::numeric_limits<int>::max(), false);
  EXPECT_EQ(p.ConnectedChannelCount(In), 1);
  EXPECT_TRUE(p.Channel(In, 0)->connected);
  EXPECT_EQ(p.Channel(In, 4), nullptr);
}

TEST(ProcessorFrame, OneHostBufferPerConnectedChannelAndNullBuffersAreSilence)
{
  GainProcessor p("3-3");
  p.SetProcessBlockSize(4);
  HostBuffers in(3, 4), out(3, 4);
  for (int c = 0; c < 3; ++c)
    for (int i = 0; i < 4; ++i)
      in.data[c][i] = 1.0f + c;
  p.ConnectChannels(In, 0, 3, true);
  p.ConnectChannels(In, 0, 1, false);
  p.ConnectChannels(Out, 0, 3, true);
  // Channels 1 and 2 take host buffers 0 and 1.
  p.AttachHostBuffers(In, 0, 3, in.get(), 4);
  p.AttachHostBuffers(Out, 0, 3, out.get(), 4);
  p.ProcessHostBuffers(4);
  EXPECT_EQ(out.data[0][0], 0.0f);
  EXPECT_EQ(out.data[1][0], 2.0f * 1.0f + 0.25f);
  EXPECT_EQ(out.data[2][0], 2.0f * 2.0f + 0.5f);

  float* nulls[3] = {nullptr, nullptr, nullptr};
  p.ConnectChannels(In, 0, 3, true);
  p.AttachHostBuffers(In, 0, 3, nulls, 4);
  p.AttachHostBuffers(Out, 0, 3, nulls, 4);
  p.ProcessHostBuffers(4); // nothing to write, nothing to crash on
  EXPECT_EQ(p.Channel(Out, 2)->ownBuffer[0], 0.5);
  p.AttachHostBuffers(In, 0, 3, static_cast<float* const*>(nullptr), 4);
  p.ProcessHostBuffers(4);
  EXPECT_EQ(p.Channel(Out, 0)->ownBuffer[0], 0.0);
}

TEST(ProcessorFrame, HostBuffersAreForgottenAfterEachBlock)
{
  GainProcessor p("1-1");
  HostBuffers in(1, 8), out(1, 8);
  for (int i = 0; i < 8; ++i)
    in.data[0][i] = 1.0f;
  RenderBlock(p, in.get(), 1, out.get(), 1, 8);
  EXPECT_EQ(out.data[0][0], 2.0f);
  out.data[0][0] = -3.0f;
  p.ProcessHostBuffers(8); // not attached again: the old buffer stays untouched
  EXPECT_EQ(out.data[0][0], -3.0f);
}

TEST(ProcessorFrame, AccumulatingVariantsAddToTheHostBuffers)
{
  GainProcessor p("1-1");
  HostBuffers in(1, 8), out(1, 8);
  for (int i = 0; i < 8; ++i)
  {
    in.data[0][i] = 0.5f;
    out.data[0][i] = 1.0f;
  }
  p.SetProcessBlockSize(8);
  p.ConnectChannels(In, 0, 1, true);
  p.ConnectChannels(Out, 0, 1, true);
  p.AttachHostBuffers(In, 0, 1, in.get(), 8);
  p.AttachHostBuffers(Out, 0, 1, out.get(), 8);
  p.ProcessHostBuffersAccumulating(8);
  EXPECT_EQ(out.data[0][3], 2.0f); // 1 + 2 · 0.5
  p.AttachHostBuffers(In, 0, 1, in.get(), 8);
  p.AttachHostBuffers(Out, 0, 1, out.get(), 8);
  p.PassThroughHostBuffersAccumulating(8);
  EXPECT_EQ(out.data[0][3], 2.5f);
}

TEST(ProcessorFrame, SixtyFourBitHostBuffersAreUsedDirectly)
{
  GainProcessor p("2-2");
  p.SetProcessBlockSize(8);
  std::vector<sample> inL(8, 0.125), inR(8, -1.0), outL(8), outR(8);
  sample* ins[2] = {inL.data(), inR.data()};
  sample* outs[2] = {outL.data(), outR.data()};
  p.ConnectChannels(In, 0, 2, true);
  p.ConnectChannels(Out, 0, 2, true);
  p.AttachHostBuffers(In, 0, 2, ins, 8);
  p.AttachHostBuffers(Out, 0, 2, outs, 8);
  p.ProcessHostBuffers(8);
  EXPECT_EQ(p.seenInputs[0], inL.data());
  EXPECT_EQ(p.seenOutputs[1], outR.data());
  EXPECT_EQ(outL[7], 0.25);
  EXPECT_EQ(outR[0], -1.75);
}

TEST(ProcessorFrame, SampleConversionRoundsToNearestFloat)
{
  const sample src[4] = {1.0 / 3.0, -0.0, 1e-40, 3.0e38};
  float f[4];
  IPlugProcessor::SampleToFloat(f, src, 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(f[i], static_cast<float>(src[i]));
  sample back[4];
  IPlugProcessor::FloatToSample(back, f, 4);
  EXPECT_EQ(back[0], static_cast<double>(1.0f / 3.0f));
  EXPECT_TRUE(std::signbit(back[1]));
}

TEST(ProcessorFrame, ClearChannelBuffersSilencesEveryOwnBuffer)
{
  GainProcessor p("2-2");
  p.SetProcessBlockSize(8);
  p.ProcessHostBuffers(8); // outputs become 0 and 0.25
  EXPECT_EQ(p.Channel(Out, 1)->ownBuffer[5], 0.25);
  p.ClearChannelBuffers();
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(p.Channel(Out, c)->ownBuffer[i], 0.0);
}

// Bypass -----------------------------------------------------------------------

TEST(ProcessorBypass, ImpulseComesOutOneLatencyLaterAcrossBlocks)
{
  GainProcessor p("1-1 2-2", 64);
  p.CreateLatencyDelay(64);
  std::vector<float> heard;
  for (int block = 0; block < 4; ++block)
  {
    HostBuffers in(2, 32), out(2, 32);
    if (block == 0) in.data[1][0] = 1.0f;
    RenderBlock(p, in.get(), 2, out.get(), 2, 32, true);
    heard.insert(heard.end(), out.data[1].begin(), out.data[1].end());
    for (float s : out.data[0])
      EXPECT_EQ(s, 0.0f);
  }
  EXPECT_EQ(p.blocks, 0); // the effect never ran
  for (int i = 0; i < 128; ++i)
    EXPECT_EQ(heard[i], i == 64 ? 1.0f : 0.0f) << i;
}

TEST(ProcessorBypass, DelayMatchesAReferenceDelayLineForChangingBlockSizes)
{
  const int latency = 37;
  TestProcessor p("2-2", latency);
  p.CreateLatencyDelay(latency);
  std::deque<double> reference(latency, 0.0);
  const int sizes[] = {7, 1, 64, 13, 100, 37, 38, 2};
  int n = 0;
  for (int frames : sizes)
  {
    HostBuffers in(2, frames), out(2, frames);
    std::vector<float> expected(frames);
    for (int i = 0; i < frames; ++i, ++n)
    {
      in.data[0][i] = static_cast<float>(std::sin(0.1 * n));
      in.data[1][i] = -in.data[0][i];
      reference.push_back(in.data[0][i]);
      expected[i] = static_cast<float>(reference.front());
      reference.pop_front();
    }
    RenderBlock(p, in.get(), 2, out.get(), 2, frames, true);
    for (int i = 0; i < frames; ++i)
    {
      ASSERT_EQ(out.data[0][i], expected[i]) << "frame " << i << " of a " << frames << " block";
      ASSERT_EQ(out.data[1][i], -expected[i]);
    }
  }
}

TEST(ProcessorBypass, ChangingLatencyClearsTheDelay)
{
  TestProcessor p("1-1", 64);
  p.CreateLatencyDelay(64);
  HostBuffers in(1, 100), out(1, 100);
  for (int i = 0; i < 100; ++i)
    in.data[0][i] = 1.0f;
  RenderBlock(p, in.get(), 1, out.get(), 1, 100, true); // the ring is full of ones
  p.ChangeLatency(64);
  EXPECT_EQ(p.GetLatencyDelay()->WritePosition(), 0);
  RenderBlock(p, in.get(), 1, out.get(), 1, 100, true);
  for (int i = 0; i < 100; ++i)
    EXPECT_EQ(out.data[0][i], i < 64 ? 0.0f : 1.0f) << i;

  p.ChangeLatency(10);
  EXPECT_EQ(p.GetLatencyDelay()->Length(), 10);
  RenderBlock(p, in.get(), 1, out.get(), 1, 100, true);
  EXPECT_EQ(out.data[0][9], 0.0f);
  EXPECT_EQ(out.data[0][10], 1.0f);
}

TEST(ProcessorBypass, WithoutLatencyTheCopyIsDirectAndSurplusOutputsSilent)
{
  GainProcessor p("1-2", 0);
  p.CreateLatencyDelay(0);
  HostBuffers in(1, 8), out(2, 8);
  for (int i = 0; i < 8; ++i)
    in.data[0][i] = 0.5f;
  RenderBlock(p, in.get(), 1, out.get(), 2, 8); // leaves 0.25 in output 1's own buffer
  RenderBlock(p, in.get(), 1, out.get(), 2, 8, true);
  for (int i = 0; i < 8; ++i)
  {
    EXPECT_EQ(out.data[0][i], 0.5f);
    EXPECT_EQ(out.data[1][i], 0.0f);
  }
  // The same holds with a delay running: surplus outputs are silenced, not stale.
  p.ChangeLatency(3);
  RenderBlock(p, in.get(), 1, out.get(), 2, 8);
  RenderBlock(p, in.get(), 1, out.get(), 2, 8, true);
  EXPECT_EQ(out.data[0][2], 0.0f);
  EXPECT_EQ(out.data[0][3], 0.5f);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(out.data[1][i], 0.0f);
}

TEST(ProcessorBypass, LatencyWithoutAUsableDelayCopiesStraightThrough)
{
  // Reported latency but a delay of length 0: walking a ring of length 0 would
  // divide by zero; the copy is direct instead.
  TestProcessor p("1-1", 64);
  p.CreateLatencyDelay(0);
  HostBuffers in(1, 4), out(1, 4);
  in.data[0][0] = 1.0f;
  RenderBlock(p, in.get(), 1, out.get(), 1, 4, true);
  EXPECT_EQ(out.data[0][0], 1.0f);

  TestProcessor none("1-1", 64); // no delay at all
  RenderBlock(none, in.get(), 1, out.get(), 1, 4, true);
  EXPECT_EQ(out.data[0][0], 1.0f);
  none.ChangeLatency(-8);
  EXPECT_EQ(none.Latency(), 0);
}

TEST(ProcessorBypass, DelayRefusesAbsurdLengthsAndWorksInPlace)
{
  LatencyDelay delay(2, 2, 3);
  EXPECT_FALSE(delay.SetLength(LatencyDelay::kMaxLengthSamples + 1));
  EXPECT_EQ(delay.Length(), 0);
  EXPECT_TRUE(delay.SetLength(3));
  std::vector<sample> a = {1, 2, 3, 4, 5}, b = {10, 20, 30, 40, 50};
  sample* io[2] = {a.data(), b.data()};
  delay.Process(io, io, 5); // same buffers in and out
  EXPECT_EQ(a, (std::vector<sample>{0, 0, 0, 1, 2}));
  EXPECT_EQ(b, (std::vector<sample>{0, 0, 0, 10, 20}));
  EXPECT_EQ(delay.WritePosition(), 2);
}
