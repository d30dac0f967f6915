#pragma once

#include <cstddef>
#include <vector>

namespace plughost
{

// The four-term Blackman-Harris window: side lobes below -92 dB, so a tone's
// energy stays within four bins of it and slow transients or the other tones
// of a test signal do not leak into the bins that are measured. [any-thread]
class FftWindow
{
public:
  explicit FftWindow(std::size_t size);

  const std::vector<double>& Weights() const noexcept { return mWeights; }
  std::size_t Size() const noexcept { return mWeights.size(); }
  // Half a bin of lobe on either side of the four the window's main lobe spans.
  static constexpr std::size_t kLobeBins = 4;

  // The signal times the window (the first Size() samples of it).
  std::vector<double> Apply(const double* signal) const;

  // A sine of amplitude A on an exact bin gives |X| = A * AmplitudeScale() / 2 there.
  double AmplitudeScale() const noexcept { return mSum; }
  // Sum of |X|^2 over bins of a windowed signal = energy ratio * time-domain power * N.
  double EnergySum() const noexcept { return mSquares; }

private:
  std::vector<double> mWeights;
  double mSum = 0.0;
  double mSquares = 0.0;
};

} // namespace plughost
