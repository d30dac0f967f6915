#pragma once

#include <cstddef>
#include <vector>

namespace plughost
{

// The stimuli of the analysis. Every tone sits on an exact bin of the FFT
// that will measure it (coherent sampling), so amplitudes and phases come out
// exactly and nothing leaks between tones. [any-thread]; pure functions.
class TestSignals
{
public:
  TestSignals() = delete;

  // The bin of an FFT of `size` at `rate` nearest to `frequency`, at least 1
  // and below size / 2; with `odd`, the nearest odd bin (odd bins are coprime
  // with the power-of-two size, so aliases never land on harmonics).
  static std::size_t NearestBin(double frequency, double rate, std::size_t size, bool odd = false);
  static double BinFrequency(std::size_t bin, double rate, std::size_t size)
  {
    return static_cast<double>(bin) * rate / static_cast<double>(size);
  }

  // `length` samples of amplitude * sin(2 pi bin n / size + phase).
  static std::vector<double> Sine(double amplitude, std::size_t bin, std::size_t size,
                                  std::size_t length, double phase = 0.0);

  // One period of equal tones on `bins` with Schroeder phases (a low crest
  // factor), each of amplitude `amplitude`. Repeating it gives a periodic signal.
  static std::vector<double> Multitone(const std::vector<std::size_t>& bins, double amplitude,
                                       std::size_t period);

  // `count` distinct bins spaced evenly on a log scale from `low` to `high` Hz
  // (fewer when the low end runs out of bins).
  static std::vector<std::size_t> LogSpacedBins(double low, double high, std::size_t count,
                                                double rate, std::size_t size, bool odd = false);

  // dBFS of a peak amplitude (0 dBFS = full-scale sine) and back.
  static double AmplitudeFromDb(double db);
  static double DbFromAmplitude(double amplitude);
};

} // namespace plughost
