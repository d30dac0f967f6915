#pragma once

#include <cmath>
#include <cstdint>

namespace plughost
{

// What the checks ask of rendered output: non-finite and subnormal samples,
// the peak, and the largest step between neighbouring samples of a channel.
struct OutputStats
{
  std::int64_t samples = 0;
  std::int64_t nonFinite = 0;
  std::int64_t subnormal = 0;
  double peak = 0.0;
  double largestStep = 0.0;

  // One channel's frames; previous is the channel's last sample before them
  // (updated), so steps are measured across block boundaries.
  void Add(const float* data, std::int64_t frames, float& previous)
  {
    for (std::int64_t i = 0; i < frames; ++i)
    {
      const float x = data[i];
      ++samples;
      if (!std::isfinite(x))
      {
        ++nonFinite;
        continue;
      }
      if (std::fpclassify(x) == FP_SUBNORMAL) ++subnormal;
      const double magnitude = std::abs(static_cast<double>(x));
      if (magnitude > peak) peak = magnitude;
      if (std::isfinite(previous))
      {
        const double step = std::abs(static_cast<double>(x) - previous);
        if (step > largestStep) largestStep = step;
      }
      previous = x;
    }
  }
};

} // namespace plughost
