#pragma once

#include "Examples/Brasmire/SampleLanes.h"

namespace brasmire
{

// The static waveshaper of the drive path:
//   S(u) = sin(0.1 tanh(u^3) + 0.01 tanh(u^2)) + tanh(u) - 0.01 atan(u^7).
// It is not odd-symmetric (the tanh(u^2) term), so every driven signal gains DC,
// which the drive stage model blocks afterwards.
//
// The transcendental functions are our own range-reduced series rather than
// libm: the curve runs up to four times per stereo frame, and these stay within
// a few units in the last place of the exact curve. The evaluation has no
// data-dependent branch, so it costs the same for every signal (silence
// included) and runs both channels in one pass. Pure and [any-thread].
class DriveCurve
{
public:
  DriveCurve() = delete;

  // S(u) lane by lane. Finite for every finite or infinite input.
  static Lanes Evaluate(Lanes u) noexcept;
  static double Evaluate(double u) noexcept { return Evaluate(Broadcast(u))[0]; }

  // The shaped sample S(g * x) / g for a drive gain g > 0, given g and 1 / g.
  // At low levels it has unit gain; more drive only adds curvature.
  static Lanes Shape(Lanes x, double gain, double inverseGain) noexcept
  {
    return Evaluate(x * gain) * inverseGain;
  }
};

} // namespace brasmire
