// The fallback display timer's period from the frame rate.

#include "IGraphics/Platforms/DisplayTimerPeriod.h"

#include <gtest/gtest.h>

using igraphics::DisplayTimerPeriodMs;

TEST(DisplayTimerPeriod, IsTheWholeMillisecondsPerFrameFromTwentyUp)
{
  EXPECT_EQ(DisplayTimerPeriodMs(25), 40);
  EXPECT_EQ(DisplayTimerPeriodMs(50), 20); // exactly 20: kept
  EXPECT_EQ(DisplayTimerPeriodMs(49), 20); // 20.4 truncated
  EXPECT_EQ(DisplayTimerPeriodMs(1), 1000);
}

TEST(DisplayTimerPeriod, PeriodsUnderTwentyAndRatesOfZeroOrLessGiveFifteen)
{
  EXPECT_EQ(DisplayTimerPeriodMs(60), 15); // 16.7 → 16, under 20
  EXPECT_EQ(DisplayTimerPeriodMs(51), 15); // 19.6 → 19
  EXPECT_EQ(DisplayTimerPeriodMs(1000), 15);
  EXPECT_EQ(DisplayTimerPeriodMs(0), 15);
  EXPECT_EQ(DisplayTimerPeriodMs(-30), 15);
}
