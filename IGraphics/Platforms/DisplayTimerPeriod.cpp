#include "IGraphics/Platforms/DisplayTimerPeriod.h"

namespace igraphics
{

int DisplayTimerPeriodMs(int fps)
{
  constexpr int kShortestPeriodMs = 20;
  constexpr int kFastPeriodMs = 15;
  if (fps <= 0) return kFastPeriodMs;
  const int periodMs = 1000 / fps;
  return periodMs < kShortestPeriodMs ? kFastPeriodMs : periodMs;
}

} // namespace igraphics
