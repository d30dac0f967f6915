// The drive signal path run the way the effect runs it: inside the processing
// frame, with 32-bit host buffers, the "1-1 2-2" layout, growing and changing
// block sizes, mono operation and latency changes.
#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveSignalPath.h"
#include "Examples/Brasmire/ProcessorSignalPathHost.h"
#include "IPlug/IPlugProcessor.h"
#include "support/AllocationCounter.h"
#include "tests/dsp/TestSignalPathHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

using namespace brasmire;
using iplug::RouteDirection;

namespace
{
constexpr RouteDirection In = RouteDirection::Input;
constexpr RouteDirection Out = RouteDirection::Output;

iplug::PlugSetup DriveSetup()
{
  iplug::PlugSetup setup;
  setup.paramCount = kNumParams;
  setup.channelIO = "1-1 2-2";
  setup.latencySamples = 0;
  return setup;
}

// A stand-in for the effect: the frame's two hooks forward to the signal path.
class FramedDrive final : public iplug::IPlugProcessor
{
public:
  FramedDrive() : iplug::IPlugProcessor(DriveSetup()), mLink(*this)
  {
    SetProcessBlockSize(512);
    CreateLatencyDelay(0);
  }

  void ProcessAudioBlock(iplug::sample** inputs, iplug::sample** outputs,
                         int frames) noexcept override
  {
    path.ProcessBlock(inputs, outputs, frames, mLink);
  }
  void ResetProcessing() override { path.ResetProcessing(); }
  bool EmitMidiMessage(const iplug::MidiMessage&) noexcept override { return false; }

  // What a host adapter does per block: grow the buffers when needed, connect
  // `channels` channels, attach the 32-bit buffers and process (or bypass).
  void HostBlock(float** in, float** out, int channels, int frames, bool hostBypass = false)
  {
    if (frames > BlockSize())
    {
      SetProcessBlockSize(frames);
      ResetProcessing();
    }
    ConnectChannels(In, 0, channels, true);
    ConnectChannels(In, channels, ChannelCount(In) - channels, false);
    ConnectChannels(Out, 0, channels, true);
    ConnectChannels(Out, channels, ChannelCount(Out) - channels, false);
    AttachHostBuffers(In, 0, channels, in, frames);
    AttachHostBuffers(Out, 0, channels, out, frames);
    if (hostBypass)
      PassThroughHostBuffers(frames);
    else
      ProcessHostBuffers(frames);
  }

  DriveSignalPath path;

private:
  ProcessorSignalPathHost mLink;
};

std::vector<float> FloatNoise(std::size_t n, unsigned seed)
{
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> u(-0.9f, 0.9f);
  std::vector<float> v(n);
  for (float& x : v)
    x = u(rng);
  return v;
}
} // namespace

TEST(DriveInFrame, HostBlocksOfAnySizeGiveTheSignalPathsOutputInFloat)
{
  // The reference runs the same path directly on the same (exactly widened)
  // samples and resets where the frame grows its buffers.
  auto framed = std::make_unique<FramedDrive>();
  framed->SetSampleRate(44100.0f); // hosts deliver the rate as a 32-bit float
  auto direct = std::make_unique<DriveSignalPath>();
  test::TestSignalPathHost directHost;
  directHost.sampleRate = 44100.0;
  const std::vector<int> sizes = {512, 0, 8192, 1, 4097, 64, 3000, 0, 8191, 7, 2048};
  std::size_t total = 0;
  for (int s : sizes)
    total += static_cast<std::size_t>(s);
  const std::vector<float> left = FloatNoise(total, 1);
  const std::vector<float> right = FloatNoise(total, 2);
  std::vector<float> outL(total), outR(total);
  std::size_t pos = 0;
  int grown = 512;
  int step = 0;
  for (int frames : sizes)
  {
    // Settings change between blocks as automation would.
    const double drive = (step % 3) * 20.0;
    const double oversampling = step % 2;
    for (DriveSignalPath* p : {&framed->path, direct.get()})
    {
      p->ApplyParamChange(ParamDrive, drive);
      p->ApplyParamChange(ParamOversampling, oversampling);
      p->ApplyParamChange(ParamMix, 80.0);
    }
    ++step;
    float* in[2] = {const_cast<float*>(left.data() + pos), const_cast<float*>(right.data() + pos)};
    float* out[2] = {outL.data() + pos, outR.data() + pos};
    framed->HostBlock(in, out, 2, frames);

    if (frames > grown)
    {
      grown = frames;
      direct->ResetProcessing();
    }
    std::vector<double> dl(left.begin() + static_cast<long>(pos),
                           left.begin() + static_cast<long>(pos) + frames);
    std::vector<double> dr(right.begin() + static_cast<long>(pos),
                           right.begin() + static_cast<long>(pos) + frames);
    std::vector<double> el(static_cast<std::size_t>(frames)), er(static_cast<std::size_t>(frames));
    const double* dIn[2] = {dl.data(), dr.data()};
    double* dOut[2] = {el.data(), er.data()};
    direct->ProcessBlock(dIn, dOut, frames, directHost);
    for (int i = 0; i < frames; ++i)
    {
      ASSERT_EQ(outL[pos + static_cast<std::size_t>(i)],
                static_cast<float>(el[static_cast<std::size_t>(i)]))
          << pos + i;
      ASSERT_EQ(outR[pos + static_cast<std::size_t>(i)],
                static_cast<float>(er[static_cast<std::size_t>(i)]))
          << pos + i;
    }
    EXPECT_EQ(framed->Latency(), directHost.latency);
    pos += static_cast<std::size_t>(frames);
  }
}

TEST(DriveInFrame, MonoOnTheStereoLayoutProcessesTheConnectedChannel)
{
  auto framed = std::make_unique<FramedDrive>();
  auto direct = std::make_unique<DriveSignalPath>();
  test::TestSignalPathHost directHost;
  for (DriveSignalPath* p : {&framed->path, direct.get()})
    p->ApplyParamChange(ParamDrive, 24.0);
  const std::vector<float> mono = FloatNoise(3000, 5);
  std::vector<float> out(3000, 123.0f);
  for (std::size_t pos = 0; pos < 3000; pos += 500)
  {
    float* in[1] = {const_cast<float*>(mono.data() + pos)};
    float* o[1] = {out.data() + pos};
    framed->HostBlock(in, o, 1, 500);
  }
  // Directly: the left channel with a silent right one.
  std::vector<double> l(mono.begin(), mono.end()), r(3000, 0.0), el(3000), er(3000);
  const double* dIn[2] = {l.data(), r.data()};
  double* dOut[2] = {el.data(), er.data()};
  direct->ProcessBlock(dIn, dOut, 3000, directHost);
  for (std::size_t i = 0; i < 3000; ++i)
    ASSERT_EQ(out[i], static_cast<float>(el[i])) << i;
  EXPECT_EQ(framed->ConnectedChannelCount(Out), 1);
}

TEST(DriveInFrame, OversamplingReportsLatencyToTheFrameAndItsBypassDelay)
{
  auto framed = std::make_unique<FramedDrive>();
  std::vector<float> silence(256, 0.0f), outL(256), outR(256);
  float* in[2] = {silence.data(), silence.data()};
  float* out[2] = {outL.data(), outR.data()};
  framed->HostBlock(in, out, 2, 256);
  EXPECT_EQ(framed->Latency(), 0);
  framed->path.ApplyParamChange(ParamOversampling, 1.0);
  framed->HostBlock(in, out, 2, 256);
  EXPECT_EQ(framed->Latency(), 64);
  // The host bypasses the instance: its copy is delayed by the reported latency.
  std::vector<float> impulse(256, 0.0f);
  impulse[0] = 1.0f;
  float* impulseIn[2] = {impulse.data(), impulse.data()};
  framed->HostBlock(impulseIn, out, 2, 256, true);
  for (int i = 0; i < 256; ++i)
  {
    EXPECT_EQ(outL[static_cast<std::size_t>(i)], i == 64 ? 1.0f : 0.0f) << i;
    EXPECT_EQ(outR[static_cast<std::size_t>(i)], i == 64 ? 1.0f : 0.0f) << i;
  }
  // Disengaging reports 0 again at the end of the next block.
  framed->path.ApplyParamChange(ParamBypass, 0.0);
  framed->HostBlock(in, out, 2, 32);
  EXPECT_EQ(framed->Latency(), 0);
}

TEST(DriveInFrame, SteadyHostBlocksAllocateNothing)
{
  auto framed = std::make_unique<FramedDrive>();
  const std::vector<float> left = FloatNoise(4096, 3);
  std::vector<float> outL(4096), outR(4096);
  float* in[2] = {const_cast<float*>(left.data()), const_cast<float*>(left.data())};
  float* out[2] = {outL.data(), outR.data()};
  framed->HostBlock(in, out, 2, 4096); // grows once, before counting
  test::AllocationCounter counter;
  for (double oversampling : {1.0, 0.0, 1.0})
  {
    framed->path.ApplyParamChange(ParamOversampling, oversampling);
    for (int frames : {4096, 0, 17, 1000})
    {
      framed->HostBlock(in, out, 2, frames);
      framed->HostBlock(in, out, 1, frames);
      framed->HostBlock(in, out, 2, frames, true);
    }
  }
  EXPECT_EQ(counter.Count(), 0);
}
