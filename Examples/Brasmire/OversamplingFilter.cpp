#include "Examples/Brasmire/OversamplingFilter.h"

#include <array>

namespace brasmire
{
namespace
{
// Coefficients at odd distances d = 1, 3, ..., 63 from the centre tap; the centre
// is 0.5 and every even distance is 0.
constexpr std::array<double, 32> kOddDistanceTaps = {
    0.317956, -0.105047, 0.061915, -0.043056, 0.032309, -0.025272, 0.020254, -0.01647,
    0.013505, -0.011119, 0.009163, -0.007542, 0.006187, -0.005051, 0.004099, -0.003301,
    0.002635, -0.002082, 0.001627, -0.001255, 9.54e-4,  -7.13e-4,  5.24e-4,  -3.77e-4,
    2.64e-4,  -1.8e-4,   1.18e-4,  -7.5e-5,   4.5e-5,   -2.5e-5,   1.2e-5,   -5e-6};

constexpr double TapAt(int k)
{
  if (k < 0 || k >= OversamplingFilter::kTaps) return 0.0;
  const int d = k > OversamplingFilter::kCentre ? k - OversamplingFilter::kCentre
                                                : OversamplingFilter::kCentre - k;
  if (d == 0) return 0.5;
  if (d % 2 == 0) return 0.0;
  return kOddDistanceTaps[static_cast<std::size_t>(d / 2)];
}

// Odd-position taps h[2j + 1], j = 0 .. 31: the first half of the symmetric set
// applied to the other phase's window (entry j pairs with entry 63 - j).
constexpr std::array<double, 32> MakeOddPhaseTaps()
{
  std::array<double, 32> taps{};
  for (int j = 0; j < 32; ++j)
    taps[static_cast<std::size_t>(j)] = TapAt(2 * j + 1);
  return taps;
}
constexpr std::array<double, 32> kOddPhaseTaps = MakeOddPhaseTaps();

// The same taps broadcast to both lanes.
struct LaneTaps
{
  Lanes taps[32];
  LaneTaps() noexcept
  {
    for (std::size_t j = 0; j < 32; ++j)
      taps[j] = Broadcast(kOddPhaseTaps[j]);
  }
};
const LaneTaps kLaneTaps;

// Every stored input carries minus the guard of its own call, and the guard
// alternates, so n calls after a reset the stored guards add -g * sum_{k<n} (-1)^k h[k]
// to the output (g being the current call's guard). kGuardGain[n] = 1 - that sum,
// the factor of the current guard in the output.
constexpr std::array<double, OversamplingFilter::kTaps + 1> MakeGuardGain()
{
  std::array<double, OversamplingFilter::kTaps + 1> gain{};
  double alternating = 0.0;
  for (int n = 0; n <= OversamplingFilter::kTaps; ++n)
  {
    gain[static_cast<std::size_t>(n)] = 1.0 - alternating;
    if (n < OversamplingFilter::kTaps) alternating += (n % 2 == 0 ? 1.0 : -1.0) * TapAt(n);
  }
  return gain;
}
constexpr std::array<double, OversamplingFilter::kTaps + 1> kGuardGain = MakeGuardGain();
} // namespace

OversamplingFilter::OversamplingFilter() noexcept
{
  Reset();
}

double OversamplingFilter::Coefficient(int k) noexcept
{
  return TapAt(k);
}

void OversamplingFilter::Reset() noexcept
{
  for (Phase& phase : mPhases)
  {
    for (Lanes& v : phase.ring)
      v = Lanes{};
    phase.position = 0;
    phase.zeroRun = kPhaseLength;
  }
  mNextPhase = 0;
  mCallsSinceReset = 0;
}

// Stores x as the newest entry of the next phase and advances the call counters.
void OversamplingFilter::Push(Lanes x) noexcept
{
  Phase& phase = mPhases[mNextPhase];
  phase.position = (phase.position + kPhaseLength - 1) & (kPhaseLength - 1);
  phase.ring[phase.position] = x;
  phase.ring[phase.position + kPhaseLength] = x;
  const bool zero = x[0] == 0.0 && x[1] == 0.0;
  phase.zeroRun = zero ? (phase.zeroRun < kPhaseLength ? phase.zeroRun + 1 : kPhaseLength) : 0;
  mNextPhase ^= 1;
  if (mCallsSinceReset < kTaps) ++mCallsSinceReset;
  mGuard = -mGuard;
}

Lanes OversamplingFilter::Process(Lanes x) noexcept
{
  const double guard = mGuard;
  const Phase& own = mPhases[mNextPhase];
  const Phase& other = mPhases[mNextPhase ^ 1];
  Push(x);

  // Centre tap: the input of 64 calls ago, 32 entries back in this call's phase.
  Lanes y = 0.5 * own.ring[own.position + kPhaseLength / 2];
  if (other.zeroRun < kPhaseLength)
  {
    // Entry j pairs with entry 63 - j; four running sums keep the adds from
    // waiting on each other.
    const Lanes* w = other.ring + other.position;
    const Lanes* h = kLaneTaps.taps;
    Lanes s0 = h[0] * (w[0] + w[63]);
    Lanes s1 = h[1] * (w[1] + w[62]);
    Lanes s2 = h[2] * (w[2] + w[61]);
    Lanes s3 = h[3] * (w[3] + w[60]);
    for (int j = 4; j < 32; j += 4)
    {
      s0 += h[j] * (w[j] + w[63 - j]);
      s1 += h[j + 1] * (w[j + 1] + w[62 - j]);
      s2 += h[j + 2] * (w[j + 2] + w[61 - j]);
      s3 += h[j + 3] * (w[j + 3] + w[60 - j]);
    }
    y += (s0 + s1) + (s2 + s3);
  }
  return y + guard * kGuardGain[static_cast<std::size_t>(mCallsSinceReset)];
}

void OversamplingFilter::ProcessZeroStuffed(Lanes x, Lanes& first, Lanes& second) noexcept
{
  first = Process(x);
  second = Process(Lanes{});
}

Lanes OversamplingFilter::ProcessKeepFirst(Lanes first, Lanes second) noexcept
{
  const Lanes y = Process(first);
  Push(second);
  return y;
}

} // namespace brasmire
