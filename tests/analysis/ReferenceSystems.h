#pragma once

#include "IPlug/AAX/IPlugAAX.h"

#include <array>
#include <atomic>
#include <vector>

namespace analysistest
{

// The test module's effect: systems whose measurements are known in closed
// form, chosen by the System parameter, for `plughost analyze` to measure.
//   0 Filter      a biquad low-pass at Cutoff Hz, Q 0.7071 (bilinear, prewarped)
//   1 Polynomial  y = x + 0.2 x^2 + 0.1 x^3
//   2 Delay       y[n] = x[n - Delay]; reports Delay as latency while Report is 1
//   3 Clipper     y = clamp(8 x, -1, 1), at the host rate
//   4 Oversampled the same clipper at eight times the rate between two
//                 257-tap windowed-sinc filters; reports their 32 samples
class ReferenceSystems final : public iplug::IPlugAAX
{
public:
  enum Param
  {
    kSystem,
    kCutoff,
    kDelay,
    kReport,
    kNumParams
  };
  static constexpr int kMaxDelay = 4096;
  static constexpr int kOversampling = 8;
  static constexpr int kTaps = 257;
  static constexpr int kPhaseTaps = (kTaps + kOversampling - 1) / kOversampling;

  static iplug::PlugSetup MakeSetup();
  // [any-thread] The module's factory.
  static ReferenceSystems* CreateInstance() noexcept;

  ReferenceSystems();
  // [thread that set the parameter]
  void ApplyParamChange(int paramIdx) override;
  // [non-audio thread]
  bool SerializeState(iplug::ByteChunk& chunk) const override;
  int UnserializeState(const iplug::ByteChunk& chunk, int startPos) override;
  // [audio-thread]
  void ProcessAudioBlock(iplug::sample** inputs, iplug::sample** outputs,
                         int frames) noexcept override;
  // [audio-thread] or before processing starts.
  void ResetProcessing() override;

private:
  struct Channel
  {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0; // biquad
    std::vector<double> delay;             // ring of kMaxDelay + 1
    // Oversampling filters' histories, each value stored twice (at i and
    // i + length) so the newest `length` values are always contiguous.
    std::array<double, 2 * kPhaseTaps> up{}; // host-rate inputs (the stuffed zeros skipped)
    std::array<double, 2 * kTaps> down{};    // clipped values at the high rate
    int upPos = 0;
    int downPos = 0;
  };

  double Process(Channel& channel, double x, int system) noexcept;
  void UpdateFilter() noexcept;

  // Written by ApplyParamChange (any thread), read once per block by the audio thread.
  std::atomic<int> mSystem{0};
  std::atomic<int> mDelay{100};
  std::atomic<int> mReport{1};
  std::atomic<double> mCutoff{1000.0};
  // Audio thread.
  Channel mChannels[2];
  std::size_t mDelayPos = 0;
  double mB[3] = {}, mA[3] = {};
  double mCoefficientsFor = -1.0; // cutoff * rate key of the biquad's coefficients
  std::array<double, kTaps> mKernel{};
};

} // namespace analysistest
