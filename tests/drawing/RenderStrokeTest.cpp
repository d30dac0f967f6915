#include "RenderTestFixture.h"

#include <cmath>

using namespace igraphics;

namespace
{
constexpr float kPi = 3.14159265358979323846f;
constexpr float kQuantum = 2.0f / 255.0f;
} // namespace

using StrokeTest = RenderTestFixture<100, 80>;

TEST_F(StrokeTest, OnePixelLineAtHalfPixelOffsetCoversOneRow)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.MoveTo(5, 10.5f);
        r.LineTo(55, 10.5f);
        r.SetStrokeWidth(1);
        r.SetStrokeColor(Color::Rgba(1, 1, 1, 1));
        r.Stroke();
      });
  for (int x = 5; x < 55; ++x)
  {
    ASSERT_NEAR(harness->Alpha(x, 10), 1.0f, kQuantum) << x;
    ASSERT_NEAR(harness->Alpha(x, 9), 0.0f, kQuantum) << x;
    ASSERT_NEAR(harness->Alpha(x, 11), 0.0f, kQuantum) << x;
  }
  EXPECT_NEAR(harness->Alpha(4, 10), 0.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(55, 10), 0.0f, kQuantum);
}

TEST_F(StrokeTest, HairlineKeepsOnePixelAndScalesItsCoverage)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.MoveTo(5, 20.5f);
        r.LineTo(55, 20.5f);
        r.SetStrokeWidth(0.25f);
        r.SetStrokeColor(Color::Rgba(1, 1, 1, 1));
        r.Stroke();
      });
  EXPECT_NEAR(harness->Alpha(30, 20), 0.25f, kQuantum);
  EXPECT_NEAR(harness->Alpha(30, 19), 0.0f, kQuantum);
}

TEST_F(StrokeTest, CapsExtendAsSpecified)
{
  // Horizontal line from x = 20 to 60 at y = 40, 10 wide (half width 5).
  const auto draw = [&](LineCap cap)
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          r.BeginPath();
          r.MoveTo(20, 40);
          r.LineTo(60, 40);
          r.SetStrokeWidth(10);
          r.SetLineCap(cap);
          r.SetStrokeColor(Color::Rgba(1, 1, 1, 1));
          r.Stroke();
        });
  };
  // Coverage left of x = 20 (the start cap's area).
  const auto capArea = [&]
  {
    double sum = 0;
    for (int y = 0; y < harness->Height(); ++y)
      for (int x = 0; x < 20; ++x)
        sum += harness->Alpha(x, y);
    return sum;
  };
  draw(LineCap::Butt);
  EXPECT_NEAR(capArea(), 0.0, 0.05);
  EXPECT_NEAR(harness->TotalAlpha(), 40.0 * 10.0, 0.5);
  EXPECT_NEAR(harness->Alpha(20, 35), 1.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(59, 44), 1.0f, kQuantum);
  draw(LineCap::Square);
  EXPECT_NEAR(capArea(), 5.0 * 10.0, 0.5);
  EXPECT_NEAR(harness->TotalAlpha(), 50.0 * 10.0, 0.5);
  EXPECT_NEAR(harness->Alpha(15, 35), 1.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(14, 40), 0.0f, kQuantum);
  draw(LineCap::Round);
  EXPECT_NEAR(capArea(), kPi * 25.0 / 2.0, 0.5);
  // Pixel centre (15.5, 40.5) lies 4.53 from the end point, 0.47 inside the edge.
  EXPECT_NEAR(harness->Alpha(15, 40), 0.5f + (5.0f - std::hypot(4.5f, 0.5f)), 0.05f);
  EXPECT_NEAR(harness->Alpha(15, 35), 0.0f, kQuantum);
}

TEST_F(StrokeTest, JoinsFillTheOuterCornerAsSpecified)
{
  // Right-angle corner at (60, 60): in along +x, out along -y; 10 wide. The
  // square x in [60, 65], y in [60, 65] is reached only by the join.
  const auto cornerArea = [&](LineJoin join)
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          r.BeginPath();
          r.MoveTo(20, 60);
          r.LineTo(60, 60);
          r.LineTo(60, 20);
          r.SetStrokeWidth(10);
          r.SetLineJoin(join);
          r.SetStrokeColor(Color::Rgba(1, 1, 1, 1));
          r.Stroke();
        });
    double sum = 0;
    for (int y = 60; y < 66; ++y)
      for (int x = 60; x < 66; ++x)
        sum += harness->Alpha(x, y);
    return sum;
  };
  EXPECT_NEAR(cornerArea(LineJoin::Miter), 25.0, 0.5);
  EXPECT_NEAR(cornerArea(LineJoin::Bevel), 12.5, 0.6);
  EXPECT_NEAR(cornerArea(LineJoin::Round), kPi * 25.0 / 4.0, 0.6);
}

TEST_F(StrokeTest, MiterLimitTurnsSharpMitersIntoBevels)
{
  // In along +x to (60, 40), then back towards (20, 30): a sharp corner.
  const float d1x = -40.0f / std::sqrt(1700.0f), d1y = -10.0f / std::sqrt(1700.0f);
  const float cosPhi = -d1x; // angle between the two segments
  const float halfPhi = 0.5f * std::acos(cosPhi);
  const float tipDistance = 5.0f / std::sin(halfPhi); // from the corner
  // The tip lies on the bisector, pointing away from both segments.
  float bx = 1.0f - d1x, by = 0.0f - d1y;
  const float bl = std::sqrt(bx * bx + by * by);
  bx /= bl, by /= bl;
  const int probeX = static_cast<int>(60.0f + bx * 0.6f * tipDistance);
  const int probeY = static_cast<int>(40.0f + by * 0.6f * tipDistance);
  const float ratio = 1.0f / std::sin(halfPhi);
  ASSERT_GT(ratio, 5.0f);
  ASSERT_LT(ratio, 9.0f);
  const auto draw = [&](float limit)
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          r.BeginPath();
          r.MoveTo(20, 40);
          r.LineTo(60, 40);
          r.LineTo(20, 30);
          r.SetStrokeWidth(10);
          r.SetMiterLimit(limit);
          r.SetStrokeColor(Color::Rgba(1, 1, 1, 1));
          r.Stroke();
        });
  };
  draw(10.0f);
  EXPECT_GT(harness->Alpha(probeX, probeY), 0.99f) << probeX << "," << probeY;
  draw(4.0f);
  EXPECT_LT(harness->Alpha(probeX, probeY), 0.01f) << probeX << "," << probeY;
}

TEST_F(StrokeTest, TranslucentStrokeBlendsOnceWhereSegmentsOverlap)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.MoveTo(10, 40);
        r.LineTo(90, 40);
        r.LineTo(50, 10);
        r.LineTo(50, 70); // crosses the first segment
        r.SetStrokeWidth(6);
        r.SetLineJoin(LineJoin::Round);
        r.SetStrokeColor(Color::Rgba(1, 1, 1, 0.5f));
        r.Stroke();
      });
  EXPECT_NEAR(harness->Alpha(50, 40), 0.5f, kQuantum);
  EXPECT_NEAR(harness->Alpha(88, 40), 0.5f, kQuantum);
}

TEST_F(StrokeTest, ClosedRectangleOutlineHasNoCapsAndMiteredCorners)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.Rect(20, 20, 40, 30);
        r.SetStrokeWidth(2);
        r.SetStrokeColor(Color::Rgba(1, 1, 1, 1));
        r.Stroke();
      });
  // Half the width either side: outer 42 x 32 minus inner 38 x 28.
  EXPECT_NEAR(harness->TotalAlpha(), 42.0 * 32.0 - 38.0 * 28.0, 0.5);
  EXPECT_NEAR(harness->Alpha(18, 18), 0.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(19, 19), 1.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(21, 21), 0.0f, kQuantum);
}
