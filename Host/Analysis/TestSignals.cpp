#include "Host/Analysis/TestSignals.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plughost
{

std::size_t TestSignals::NearestBin(double frequency, double rate, std::size_t size, bool odd)
{
  const double exact = frequency * static_cast<double>(size) / rate;
  long long bin = std::llround(exact);
  if (odd && bin % 2 == 0) bin += (exact >= static_cast<double>(bin)) ? 1 : -1;
  const long long highest = static_cast<long long>(size / 2) - 1;
  if (odd && highest % 2 == 0)
    bin = std::min(bin, highest - 1);
  else
    bin = std::min(bin, highest);
  return static_cast<std::size_t>(std::max(bin, 1LL));
}

std::vector<double> TestSignals::Sine(double amplitude, std::size_t bin, std::size_t size,
                                      std::size_t length, double phase)
{
  std::vector<double> out(length);
  for (std::size_t n = 0; n < length; ++n)
  {
    // The index reduced modulo the period keeps the argument small and exact.
    const std::size_t k = (bin * (n % size)) % size;
    out[n] = amplitude *
             std::sin(2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(size) +
                      phase);
  }
  return out;
}

std::vector<double> TestSignals::Multitone(const std::vector<std::size_t>& bins, double amplitude,
                                           std::size_t period)
{
  std::vector<double> out(period, 0.0);
  const double count = static_cast<double>(bins.size());
  for (std::size_t i = 0; i < bins.size(); ++i)
  {
    const double k = static_cast<double>(i + 1);
    const double phase = -std::numbers::pi * k * k / count;
    const std::vector<double> tone = Sine(amplitude, bins[i], period, period, phase);
    for (std::size_t n = 0; n < period; ++n)
      out[n] += tone[n];
  }
  return out;
}

std::vector<std::size_t> TestSignals::LogSpacedBins(double low, double high, std::size_t count,
                                                    double rate, std::size_t size, bool odd)
{
  std::vector<std::size_t> bins;
  for (std::size_t i = 0; i < count; ++i)
  {
    const double t = count > 1 ? static_cast<double>(i) / static_cast<double>(count - 1) : 0.0;
    const std::size_t bin = NearestBin(low * std::pow(high / low, t), rate, size, odd);
    if (bins.empty() || bin > bins.back()) bins.push_back(bin);
  }
  return bins;
}

double TestSignals::AmplitudeFromDb(double db)
{
  return std::pow(10.0, db / 20.0);
}

double TestSignals::DbFromAmplitude(double amplitude)
{
  return 20.0 * std::log10(std::max(amplitude, 1e-30));
}

} // namespace plughost
