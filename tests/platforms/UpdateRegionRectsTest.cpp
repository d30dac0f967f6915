// A window update region in pixels becomes editor rectangles; region data
// beyond the 1024-byte buffer give the bounding box.

#include "IGraphics/Platforms/UpdateRegionRects.h"

#include <gtest/gtest.h>

#include <vector>

using igraphics::IRect;
using igraphics::IRectList;
using igraphics::UpdateRegionRects;
using PixelRect = UpdateRegionRects::PixelRect;

namespace
{

void ExpectRect(const IRect& r, float l, float t, float rr, float b)
{
  EXPECT_EQ(r.L, l);
  EXPECT_EQ(r.T, t);
  EXPECT_EQ(r.R, rr);
  EXPECT_EQ(r.B, b);
}

// Strips of 10 pixels, one under the other.
std::vector<PixelRect> Strips(int count)
{
  std::vector<PixelRect> rects;
  for (int i = 0; i < count; ++i)
    rects.push_back({0, 10 * i, 30, 10 * i + 10});
  return rects;
}

} // namespace

TEST(UpdateRegionRects, SixtyTwoRectanglesFillTheBufferExactly)
{
  // 32-byte header + 62 × 16 = 1024 bytes; one more rectangle makes 1040.
  EXPECT_TRUE(UpdateRegionRects::Fits(62));
  EXPECT_FALSE(UpdateRegionRects::Fits(63));
  EXPECT_TRUE(UpdateRegionRects::FitsBytes(1024));
  EXPECT_FALSE(UpdateRegionRects::FitsBytes(1040));
}

TEST(UpdateRegionRects, RectanglesGrowOutwardToWholePoints)
{
  // At 1.5: 1 / 1.5 = 0.67 → 0, 4 / 1.5 = 2.67 → 3.
  ExpectRect(UpdateRegionRects::ToPoints({1, 1, 4, 4}, 1.5f), 0.f, 0.f, 3.f, 3.f);
  ExpectRect(UpdateRegionRects::ToPoints({3, 6, 6, 9}, 1.5f), 2.f, 4.f, 4.f, 6.f);
  ExpectRect(UpdateRegionRects::ToPoints({-3, 5, 7, 11}, 2.f), -2.f, 2.f, 4.f, 6.f);
  // A scale that is no positive number counts as 1.
  ExpectRect(UpdateRegionRects::ToPoints({1, 2, 3, 4}, 0.f), 1.f, 2.f, 3.f, 4.f);
}

TEST(UpdateRegionRects, ARegionThatFitsPassesEveryRectangle)
{
  const std::vector<PixelRect> rects = Strips(62);
  IRectList out;
  UpdateRegionRects::Convert(rects.data(), rects.size(), {0, 0, 30, 620}, 1.5f, out);
  ASSERT_EQ(out.Size(), 62);
  ExpectRect(out.Get(0), 0.f, 0.f, 20.f, 7.f);      // 10 / 1.5 = 6.67 → 7
  ExpectRect(out.Get(61), 0.f, 406.f, 20.f, 414.f); // 610 / 1.5 = 406.67 → 406; 620 / 1.5 → 414
}

TEST(UpdateRegionRects, ARegionThatDoesNotFitBecomesItsBoundingBox)
{
  const std::vector<PixelRect> rects = Strips(63);
  IRectList out;
  UpdateRegionRects::Convert(rects.data(), rects.size(), {0, 0, 30, 630}, 1.5f, out);
  ASSERT_EQ(out.Size(), 1);
  ExpectRect(out.Get(0), 0.f, 0.f, 20.f, 420.f);
  // A simple region has no rectangle list: its box alone.
  IRectList simple;
  UpdateRegionRects::Convert(nullptr, 0, {3, 3, 9, 9}, 1.5f, simple);
  ASSERT_EQ(simple.Size(), 1);
  ExpectRect(simple.Get(0), 2.f, 2.f, 6.f, 6.f);
}
