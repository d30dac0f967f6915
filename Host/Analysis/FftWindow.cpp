#include "Host/Analysis/FftWindow.h"

#include <cmath>
#include <numbers>

namespace plughost
{

FftWindow::FftWindow(std::size_t size) : mWeights(size)
{
  // Periodic form (divides by N, not N - 1), so exact-bin tones fall on the
  // lobe's centre.
  constexpr double a[4] = {0.35875, 0.48829, 0.14128, 0.01168};
  for (std::size_t n = 0; n < size; ++n)
  {
    const double x = 2.0 * std::numbers::pi * static_cast<double>(n) / static_cast<double>(size);
    mWeights[n] = a[0] - a[1] * std::cos(x) + a[2] * std::cos(2.0 * x) - a[3] * std::cos(3.0 * x);
    mSum += mWeights[n];
    mSquares += mWeights[n] * mWeights[n];
  }
}

std::vector<double> FftWindow::Apply(const double* signal) const
{
  std::vector<double> out(mWeights.size());
  for (std::size_t n = 0; n < out.size(); ++n)
    out[n] = signal[n] * mWeights[n];
  return out;
}

} // namespace plughost
