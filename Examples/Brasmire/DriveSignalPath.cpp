#include "Examples/Brasmire/DriveSignalPath.h"

#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveCurve.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <xmmintrin.h>
#define BRASMIRE_HAS_MXCSR 1
#endif

namespace brasmire
{
namespace
{
// The drive stage model's smoothing targets for the effect: level 0.55 and
// balance 0.25 are fixed; the Tone control drives both tone inputs.
constexpr double kModelLevel = 0.55;
constexpr double kModelBalance = 0.25;
constexpr double kLargestFilterInput = 1e300;

// Treats subnormal numbers as zero for the duration of a block. The model and
// the filters carry offsets that keep their state clear of them, but the curve's
// powers of a very quiet sample (a host's subnormal 32-bit sample, widened) can
// land there, and arithmetic on subnormals is many times slower.
class ScopedFlushSubnormals
{
public:
  ScopedFlushSubnormals() noexcept
  {
#if BRASMIRE_HAS_MXCSR
    mSaved = _mm_getcsr();
    _mm_setcsr(mSaved | 0x8040u); // flush-to-zero and denormals-are-zero
#endif
  }
  ~ScopedFlushSubnormals()
  {
#if BRASMIRE_HAS_MXCSR
    _mm_setcsr(mSaved);
#endif
  }
  ScopedFlushSubnormals(const ScopedFlushSubnormals&) = delete;
  ScopedFlushSubnormals& operator=(const ScopedFlushSubnormals&) = delete;

private:
  unsigned int mSaved = 0;
};

// A NaN or infinite sample would stay in the filters' and models' state for good
// and silence the track until the instance is reloaded: it enters as 0.
inline double FiniteOrZero(double x) noexcept
{
  return std::isfinite(x) ? x : 0.0;
}

// Truncates a plain parameter value to an integer without overflowing.
inline int TruncatedInteger(double value) noexcept
{
  if (value >= 2147483647.0) return 2147483647;
  if (value <= -2147483648.0) return -2147483647 - 1;
  return static_cast<int>(value);
}
} // namespace

struct DriveSignalPath::BlockSettings
{
  double driveGain;
  double inverseDriveGain;
  double outputGain;
  double mixAmount;
};

DriveSignalPath::DriveSignalPath() noexcept
{
  for (OversamplingFilter* filter : {&mUpsampler, &mDownsampler})
  {
    filter->SetGuard(1e-15);
    filter->Reset();
  }
  for (int ch = 0; ch < kChannels; ++ch)
  {
    mModels[ch].Clear();
    mDryDelays[ch].ResetPosition();
  }
}

void DriveSignalPath::ApplyParamChange(int index, double value) noexcept
{
  // The parameters confine their values to these ranges already; a value from
  // elsewhere is confined too, so that no setting can make the curve divide by
  // zero, the gains overflow or the model's tone leave its stable range.
  if (!std::isfinite(value)) return;
  switch (index)
  {
  case ParamMix:
    mMixAmount.store(std::clamp(value, 0.0, 100.0) / 100.0, std::memory_order_relaxed);
    break;
  case ParamTone:
    mToneSetting.store(std::clamp(value, 0.0, 100.0), std::memory_order_relaxed);
    break;
  case ParamDrive:
    mDriveGain.store(std::pow(10.0, std::clamp(value, 0.0, 50.0) / 20.0),
                     std::memory_order_relaxed);
    break;
  case ParamOutput:
    mOutputGain.store(std::pow(10.0, std::clamp(value, -15.0, 15.0) / 20.0),
                      std::memory_order_relaxed);
    break;
  case ParamOversampling:
    switch (TruncatedInteger(value))
    {
    case 0:
      mOversamplingFactor.store(0, std::memory_order_relaxed);
      break;
    case 1:
      mOversamplingFactor.store(2, std::memory_order_relaxed);
      break;
    default:
      break;
    }
    break;
  case ParamBypass:
    mEngaged.store(TruncatedInteger(value), std::memory_order_relaxed);
    break;
  default:
    break;
  }
}

void DriveSignalPath::ResetProcessing() noexcept
{
  mUpsampler.Reset();
  mDownsampler.Reset();
  for (DryDelay& delay : mDryDelays)
    delay.ResetPosition();
}

template <bool Oversampled>
void DriveSignalPath::ProcessEngaged(const double* const* inputs, double* const* outputs,
                                     int frames, const BlockSettings& settings) noexcept
{
  const double g = settings.driveGain;
  const double inverseG = settings.inverseDriveGain;
  // Zero stuffing halves the level; shaping at twice the gain restores it.
  const double stuffedG = 2.0 * g;
  const double wetShare = settings.mixAmount;
  const double dryShare = 1.0 - settings.mixAmount;
  const double outputGain = settings.outputGain;

  for (int i = 0; i < frames; ++i)
  {
    // Both inputs are read before either output is written: buffers may alias.
    const Lanes x = {FiniteOrZero(inputs[0][i]), FiniteOrZero(inputs[1][i])};
    Lanes shaped;
    Lanes dry;
    if constexpr (Oversampled)
    {
      Lanes first;
      Lanes second;
      // Sums of 64 pairs of samples beyond 1e306 would overflow the filter into
      // inf - inf = NaN, which the model would keep for good. No audio is near
      // this bound (32-bit host samples stop at 3.4e38).
      mUpsampler.ProcessZeroStuffed(
          Max(Min(x, Broadcast(kLargestFilterInput)), Broadcast(-kLargestFilterInput)), first,
          second);
      shaped = mDownsampler.ProcessKeepFirst(DriveCurve::Shape(first, stuffedG, inverseG),
                                             DriveCurve::Shape(second, stuffedG, inverseG));
      dry = Lanes{mDryDelays[0].Process(x[0]), mDryDelays[1].Process(x[1])};
    }
    else
    {
      shaped = DriveCurve::Shape(x, g, inverseG);
      dry = x;
    }
    const Lanes wet =
        Lanes{mModels[0].Process(shaped[0]), mModels[1].Process(shaped[1])} * outputGain;
    const Lanes out = dryShare * dry + wetShare * wet;
    outputs[0][i] = out[0];
    outputs[1][i] = out[1];
  }
}

void DriveSignalPath::ProcessBlock(const double* const* inputs, double* const* outputs, int frames,
                                   SignalPathHost& host) noexcept
{
  if (frames < 0) frames = 0;
  ScopedFlushSubnormals flush;

  const double sampleRate = host.SampleRate();
  for (DriveStageModel& model : mModels)
    model.Configure(sampleRate);

  mToneControl = 0.25 + ToneSetting() / 100.0;
  for (DriveStageModel& model : mModels)
    model.SetControls(kModelLevel, mToneControl, mToneControl, kModelBalance);

  int wantedLatency = 0;
  if (Engaged() == 0)
  {
    const int connected = host.ConnectedOutputChannels();
    for (int ch = 0; ch < connected && ch < kChannels; ++ch)
      if (outputs[ch] != inputs[ch] && frames > 0)
        std::memmove(outputs[ch], inputs[ch], static_cast<std::size_t>(frames) * sizeof(double));
  }
  else
  {
    BlockSettings settings;
    settings.driveGain = DriveGain();
    settings.inverseDriveGain = 1.0 / settings.driveGain;
    settings.outputGain = OutputGain();
    settings.mixAmount = MixAmount();
    // One read gives both, so a block never runs oversampled while it
    // reports no latency, or the other way round.
    const int factor = OversamplingFactor();
    const bool oversampled = factor != 0;
    wantedLatency = LatencyOfFactor(factor);
    if (oversampled)
      ProcessEngaged<true>(inputs, outputs, frames, settings);
    else
      ProcessEngaged<false>(inputs, outputs, frames, settings);
  }

  if (host.ReportedLatency() != wantedLatency) host.ChangeLatency(wantedLatency);
}

} // namespace brasmire
