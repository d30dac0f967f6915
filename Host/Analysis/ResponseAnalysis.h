#pragma once

#include "Host/Analysis/Fft.h"

#include <vector>

namespace plughost
{

// Transfer function of a linear(ised) system from one period of a periodic
// multitone and one period of the settled output: H = Y / X on each tone's
// bin. Exact for a linear system once its transients have died away, since
// every tone sits on a bin. [any-thread]
class ResponseAnalysis
{
public:
  struct Point
  {
    double frequency = 0.0;    // Hz
    double magnitudeDb = 0.0;  // 20 log10 |H|
    double phaseDegrees = 0.0; // arg H, in (-180, 180]
  };

  ResponseAnalysis() = delete;

  // input and output hold at least fft.Size() samples: one period each.
  static std::vector<Point> Measure(const Fft& fft, const std::vector<double>& input,
                                    const std::vector<double>& output,
                                    const std::vector<std::size_t>& bins, double rate);
};

} // namespace plughost
