#pragma once

#include "Examples/Brasmire/DriveStageModel.h"
#include "Examples/Brasmire/DryDelay.h"
#include "Examples/Brasmire/OversamplingFilter.h"
#include "Examples/Brasmire/SignalPathHost.h"

#include <atomic>

namespace brasmire
{

// The whole sound of the effect, independent of any plug-in format: the values
// derived from the parameters, the per-channel filters, models and delays, and
// the block processing from two input channels to two output channels.
//
//   input -> drive curve (optionally 2x oversampled between half-band filters)
//         -> drive stage model (tone) -> output gain --+
//   input -> (64-sample delay when oversampled) --------+--> mix -> output
//
// The effect owns one and forwards its processor hooks to it. Threads: the
// derived values are written by ApplyParamChange on whichever thread set the
// parameter and read by ProcessBlock on the audio thread; each is an atomic read
// once per block, so a change applies from the next block on. Everything else is
// audio-thread state.
class DriveSignalPath
{
public:
  static constexpr int kChannels = 2;
  static constexpr int kOversamplingLatency = 64;

  DriveSignalPath() noexcept;
  DriveSignalPath(const DriveSignalPath&) = delete;
  DriveSignalPath& operator=(const DriveSignalPath&) = delete;

  // Recomputes the derived value of parameter `index` from its plain value,
  // confined to the parameter's range. Unknown indexes and non-finite values
  // change nothing. [any-thread]
  void ApplyParamChange(int index, double value) noexcept;

  // Clears the four oversampling filters and rewinds the dry delays; the models
  // and the dry delays' contents stay. [audio-thread] (or while audio is stopped)
  void ResetProcessing() noexcept;

  // Processes `frames` samples: inputs[0..1] and outputs[0..1] are valid arrays of
  // `frames` samples each (an unconnected channel's array is its own buffer).
  // Output may alias input. At the end the wanted latency is compared with the
  // reported one and changed through `host` if they differ. Non-finite input
  // samples enter the wet and dry paths as 0. [audio-thread]; allocates nothing.
  void ProcessBlock(const double* const* inputs, double* const* outputs, int frames,
                    SignalPathHost& host) noexcept;

  // Derived values, as the next block will read them. [any-thread]
  double MixAmount() const noexcept { return mMixAmount.load(std::memory_order_relaxed); }
  double ToneSetting() const noexcept { return mToneSetting.load(std::memory_order_relaxed); }
  double DriveGain() const noexcept { return mDriveGain.load(std::memory_order_relaxed); }
  double OutputGain() const noexcept { return mOutputGain.load(std::memory_order_relaxed); }
  int OversamplingFactor() const noexcept
  {
    return mOversamplingFactor.load(std::memory_order_relaxed);
  }
  int Engaged() const noexcept { return mEngaged.load(std::memory_order_relaxed); }
  // Follows from the factor, never stored apart from it.
  int OversamplingLatency() const noexcept { return LatencyOfFactor(OversamplingFactor()); }
  static constexpr int LatencyOfFactor(int factor) noexcept
  {
    return factor != 0 ? kOversamplingLatency : 0;
  }

private:
  struct BlockSettings;
  template <bool Oversampled>
  void ProcessEngaged(const double* const* inputs, double* const* outputs, int frames,
                      const BlockSettings& settings) noexcept;

  // Derived values: written by ApplyParamChange (any thread), read by the audio
  // thread. Until the host delivers the parameters they hold what the defaults give.
  std::atomic<double> mMixAmount{1.0};
  std::atomic<double> mToneSetting{50.0};
  std::atomic<double> mDriveGain{1.0};
  std::atomic<double> mOutputGain{1.0};
  std::atomic<int> mOversamplingFactor{0}; // the latency follows from it
  std::atomic<int> mEngaged{1};

  // Audio-thread state, one per channel.
  DriveStageModel mModels[kChannels];
  OversamplingFilter mUpsampler;   // left and right in its two lanes
  OversamplingFilter mDownsampler; // likewise
  DryDelay mDryDelays[kChannels];
  double mToneControl = 0.75; // recomputed at the start of every block
};

} // namespace brasmire
