#pragma once

#include "Examples/Brasmire/SampleLanes.h"

namespace brasmire
{

// The 129-tap linear-phase half-band FIR that serves both directions of the 2x
// oversampled drive path: up-sampling (host-rate input with a zero stuffed after
// every sample) and down-sampling (the caller keeps every second output). Group
// delay 64 samples at the doubled rate.
//
// One object holds the left and the right channel's filter side by side in the
// two lanes of `Lanes`: the channels always run together, and their guards,
// which start equal and flip on every call, stay equal.
//
// A guard of +-1e-15 whose sign flips on every call is subtracted from each input
// and added to each output; it is part of the filter's defined response.
//
// Every tap at an even distance from the centre is zero, so the history is kept
// in two phases by call parity: an output needs the centre tap from its own phase
// and the 64 odd taps from the other one. A phase that has held only zeros for
// its whole window (the stuffed zeros of up-sampling) is skipped. The guard's
// contribution is added in closed form rather than stored with every sample.
//
// All operations are [audio-thread] (or any single thread that owns the filter),
// allocate nothing and never fail.
class OversamplingFilter
{
public:
  static constexpr int kTaps = 129;
  static constexpr int kCentre = 64; // also the group delay in calls

  OversamplingFilter() noexcept; // guard +1e-15, history cleared
  OversamplingFilter(const OversamplingFilter&) = delete;
  OversamplingFilter& operator=(const OversamplingFilter&) = delete;

  // The guard's next value; its sign flips on every call. Never cleared by Reset.
  double Guard() const noexcept { return mGuard; }
  void SetGuard(double guard) noexcept { mGuard = guard; }

  // Clears the history to zeros; the guard keeps its value.
  void Reset() noexcept;

  // One input sample in, one output sample out.
  Lanes Process(Lanes x) noexcept;

  // Up-sampling: Process(x) then Process(0), both outputs returned.
  void ProcessZeroStuffed(Lanes x, Lanes& first, Lanes& second) noexcept;

  // Down-sampling: Process(first) then Process(second); only the first output is
  // wanted, so the second is never computed.
  Lanes ProcessKeepFirst(Lanes first, Lanes second) noexcept;

  // h[k] for k = 0 .. 128 (0 outside).
  static double Coefficient(int k) noexcept;

private:
  static constexpr int kPhaseLength = 64;

  struct Phase
  {
    // Newest first from `position`; every entry is stored twice so that the
    // 64-entry window starting at `position` is contiguous.
    Lanes ring[2 * kPhaseLength];
    int position;
    int zeroRun; // how many of the newest entries are exact zeros in both lanes, up to 64
  };

  void Push(Lanes x) noexcept;

  Phase mPhases[2];
  int mNextPhase = 0;
  int mCallsSinceReset = 0; // saturates at kTaps
  double mGuard = 1e-15;
};

} // namespace brasmire
