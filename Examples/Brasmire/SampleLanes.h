#pragma once

#include <cstdint>

namespace brasmire
{

// The left and right channel side by side in one SSE2 register. The two
// channels run the same operations on different data everywhere in the drive
// path, so each step processes both at once. (A compiler vector extension of
// gcc and clang; both of our toolchains have it.)
typedef double Lanes __attribute__((vector_size(16)));
typedef std::int64_t LaneMask __attribute__((vector_size(16)));

inline Lanes Broadcast(double v) noexcept
{
  return Lanes{v, v};
}

// Lane-wise a where mask is set (all ones), b where it is clear (all zeros).
inline Lanes Select(LaneMask mask, Lanes a, Lanes b) noexcept
{
  return reinterpret_cast<Lanes>((reinterpret_cast<LaneMask>(a) & mask) |
                                 (reinterpret_cast<LaneMask>(b) & ~mask));
}

inline Lanes Abs(Lanes v) noexcept
{
  return reinterpret_cast<Lanes>(reinterpret_cast<LaneMask>(v) & (LaneMask{} + INT64_MAX));
}

// The sign bit of `sign` applied to the non-negative `magnitude`.
inline Lanes CopySign(Lanes magnitude, Lanes sign) noexcept
{
  return reinterpret_cast<Lanes>(reinterpret_cast<LaneMask>(magnitude) |
                                 (reinterpret_cast<LaneMask>(sign) & (LaneMask{} + INT64_MIN)));
}

inline Lanes Min(Lanes a, Lanes b) noexcept
{
  return Select(a < b, a, b);
}

inline Lanes Max(Lanes a, Lanes b) noexcept
{
  return Select(a > b, a, b);
}

} // namespace brasmire
