#include "Host/Analysis/HarmonicAnalysis.h"

#include <algorithm>
#include <cmath>

namespace plughost
{

HarmonicAnalysis::Result HarmonicAnalysis::Measure(const Fft& fft, const FftWindow& window,
                                                   const double* samples, std::size_t bin,
                                                   double rate, const Band& band)
{
  const std::size_t n = fft.Size();
  const std::size_t half = n / 2;
  const auto x = fft.RealSpectrum(window.Apply(samples));
  Result r;
  r.frequency = static_cast<double>(bin) * rate / static_cast<double>(n);
  r.spectrum.resize(half + 1);
  for (std::size_t k = 0; k <= half; ++k)
    r.spectrum[k] = 2.0 * std::abs(x[k]) / window.AmplitudeScale();
  for (int h = 1; h <= band.maxHarmonic; ++h)
  {
    const std::size_t hb = bin * static_cast<std::size_t>(h);
    if (hb >= half) break;
    r.harmonics.push_back(r.spectrum[hb]);
  }
  double distortion = 0.0;
  for (std::size_t h = 1; h < r.harmonics.size(); ++h)
    distortion += r.harmonics[h] * r.harmonics[h];
  const double fundamental = r.harmonics.empty() ? 0.0 : r.harmonics[0];
  r.thd = fundamental > 0.0 ? std::sqrt(distortion) / fundamental : 0.0;

  // Mean square of a one-sided band: 2 sum |X|^2 / (N sum w^2).
  const double hz = rate / static_cast<double>(n);
  const auto first = static_cast<std::size_t>(std::ceil(band.low / hz));
  const auto last = std::min(half - 1, static_cast<std::size_t>(std::floor(band.high / hz)));
  double rest = 0.0;
  for (std::size_t k = std::max<std::size_t>(first, 1); k <= last; ++k)
  {
    if (k + FftWindow::kLobeBins >= bin && k <= bin + FftWindow::kLobeBins) continue;
    rest += std::norm(x[k]);
  }
  const double restMeanSquare = 2.0 * rest / (static_cast<double>(n) * window.EnergySum());
  r.thdn = fundamental > 0.0 ? std::sqrt(restMeanSquare / (fundamental * fundamental / 2.0)) : 0.0;

  double sum = 0.0;
  for (std::size_t i = 0; i < n; ++i)
    sum += samples[i];
  r.dc = sum / static_cast<double>(n);
  return r;
}

} // namespace plughost
