// The screen scale from a window's dots per inch.

#include "IGraphics/Platforms/ScreenScaleFromDpi.h"

#include <gtest/gtest.h>

using igraphics::ScreenScaleFromDpi;

TEST(ScreenScaleFromDpi, IsTheDensityOverNinetySix)
{
  EXPECT_EQ(ScreenScaleFromDpi(96), 1.f);
  EXPECT_EQ(ScreenScaleFromDpi(120), 1.25f);
  EXPECT_EQ(ScreenScaleFromDpi(144), 1.5f);
  EXPECT_EQ(ScreenScaleFromDpi(192), 2.f);
}

TEST(ScreenScaleFromDpi, AFailedQueryOrALowDensityGivesOne)
{
  EXPECT_EQ(ScreenScaleFromDpi(0), 1.f); // the query's failure answer
  EXPECT_EQ(ScreenScaleFromDpi(72), 1.f);
  EXPECT_EQ(ScreenScaleFromDpi(1), 1.f);
}
