// Wheel deltas into whole notches, keeping the part of a notch left over.

#include "IGraphics/Platforms/WheelAccumulator.h"

#include <gtest/gtest.h>

using igraphics::WheelAccumulator;

TEST(WheelAccumulator, WholeNotchesPassStraightThrough)
{
  WheelAccumulator wheel;
  EXPECT_EQ(wheel.Add(120), 1);
  EXPECT_EQ(wheel.Add(-240), -2);
  EXPECT_EQ(wheel.Remainder(), 0);
}

TEST(WheelAccumulator, SmallDeltasAddUpToANotch)
{
  WheelAccumulator wheel;
  EXPECT_EQ(wheel.Add(60), 0);
  EXPECT_EQ(wheel.Add(60), 1);
  EXPECT_EQ(wheel.Remainder(), 0);
  // 90 + 90 = 180: one notch, 60 carried.
  EXPECT_EQ(wheel.Add(90), 0);
  EXPECT_EQ(wheel.Add(90), 1);
  EXPECT_EQ(wheel.Remainder(), 60);
  // 60 carried + 300 = 360: three notches, nothing left.
  EXPECT_EQ(wheel.Add(300), 3);
  EXPECT_EQ(wheel.Remainder(), 0);
}

TEST(WheelAccumulator, DownwardDeltasKeepTheirSignAndOppositeOnesCancel)
{
  WheelAccumulator wheel;
  EXPECT_EQ(wheel.Add(-60), 0);
  EXPECT_EQ(wheel.Remainder(), -60);
  EXPECT_EQ(wheel.Add(-60), -1);
  EXPECT_EQ(wheel.Add(40), 0);
  EXPECT_EQ(wheel.Add(-40), 0);
  EXPECT_EQ(wheel.Remainder(), 0);
  wheel.Add(100);
  wheel.Reset();
  EXPECT_EQ(wheel.Add(100), 0); // the 100 before the reset is gone
}
