#pragma once

#include "Host/Analysis/Fft.h"
#include "Host/Analysis/FftWindow.h"

#include <vector>

namespace plughost
{

// Aliasing of one settled step of a stepped sine sweep. The fundamental sits
// on an odd bin of a power-of-two FFT, so its harmonics lie on its multiples
// and whatever folded back from above Nyquist lands between them: the alias
// energy is what the window finds in the band outside the harmonics' lobes.
// Where harmonics lie closer than their lobes (low fundamentals) nothing is
// left between them to measure, and those bins count as harmonics; so does an
// alias that folds onto a harmonic (a rate nearly a multiple of the tone).
// [any-thread]
class AliasAnalysis
{
public:
  struct Step
  {
    double frequency = 0.0;
    double fundamentalPower = 0.0; // mean squares
    double harmonicPower = 0.0;    // harmonics 2 .. below Nyquist
    double aliasPower = 0.0;
    std::vector<double> spectrumDb; // dB re full-scale sine, bins 0 .. N/2
  };

  AliasAnalysis() = delete;

  // samples: fft.Size() settled samples of the step whose fundamental is on `bin`.
  static Step Measure(const Fft& fft, const FftWindow& window, const double* samples,
                      std::size_t bin, double rate, double lowestHz = 20.0);

  // 10 log10(total alias power / total fundamental power) over the steps.
  static double AliasDb(const std::vector<Step>& steps);
  static double StepAliasDb(const Step& step);
};

} // namespace plughost
