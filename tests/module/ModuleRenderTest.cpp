// Rendering through the loaded module: the reference vectors of the drive
// path, latency reports, host bypass, mono layouts, block growth and the
// state numbers of the update passes.

#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveSignalPath.h"
#include "tests/dsp/TestSignalPathHost.h"
#include "tests/module/ModuleHost.h"

#include <numbers>

namespace moduletest
{
namespace
{

// The drive path run directly on float-converted input, as the module's frame
// runs it: the reference that the framing must reproduce.
struct DirectPath
{
  brasmire::DriveSignalPath path;
  brasmire::test::TestSignalPathHost host;

  void Process(const Block& block, std::vector<std::vector<double>>& out)
  {
    const int n = block.Frames();
    std::vector<std::vector<double>> in(2, std::vector<double>(static_cast<std::size_t>(n)));
    out.assign(2, std::vector<double>(static_cast<std::size_t>(n)));
    for (std::size_t c = 0; c < block.in.size(); ++c)
      for (int i = 0; i < n; ++i)
        in[c][static_cast<std::size_t>(i)] = block.in[c][static_cast<std::size_t>(i)];
    const double* inputs[] = {in[0].data(), in[1].data()};
    double* outputs[] = {out[0].data(), out[1].data()};
    path.ProcessBlock(inputs, outputs, n, host);
  }
};

void FillSine(Block& block, int start, double amplitude)
{
  for (int i = 0; i < block.Frames(); ++i)
    block.in[0][static_cast<std::size_t>(i)] = static_cast<float>(
        amplitude * std::sin(2.0 * std::numbers::pi * 1000.0 * (start + i) / 48000.0));
}

TEST_F(ModuleTest, ReproducesTheDrivePathsReferenceVectors)
{
  HostInstance& instance = Make(kStereo);
  // 8 samples of 0.5 sin(2 pi 1000 n / 48000) on the left, silence on the right.
  Block first(2, 8);
  FillSine(first, 0, 0.5);
  Render(instance, first);
  const double expected[] = {0.0,         0.000081305, 0.000464890, 0.001367214,
                             0.002984578, 0.005481093, 0.008980308, 0.013560135};
  for (int i = 0; i < 8; ++i)
  {
    EXPECT_NEAR(first.out[0][static_cast<std::size_t>(i)], expected[i],
                1e-6 * std::abs(expected[i]) + 1e-9)
        << i;
    EXPECT_LT(std::abs(first.out[1][static_cast<std::size_t>(i)]), 1e-12) << i;
  }
  // 1920 samples of silence, then a unit impulse on the left. What the sine
  // left in the models' slowest pole decides the response's small tail, so
  // it is checked against the drive path run directly over the same blocks,
  // and its first sample against its main part: S(1) times the settled
  // model's first impulse output at Tone 50.
  DirectPath direct;
  std::vector<std::vector<double>> expected8;
  direct.Process(first, expected8);
  Block silence(2, 1920);
  Render(instance, silence);
  std::vector<std::vector<double>> ignored;
  direct.Process(silence, ignored);
  Block impulse(2, 5);
  impulse.in[0][0] = 1.0f;
  Render(instance, impulse);
  std::vector<std::vector<double>> response;
  direct.Process(impulse, response);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(impulse.out[0][static_cast<std::size_t>(i)],
              static_cast<float>(response[0][static_cast<std::size_t>(i)]))
        << i;
  EXPECT_NEAR(impulse.out[0][0], 0.837418 * 0.968325977, 1e-4);
  EXPECT_GT(impulse.out[0][1], 1e-4); // the model's tail, not silence
  ExpectNoAssertions();
}

TEST_F(ModuleTest, EveryRenderCallFollowsAnUpdatePassWhoseNumberReachesFieldTwentyFive)
{
  HostInstance& instance = Make(kStereo);
  EXPECT_EQ(instance.CurrentStateNumber(), 0); // zeroed by InitFieldData
  Block block(2, 16);
  for (int call = 0; call < 5; ++call)
  {
    Render(instance, block);
    // The pass before call k posted k (numbers start at 0).
    EXPECT_EQ(instance.CurrentStateNumber(), call);
    EXPECT_EQ(instance.UpdatePasses(), call + 1);
  }
  EXPECT_EQ(instance.Idle(), AAX_SUCCESS);
}

TEST_F(ModuleTest, LatencyIsReportedAtTheEndOfTheFirstBlockAfterAChange)
{
  HostInstance& instance = Make(kStereo);
  Block block(2, 32);
  Render(instance, block);
  EXPECT_TRUE(instance.Controller().LatencyHistory().empty());

  ASSERT_EQ(instance.Effect().ApplyHostParamValue("5", 1.0, 1), AAX_SUCCESS);
  EXPECT_TRUE(instance.Controller().LatencyHistory().empty()); // not before a block
  Render(instance, block);
  EXPECT_EQ(instance.Controller().LatencyHistory(), std::vector<std::int32_t>{64});
  Render(instance, block);
  EXPECT_EQ(instance.Controller().LatencyHistory(), std::vector<std::int32_t>{64});

  ASSERT_EQ(instance.Effect().ApplyHostParamValue("6", 0.0, 1), AAX_SUCCESS); // Bypass 0
  Render(instance, block);
  EXPECT_EQ(instance.Controller().LatencyHistory(), (std::vector<std::int32_t>{64, 0}));
  std::int32_t latency = -1;
  EXPECT_EQ(instance.Controller().SignalLatency(&latency), AAX_SUCCESS);
  EXPECT_EQ(latency, 0);
}

TEST_F(ModuleTest, BypassZeroCopiesTheInputExactly)
{
  HostInstance& instance = Make(kStereo);
  ASSERT_EQ(instance.Effect().ApplyHostParamValue("6", 0.0, 1), AAX_SUCCESS);
  Block block(2, 64);
  for (int i = 0; i < 64; ++i)
  {
    block.in[0][static_cast<std::size_t>(i)] = 0.01f * static_cast<float>(i) - 0.3f;
    block.in[1][static_cast<std::size_t>(i)] = -0.02f * static_cast<float>(i);
  }
  Render(instance, block);
  EXPECT_EQ(block.out[0], block.in[0]);
  EXPECT_EQ(block.out[1], block.in[1]);
}

TEST_F(ModuleTest, HostBypassGoesThroughTheLatencyDelay)
{
  HostInstance& instance = Make(kStereo);
  ASSERT_EQ(instance.Effect().ApplyHostParamValue("5", 1.0, 1), AAX_SUCCESS);
  Block warm(2, 16);
  Render(instance, warm); // reports 64 and clears the delay
  ASSERT_EQ(instance.Controller().LatencyHistory(), std::vector<std::int32_t>{64});

  ASSERT_EQ(instance.Effect().ApplyHostParamValue("", 1.0, 1), AAX_SUCCESS); // host bypass
  Block block(2, 200);
  for (int i = 0; i < 200; ++i)
  {
    block.in[0][static_cast<std::size_t>(i)] = static_cast<float>(i + 1);
    block.in[1][static_cast<std::size_t>(i)] = -static_cast<float>(i + 1);
  }
  Render(instance, block);
  for (int i = 0; i < 200; ++i)
  {
    const float want = i < 64 ? 0.f : static_cast<float>(i - 63);
    ASSERT_EQ(block.out[0][static_cast<std::size_t>(i)], want) << i;
    ASSERT_EQ(block.out[1][static_cast<std::size_t>(i)], -want) << i;
  }
  // A bypassed block neither processes nor changes the latency.
  EXPECT_EQ(instance.Controller().LatencyHistory(), std::vector<std::int32_t>{64});
}

TEST_F(ModuleTest, TheMonoComponentProcessesOneChannelAndReadsSilenceForTheOther)
{
  HostInstance& mono = Make(kMono);
  HostInstance& stereo = Make(kStereo);
  for (HostInstance* instance : {&mono, &stereo})
    ASSERT_EQ(instance->Effect().ApplyHostParamValue("3", 0.5, 1), AAX_SUCCESS); // Drive 25 dB
  for (int b = 0; b < 3; ++b)
  {
    Block monoBlock(1, 256);
    Block stereoBlock(2, 256);
    FillSine(monoBlock, 256 * b, 0.8);
    FillSine(stereoBlock, 256 * b, 0.8);
    Render(mono, monoBlock);
    Render(stereo, stereoBlock);
    // The stereo right channel is silent input: the mono one's unconnected
    // second channel must be silence as well, or the left would differ.
    ASSERT_EQ(monoBlock.out[0], stereoBlock.out[0]) << b;
  }
}

TEST_F(ModuleTest, ALongerBlockGrowsTheFrameAndResetsOnce)
{
  HostInstance& instance = Make(kStereo);
  ASSERT_EQ(instance.Effect().ApplyHostParamValue("5", 1.0, 1), AAX_SUCCESS); // oversampled
  DirectPath direct;
  direct.path.ApplyParamChange(brasmire::ParamOversampling, 1.0);
  std::vector<std::vector<double>> expected;

  const int sizes[] = {512, 1024, 1024, 700};
  int start = 0;
  for (const int n : sizes)
  {
    SCOPED_TRACE(n);
    Block block(2, n);
    FillSine(block, start, 0.7);
    for (int i = 0; i < n; ++i)
      block.in[1][static_cast<std::size_t>(i)] = 0.5f * block.in[0][static_cast<std::size_t>(i)];
    start += n;
    // The frame resets the processing when the block grows past 512: once.
    if (n == 1024 && start == 512 + 1024) direct.path.ResetProcessing();
    direct.Process(block, expected);
    Render(instance, block);
    for (std::size_t c = 0; c < 2; ++c)
      for (int i = 0; i < n; ++i)
        ASSERT_EQ(block.out[c][static_cast<std::size_t>(i)],
                  static_cast<float>(expected[c][static_cast<std::size_t>(i)]))
            << c << " " << i;
  }
}

TEST_F(ModuleTest, TheTransportReachesTheInstanceWithoutDisturbingTheSound)
{
  HostInstance& instance = Make(kStereo);
  aaxhost::HostTransport::State state;
  state.playing = true;
  state.tempo = 90.0;
  state.tickPosition = 960000 * 4;
  instance.Transport().SetState(state);
  DirectPath direct;
  std::vector<std::vector<double>> expected;
  Block block(2, 128);
  FillSine(block, 0, 0.25);
  direct.Process(block, expected);
  Render(instance, block);
  for (int i = 0; i < 128; ++i)
    ASSERT_EQ(block.out[0][static_cast<std::size_t>(i)],
              static_cast<float>(expected[0][static_cast<std::size_t>(i)]));
}

} // namespace
} // namespace moduletest
