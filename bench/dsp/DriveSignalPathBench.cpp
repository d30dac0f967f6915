// Cost of the drive signal path against the literal per-sample rendering, at
// 48 kHz stereo, blocks of 512, Drive 24 dB. Counters: seconds per stereo frame
// ("per_frame"), audio seconds processed per second ("x_realtime") and the share
// of one core that real time needs ("pct_core").
#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveCurve.h"
#include "Examples/Brasmire/DriveSignalPath.h"
#include "Examples/Brasmire/DriveStageModel.h"
#include "Examples/Brasmire/OversamplingFilter.h"
#include "bench/dsp/LiteralDrivePath.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;

class BenchHost final : public brasmire::SignalPathHost
{
public:
  double SampleRate() const noexcept override { return kRate; }
  int ConnectedOutputChannels() const noexcept override { return 2; }
  int ReportedLatency() const noexcept override { return latency; }
  void ChangeLatency(int samples) noexcept override { latency = samples; }
  int latency = 0;
};

enum class Mode
{
  OversamplingOff,
  OversamplingOn,
  Bypassed
};

enum class Signal
{
  Noise,
  Silence
};

// Uniform noise at -6 dBFS peak, different per channel; deterministic.
std::vector<double> MakeSignal(Signal kind, std::size_t frames, std::uint32_t seed)
{
  std::vector<double> v(frames, 0.0);
  if (kind == Signal::Silence) return v;
  std::uint32_t s = seed;
  for (double& x : v)
  {
    s = s * 1664525u + 1013904223u;
    x = (static_cast<double>(s >> 8) / 16777216.0 - 0.5);
  }
  return v;
}

void SetCounters(benchmark::State& state)
{
  const double frames = static_cast<double>(state.iterations()) * kBlock;
  state.counters["per_frame"] =
      benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
  state.counters["pct_core"] = benchmark::Counter(
      frames / kRate / 100.0, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <typename Path>
void Configure(Path& path, Mode mode)
{
  path.ApplyParamChange(brasmire::ParamDrive, 24.0);
  path.ApplyParamChange(brasmire::ParamOversampling, mode == Mode::OversamplingOn ? 1.0 : 0.0);
  path.ApplyParamChange(brasmire::ParamBypass, mode == Mode::Bypassed ? 0.0 : 1.0);
}

// `warmSeconds` of the same signal run before timing, so the models' controls
// have settled and, for silence, any slow-down from decaying state would show.
void RunOptimised(benchmark::State& state, Mode mode, Signal signal, double warmSeconds)
{
  auto path = std::make_unique<brasmire::DriveSignalPath>();
  Configure(*path, mode);
  BenchHost host;
  const std::size_t period = 48000; // one second of signal, repeated
  std::vector<double> left = MakeSignal(signal, period + kBlock, 1);
  std::vector<double> right = MakeSignal(signal, period + kBlock, 2);
  std::vector<double> outL(kBlock), outR(kBlock);
  double* outputs[2] = {outL.data(), outR.data()};
  std::size_t offset = 0;
  auto block = [&]
  {
    const double* inputs[2] = {left.data() + offset, right.data() + offset};
    path->ProcessBlock(inputs, outputs, kBlock, host);
    offset = (offset + kBlock) % period;
  };
  for (double t = 0; t < warmSeconds; t += kBlock / kRate)
    block();
  for (auto _ : state)
  {
    block();
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
  }
  SetCounters(state);
}

void RunLiteral(benchmark::State& state, Mode mode)
{
  auto path = std::make_unique<brasmire::literal::DrivePath>();
  Configure(*path, mode);
  int latency = 0;
  std::vector<double> left = MakeSignal(Signal::Noise, 48000 + kBlock, 1);
  std::vector<double> right = MakeSignal(Signal::Noise, 48000 + kBlock, 2);
  std::vector<double> outL(kBlock), outR(kBlock);
  double* outputs[2] = {outL.data(), outR.data()};
  std::size_t offset = 0;
  auto block = [&]
  {
    double* inputs[2] = {left.data() + offset, right.data() + offset};
    path->ProcessBlock(inputs, outputs, kBlock, kRate, 2, latency);
    offset = (offset + kBlock) % 48000;
  };
  for (int i = 0; i < 40; ++i) // about 0.4 s: past the controls' glide
    block();
  for (auto _ : state)
  {
    block();
    benchmark::DoNotOptimize(outL.data());
    benchmark::DoNotOptimize(outR.data());
    benchmark::ClobberMemory();
  }
  SetCounters(state);
}

void BM_Optimised_OversamplingOff(benchmark::State& s)
{
  RunOptimised(s, Mode::OversamplingOff, Signal::Noise, 1.0);
}
void BM_Optimised_OversamplingOn(benchmark::State& s)
{
  RunOptimised(s, Mode::OversamplingOn, Signal::Noise, 1.0);
}
void BM_Optimised_Bypassed(benchmark::State& s)
{
  RunOptimised(s, Mode::Bypassed, Signal::Noise, 1.0);
}
void BM_Literal_OversamplingOff(benchmark::State& s)
{
  RunLiteral(s, Mode::OversamplingOff);
}
void BM_Literal_OversamplingOn(benchmark::State& s)
{
  RunLiteral(s, Mode::OversamplingOn);
}
void BM_Literal_Bypassed(benchmark::State& s)
{
  RunLiteral(s, Mode::Bypassed);
}
// 60 s of the signal before timing: silence must not get slower than noise.
void BM_Optimised_Silence60s_OversamplingOn(benchmark::State& s)
{
  RunOptimised(s, Mode::OversamplingOn, Signal::Silence, 60.0);
}
void BM_Optimised_Noise60s_OversamplingOn(benchmark::State& s)
{
  RunOptimised(s, Mode::OversamplingOn, Signal::Noise, 60.0);
}
void BM_Optimised_Silence60s_OversamplingOff(benchmark::State& s)
{
  RunOptimised(s, Mode::OversamplingOff, Signal::Silence, 60.0);
}
void BM_Optimised_Noise60s_OversamplingOff(benchmark::State& s)
{
  RunOptimised(s, Mode::OversamplingOff, Signal::Noise, 60.0);
}

// The building blocks alone, per stereo frame, to see where the time goes.
void BM_Part_Curve(benchmark::State& state)
{
  std::vector<double> left = MakeSignal(Signal::Noise, kBlock, 1);
  std::vector<double> right = MakeSignal(Signal::Noise, kBlock, 2);
  for (auto _ : state)
  {
    brasmire::Lanes acc{};
    for (int i = 0; i < kBlock; ++i)
      acc += brasmire::DriveCurve::Shape(brasmire::Lanes{left[i], right[i]}, 15.85, 1 / 15.85);
    benchmark::DoNotOptimize(acc);
  }
  SetCounters(state);
}
void BM_Part_FilterUpDown(benchmark::State& state)
{
  brasmire::OversamplingFilter up, down;
  std::vector<double> left = MakeSignal(Signal::Noise, kBlock, 1);
  std::vector<double> right = MakeSignal(Signal::Noise, kBlock, 2);
  for (auto _ : state)
  {
    brasmire::Lanes acc{};
    for (int i = 0; i < kBlock; ++i)
    {
      brasmire::Lanes a, b;
      up.ProcessZeroStuffed(brasmire::Lanes{left[i], right[i]}, a, b);
      acc += down.ProcessKeepFirst(a, b);
    }
    benchmark::DoNotOptimize(acc);
  }
  SetCounters(state);
}
void BM_Part_TwoModels(benchmark::State& state)
{
  brasmire::DriveStageModel left, right;
  left.SetControls(0.55, 0.75, 0.75, 0.25);
  right.SetControls(0.55, 0.75, 0.75, 0.25);
  std::vector<double> in = MakeSignal(Signal::Noise, kBlock, 1);
  for (auto _ : state)
  {
    double acc = 0;
    for (int i = 0; i < kBlock; ++i)
      acc += left.Process(in[i]) + right.Process(in[i]);
    benchmark::DoNotOptimize(acc);
  }
  SetCounters(state);
}
} // namespace

BENCHMARK(BM_Part_Curve);
BENCHMARK(BM_Part_FilterUpDown);
BENCHMARK(BM_Part_TwoModels);
BENCHMARK(BM_Literal_OversamplingOff);
BENCHMARK(BM_Optimised_OversamplingOff);
BENCHMARK(BM_Literal_OversamplingOn);
BENCHMARK(BM_Optimised_OversamplingOn);
BENCHMARK(BM_Literal_Bypassed);
BENCHMARK(BM_Optimised_Bypassed);
BENCHMARK(BM_Optimised_Silence60s_OversamplingOn);
BENCHMARK(BM_Optimised_Noise60s_OversamplingOn);
BENCHMARK(BM_Optimised_Silence60s_OversamplingOff);
BENCHMARK(BM_Optimised_Noise60s_OversamplingOff);

BENCHMARK_MAIN();
