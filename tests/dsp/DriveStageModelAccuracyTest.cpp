#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveCurve.h"
#include "Examples/Brasmire/DriveSignalPath.h"
#include "Examples/Brasmire/DriveStageModel.h"
#include "bench/dsp/LiteralDrivePath.h"
#include "tests/dsp/QuadReferenceModel.h"
#include "tests/dsp/TestSignalPathHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

using brasmire::DriveStageModel;
using namespace brasmire;
using brasmire::test::TestSignalPathHost;

namespace
{
struct Errors
{
  double model = 0.0;
  double directForm = 0.0;
  double peak = 0.0;
};

// A 100 Hz sine at -6 dBFS shaped at Drive 12 dB (so it carries DC) into the
// model at Tone 50, for 2 s; the worst difference from the 128-bit reference
// over the last quarter, for our model and for the 64-bit direct form.
Errors SineErrors(double rate)
{
  DriveStageModel model;
  model.Configure(rate);
  brasmire::literal::Model direct;
  direct.Configure(rate);
  brasmire::test::QuadReferenceModel reference(rate);
  const double amplitude = std::pow(10.0, -6.0 / 20.0);
  const double gain = std::pow(10.0, 12.0 / 20.0);
  const double tone = 0.25 + 50.0 / 100.0;
  const int frames = static_cast<int>(2.0 * std::trunc(std::fmin(rate, 192000.0)));
  Errors e;
  for (int n = 0; n < frames; ++n)
  {
    const double x = amplitude * std::sin(2.0 * std::numbers::pi * 100.0 * n / rate);
    const double shaped = brasmire::DriveCurve::Evaluate(gain * x) / gain;
    const double y = model.Tick(shaped, 0.55, tone, tone, 0.25);
    const double yDirect = direct.Tick(shaped, 0.55, tone, tone, 0.25);
    const double yRef = reference.Tick(shaped, 0.55, tone, tone, 0.25);
    if (n >= frames * 3 / 4)
    {
      e.model = std::fmax(e.model, std::fabs(y - yRef));
      e.directForm = std::fmax(e.directForm, std::fabs(yDirect - yRef));
      e.peak = std::fmax(e.peak, std::fabs(yRef));
    }
  }
  std::printf("%6.0f Hz: model error %.3g, 64-bit direct form error %.3g (peak %.3f)\n", rate,
              e.model, e.directForm, e.peak);
  return e;
}

struct Stereo
{
  std::vector<double> left;
  std::vector<double> right;
  explicit Stereo(std::size_t n = 0) : left(n, 0.0), right(n, 0.0) {}
  std::size_t size() const { return left.size(); }
};

Stereo Noise(std::size_t n, double amplitude, unsigned seed)
{
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> u(-amplitude, amplitude);
  Stereo s(n);
  for (std::size_t i = 0; i < n; ++i)
  {
    s.left[i] = u(rng);
    s.right[i] = u(rng);
  }
  return s;
}
} // namespace

TEST(DriveStageModelAccuracy, DrivenSineMatchesTheExactFilterAtEveryRate)
{
  for (double rate : {44100.0, 48000.0, 96000.0, 192000.0})
  {
    const Errors e = SineErrors(rate);
    EXPECT_LT(e.model, 2e-7) << rate;
    EXPECT_GT(e.peak, 0.3) << rate;
    // Why the model is not the direct form: at 192 kHz that one's error is audible.
    if (rate == 192000.0)
    {
      EXPECT_GT(e.directForm, 1e-3);
    }
  }
}

TEST(DriveStageModelAccuracy, GlideAndToneChangesMatchTheExactFilter)
{
  // From a silent model, with DC in the input and the tone moved twice, at the
  // lowest and highest usual rates.
  for (double rate : {44100.0, 192000.0})
  {
    DriveStageModel model;
    model.Configure(rate);
    brasmire::test::QuadReferenceModel reference(rate);
    double worst = 0.0;
    for (int n = 0; n < 20000; ++n)
    {
      const double t = n < 6000 ? 0.75 : n < 12000 ? 1.25 : 0.25;
      const double x = 0.5 * std::sin(2.0 * std::numbers::pi * 1000.0 * n / rate) + 0.05;
      const double y = model.Tick(x, 0.55, t, t, 0.25);
      worst = std::fmax(worst, std::fabs(y - reference.Tick(x, 0.55, t, t, 0.25)));
    }
    EXPECT_LT(worst, 1e-12) << rate;
  }
}

TEST(DriveStageModelAccuracy, ConstantInputLeavesOnlyTheOffsetAfterThirtySeconds)
{
  for (double rate : {48000.0, 192000.0})
  {
    DriveStageModel model;
    model.Configure(rate);
    model.SetControls(0.55, 0.75, 0.75, 0.25);
    const int frames = static_cast<int>(30 * rate);
    double y = 0.0;
    double tail = 0.0;
    for (int n = 0; n < frames; ++n)
    {
      y = model.Process(1.0);
      if (n >= frames - 1000) tail = std::fmax(tail, std::fabs(y - 1e-15));
    }
    std::printf("%6.0f Hz: constant 1 after 30 s leaves %.3g\n", rate, tail);
    EXPECT_LT(tail, 1e-9) << rate;
  }
}

TEST(DriveStageModelAccuracy, RatesAboveTheLimitBehaveAsTheLimit)
{
  DriveStageModel limit;
  DriveStageModel above;
  limit.Configure(192000.0);
  above.Configure(250000.0);
  for (int n = 0; n < 5000; ++n)
  {
    const double x = std::sin(n * 0.01);
    ASSERT_EQ(limit.Tick(x, 0.55, 0.9, 0.9, 0.25), above.Tick(x, 0.55, 0.9, 0.9, 0.25)) << n;
  }
}

namespace
{
// Both renderings see the same parameter changes between blocks of varying
// size; the literal one runs with the exact model in place of its direct form.
// Returns the largest difference.
double LargestDifferenceFromLiteral(double rate, std::size_t frames)
{
  auto path = std::make_unique<DriveSignalPath>();
  auto literal = std::make_unique<brasmire::literal::DrivePath>();
  brasmire::test::QuadReferenceModel exact[2] = {brasmire::test::QuadReferenceModel(rate),
                                                 brasmire::test::QuadReferenceModel(rate)};
  literal->OverrideModel(
      [](void* context, int channel, double x, double a, double b, double c, double d) {
        return static_cast<brasmire::test::QuadReferenceModel*>(context)[channel].Tick(x, a, b, c,
                                                                                       d);
      },
      exact);
  TestSignalPathHost host;
  host.sampleRate = rate;
  int literalLatency = 0;
  const Stereo in = Noise(frames, 0.6, 11);
  Stereo out(in.size());
  Stereo ref(in.size());
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> blockSize(0, 700);
  std::uniform_int_distribution<int> change(0, 9);
  std::size_t pos = 0;
  double worst = 0.0;
  while (pos < in.size())
  {
    const int c = change(rng);
    const struct
    {
      int index;
      double value;
    } changes[] = {{ParamDrive, 24.0},       {ParamDrive, 40.0},  {ParamOversampling, 1.0},
                   {ParamOversampling, 0.0}, {ParamMix, 50.0},    {ParamTone, 90.0},
                   {ParamTone, 20.0},        {ParamOutput, -6.0}, {ParamMix, 100.0},
                   {ParamDrive, 0.0}};
    path->ApplyParamChange(changes[c].index, changes[c].value);
    literal->ApplyParamChange(changes[c].index, changes[c].value);
    const int n = std::min(blockSize(rng), static_cast<int>(in.size() - pos));
    const double* inputs[2] = {in.left.data() + pos, in.right.data() + pos};
    double* literalInputs[2] = {const_cast<double*>(inputs[0]), const_cast<double*>(inputs[1])};
    double* outputs[2] = {out.left.data() + pos, out.right.data() + pos};
    double* refOutputs[2] = {ref.left.data() + pos, ref.right.data() + pos};
    path->ProcessBlock(inputs, outputs, n, host);
    literal->ProcessBlock(literalInputs, refOutputs, n, rate, 2, literalLatency);
    EXPECT_EQ(host.latency, literalLatency);
    for (int i = 0; i < n; ++i)
    {
      worst = std::fmax(worst, std::fabs(outputs[0][i] - refOutputs[0][i]));
      worst = std::fmax(worst, std::fabs(outputs[1][i] - refOutputs[1][i]));
    }
    pos += static_cast<std::size_t>(n);
  }
  std::printf("%6.0f Hz: largest difference from the literal rendering %.3g\n", rate, worst);
  return worst;
}
} // namespace

TEST(DriveSignalPathAccuracy, MatchesTheLiteralRenderingThroughSettingChanges)
{
  EXPECT_LT(LargestDifferenceFromLiteral(44100.0, 44100), 1e-7);
  EXPECT_LT(LargestDifferenceFromLiteral(48000.0, 48000), 1e-7);
  EXPECT_LT(LargestDifferenceFromLiteral(96000.0, 48000), 1e-7);
  EXPECT_LT(LargestDifferenceFromLiteral(192000.0, 48000), 1e-7);
}
