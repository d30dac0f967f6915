#include "Host/Analysis/Fft.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace plughost
{

Fft::Fft(std::size_t size) : mSize(size)
{
  if (!IsPowerOfTwo(size)) throw std::invalid_argument("FFT size must be a power of two");
  mTwiddles.resize(size / 2);
  for (std::size_t k = 0; k < size / 2; ++k)
  {
    // Each twiddle from its own angle: no error accumulates along the table.
    const double angle = -2.0 * std::numbers::pi * static_cast<double>(k) / size;
    mTwiddles[k] = {std::cos(angle), std::sin(angle)};
  }
  mReversed.resize(size);
  std::size_t bits = 0;
  while ((std::size_t{1} << bits) < size)
    ++bits;
  for (std::size_t i = 0; i < size; ++i)
  {
    std::size_t r = 0;
    for (std::size_t b = 0; b < bits; ++b)
      r |= ((i >> b) & 1u) << (bits - 1 - b);
    mReversed[i] = r;
  }
}

void Fft::Transform(std::vector<std::complex<double>>& data) const
{
  if (data.size() != mSize) throw std::invalid_argument("FFT input has the wrong length");
  for (std::size_t i = 0; i < mSize; ++i)
    if (i < mReversed[i]) std::swap(data[i], data[mReversed[i]]);
  for (std::size_t half = 1; half < mSize; half *= 2)
  {
    const std::size_t stride = mSize / (2 * half);
    for (std::size_t start = 0; start < mSize; start += 2 * half)
      for (std::size_t k = 0; k < half; ++k)
      {
        const std::complex<double> odd = mTwiddles[k * stride] * data[start + k + half];
        data[start + k + half] = data[start + k] - odd;
        data[start + k] += odd;
      }
  }
}

std::vector<std::complex<double>> Fft::RealSpectrum(const std::vector<double>& signal) const
{
  std::vector<std::complex<double>> data(mSize);
  for (std::size_t i = 0; i < mSize && i < signal.size(); ++i)
    data[i] = signal[i];
  Transform(data);
  data.resize(mSize / 2 + 1);
  return data;
}

} // namespace plughost
