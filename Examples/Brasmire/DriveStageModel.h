#pragma once

namespace brasmire
{

// One channel's model of the drive stage's continuous-time filter network: a
// linear fifth-order filter with a double zero at DC, whose coefficients follow
// four potentiometer-like controls (output level, two tone controls, gain
// balance). Each control is smoothed per sample with pole 0.993, so changes
// glide; the transfer function is discretised with the bilinear transform
// (no prewarping) from the smoothed controls.
//
// The recursion runs in the delta-operator form: the denominator and numerator
// are expanded in powers of u = 1 - z^-1 rather than z^-1, and the state is the
// internal signal w together with its repeated differences. In exact arithmetic
// it is the same recursion as the direct form; in 64-bit arithmetic the direct
// form is not usable, because the slowest pole (below 1 Hz) lies so close to
// z = 1 that A(1) is about 1e-15 of the largest direct-form coefficient: the
// pole is lost to cancellation and w, which reaches ~1e12 for any input with
// DC, swamps the output in rounding noise (worse the higher the rate).
//
// Not thread-safe; the owner runs it on the [audio-thread]. Nothing allocates.
class DriveStageModel
{
public:
  DriveStageModel() noexcept
  {
    Clear();
    Configure(48000.0);
  }
  DriveStageModel(const DriveStageModel&) = delete;
  DriveStageModel& operator=(const DriveStageModel&) = delete;

  // Smoothed controls and recursion history to 0 (a silent model). The product
  // calls it only at construction.
  void Clear() noexcept;

  // Model rate = the integer part of the sample rate, clamped to 1 .. 192000
  // (NaN counts as below 1). Keeps the controls and the history.
  void Configure(double sampleRate) noexcept;
  double ModelRate() const noexcept { return mModelRate; }

  // One sample with controls a (level), b (tone, linear taper), c (tone, log
  // taper) and d (balance); each is smoothed towards its taper's value.
  double Tick(double x, double a, double b, double c, double d) noexcept
  {
    SetControls(a, b, c, d);
    return Process(x);
  }

  // The controls' smoothing targets for the following Process calls; the three
  // exponentials of the tapers are evaluated only when a control changes.
  void SetControls(double a, double b, double c, double d) noexcept;

  // Tick with the controls of the last SetControls.
  double Process(double x) noexcept;

  // The smoothed controls sA (level), sB, sC and sD, for inspection.
  double SmoothedControl(int index) const noexcept { return mSmoothed[index]; }

private:
  void UpdateCoefficients() noexcept;

  double mModelRate = 0.0;        // set by the constructor's Configure
  double mBilinearPowers[6] = {}; // (2 fs')^i

  // Controls as last given, and what each adds per sample to its smoothed value.
  double mControls[4] = {};
  double mTargetsStep[4] = {};
  bool mControlsValid = false;

  double mSmoothed[4] = {}; // sA, sB, sC, sD

  // Coefficients for the smoothed values they were computed from.
  double mCoefficientsFor[4] = {};
  bool mCoefficientsValid = false;
  // Recursion: with the denominator normalised so its z^0 coefficient is 1 and
  // written as sum_j n_j u^j, mFeedback[m] = n_0 + ... + n_m (m = 0 .. 4).
  double mFeedback[5] = {};
  // Output: sA * b_j / A0 for the numerator written as sum_j b_j u^j, j = 2 .. 5.
  double mFeedforward[4] = {};

  // w[n-1], Δw[n-1], Δ²w[n-1], Δ³w[n-1], Δ⁴w[n-1].
  double mState[5] = {};
};

} // namespace brasmire
