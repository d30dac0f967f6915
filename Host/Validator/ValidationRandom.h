#pragma once

#include <cstdint>

namespace plughost
{

// The validator's random source: the same seed gives the same numbers on
// every platform and standard library, so a failing run can be repeated
// anywhere with --seed.
class ValidationRandom
{
public:
  explicit ValidationRandom(std::uint64_t seed) : mState(seed) {}

  std::uint64_t Next()
  {
    std::uint64_t z = (mState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  // Uniform in [0, count).
  std::uint64_t Below(std::uint64_t count) { return count ? Next() % count : 0; }

private:
  std::uint64_t mState;
};

} // namespace plughost
