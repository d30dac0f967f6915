#pragma once

#include "Host/Analysis/Fft.h"
#include "Host/Analysis/FftWindow.h"

#include <vector>

namespace plughost
{

// Harmonic distortion of a settled sine on an exact bin, through the
// Blackman-Harris window: each harmonic's amplitude from its bin, THD from
// the harmonics below Nyquist, THD+N from everything in the measurement band
// but the fundamental. [any-thread]
class HarmonicAnalysis
{
public:
  struct Result
  {
    double frequency = 0.0;
    // Peak amplitudes (full scale = 1) of harmonics 1, 2, ... below Nyquist.
    std::vector<double> harmonics;
    double thd = 0.0;  // sqrt(sum of harmonics 2.. squared) / fundamental
    double thdn = 0.0; // rms of everything in band but the fundamental / its rms
    double dc = 0.0;   // mean of the samples
    // Peak-amplitude spectrum of the windowed samples, bins 0 .. N/2.
    std::vector<double> spectrum;
  };

  struct Band
  {
    double low = 20.0;     // Hz
    double high = 20000.0; // Hz, cut to Nyquist
    int maxHarmonic = 10;
  };

  HarmonicAnalysis() = delete;

  // samples: at least fft.Size() settled samples; window of the same size.
  static Result Measure(const Fft& fft, const FftWindow& window, const double* samples,
                        std::size_t bin, double rate, const Band& band);
};

} // namespace plughost
