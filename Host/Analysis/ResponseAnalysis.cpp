#include "Host/Analysis/ResponseAnalysis.h"

#include <cmath>
#include <numbers>

namespace plughost
{

std::vector<ResponseAnalysis::Point> ResponseAnalysis::Measure(const Fft& fft,
                                                               const std::vector<double>& input,
                                                               const std::vector<double>& output,
                                                               const std::vector<std::size_t>& bins,
                                                               double rate)
{
  const auto x = fft.RealSpectrum(input);
  const auto y = fft.RealSpectrum(output);
  std::vector<Point> points;
  for (const std::size_t bin : bins)
  {
    if (bin >= x.size() || std::abs(x[bin]) == 0.0) continue;
    const std::complex<double> h = y[bin] / x[bin];
    Point p;
    p.frequency = static_cast<double>(bin) * rate / static_cast<double>(fft.Size());
    p.magnitudeDb = 20.0 * std::log10(std::max(std::abs(h), 1e-30));
    p.phaseDegrees = std::arg(h) * 180.0 / std::numbers::pi;
    points.push_back(p);
  }
  return points;
}

} // namespace plughost
