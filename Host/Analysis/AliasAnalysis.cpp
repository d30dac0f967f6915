#include "Host/Analysis/AliasAnalysis.h"

#include <algorithm>
#include <cmath>

namespace plughost
{

AliasAnalysis::Step AliasAnalysis::Measure(const Fft& fft, const FftWindow& window,
                                           const double* samples, std::size_t bin, double rate,
                                           double lowestHz)
{
  const std::size_t n = fft.Size();
  const std::size_t half = n / 2;
  const std::size_t lobe = FftWindow::kLobeBins;
  const auto x = fft.RealSpectrum(window.Apply(samples));
  const double toMeanSquare = 2.0 / (static_cast<double>(n) * window.EnergySum());
  const auto first = std::max<std::size_t>(
      1, static_cast<std::size_t>(std::ceil(lowestHz * static_cast<double>(n) / rate)));

  Step s;
  s.frequency = static_cast<double>(bin) * rate / static_cast<double>(n);
  s.spectrumDb.resize(half + 1);
  for (std::size_t k = 0; k <= half; ++k)
    s.spectrumDb[k] =
        20.0 * std::log10(std::max(2.0 * std::abs(x[k]) / window.AmplitudeScale(), 1e-15));
  for (std::size_t k = first; k < half; ++k)
  {
    const double power = std::norm(x[k]) * toMeanSquare;
    // The nearest multiple of the fundamental and how far this bin is from it.
    const std::size_t order = (k + bin / 2) / bin;
    const std::size_t distance =
        order == 0 ? k : (k > order * bin ? k - order * bin : order * bin - k);
    if (order == 1 && distance <= lobe)
      s.fundamentalPower += power;
    else if (order >= 1 && distance <= lobe)
      s.harmonicPower += power;
    else
      s.aliasPower += power;
  }
  return s;
}

double AliasAnalysis::AliasDb(const std::vector<Step>& steps)
{
  double alias = 0.0;
  double fundamental = 0.0;
  for (const Step& s : steps)
  {
    alias += s.aliasPower;
    fundamental += s.fundamentalPower;
  }
  return 10.0 * std::log10(std::max(alias, 1e-300) / std::max(fundamental, 1e-300));
}

double AliasAnalysis::StepAliasDb(const Step& step)
{
  return 10.0 *
         std::log10(std::max(step.aliasPower, 1e-300) / std::max(step.fundamentalPower, 1e-300));
}

} // namespace plughost
