#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace plughost
{

// Radix-2 complex FFT of a fixed power-of-two length, with the twiddle
// factors and bit-reversal table computed once. [any-thread] once built; a
// transform touches only its argument.
class Fft
{
public:
  // size must be a power of two, at least 2.
  explicit Fft(std::size_t size);
  Fft(const Fft&) = delete;
  Fft& operator=(const Fft&) = delete;

  std::size_t Size() const noexcept { return mSize; }

  // In place, X[k] = sum_n x[n] e^(-2 pi i k n / N), no scaling.
  void Transform(std::vector<std::complex<double>>& data) const;

  // The first N/2 + 1 bins of a real signal's transform; the signal is
  // padded with zeros or cut to the size.
  std::vector<std::complex<double>> RealSpectrum(const std::vector<double>& signal) const;

  static bool IsPowerOfTwo(std::size_t n) noexcept { return n >= 2 && (n & (n - 1)) == 0; }

private:
  std::size_t mSize;
  std::vector<std::complex<double>> mTwiddles; // e^(-2 pi i k / N), k < N/2
  std::vector<std::size_t> mReversed;
};

} // namespace plughost
