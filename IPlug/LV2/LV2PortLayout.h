#pragma once

#include <cstdint>

namespace iplug
{

// The port indexes of one LV2 variant, shared by the instance and the Turtle
// writer so the two can never disagree:
//   audio inputs    0 .. channels - 1
//   audio outputs   channels .. 2 * channels - 1
//   parameters      2 * channels .. 2 * channels + params - 1 (index order)
//   latency output  last
struct LV2PortLayout
{
  int channels = 0;
  int params = 0;

  std::uint32_t AudioIn(int channel) const noexcept { return static_cast<std::uint32_t>(channel); }
  std::uint32_t AudioOut(int channel) const noexcept
  {
    return static_cast<std::uint32_t>(channels + channel);
  }
  std::uint32_t Param(int index) const noexcept
  {
    return static_cast<std::uint32_t>(2 * channels + index);
  }
  std::uint32_t Latency() const noexcept
  {
    return static_cast<std::uint32_t>(2 * channels + params);
  }
  std::uint32_t Count() const noexcept { return Latency() + 1; }
};

} // namespace iplug
