#pragma once

#include <cstddef>

namespace iplug
{

// Packed version numbers: major in bits 16..31, minor in bits 8..15, bug-fix
// in bits 0..7.
constexpr int VersionMajor(int packed) noexcept
{
  return static_cast<int>((static_cast<unsigned>(packed) >> 16) & 0xFFFFu);
}
constexpr int VersionMinor(int packed) noexcept
{
  return (packed >> 8) & 0xFF;
}
constexpr int VersionBugFix(int packed) noexcept
{
  return packed & 0xFF;
}

// major * 10000 + minor * 100 + bug-fix: 3.0.0 is 30000.
constexpr int VersionDecimal(int packed) noexcept
{
  return VersionMajor(packed) * 10000 + VersionMinor(packed) * 100 + VersionBugFix(packed);
}

// "v%d.%d.%d" into `out` of `capacity` bytes (always terminated). [any-thread]
void VersionText(int packed, char* out, std::size_t capacity) noexcept;

} // namespace iplug
