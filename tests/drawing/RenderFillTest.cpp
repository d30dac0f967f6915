#include "RenderTestFixture.h"

#include <algorithm>
#include <cmath>

using namespace igraphics;

namespace
{

constexpr float kPi = 3.14159265358979323846f;
constexpr float kQuantum = 2.0f / 255.0f;

// Length of [a0, a1] inside [b0, b1].
double Overlap(double a0, double a1, double b0, double b1)
{
  return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

void StarPath(VectorRenderer& r, float cx, float cy, float radius)
{
  // Five points joined every second one: a self-intersecting pentagram.
  for (int k = 0; k < 5; ++k)
  {
    const float angle = -0.5f * kPi + static_cast<float>(k) * 4.0f * kPi / 5.0f;
    const float x = cx + radius * std::cos(angle);
    const float y = cy + radius * std::sin(angle);
    if (k == 0)
      r.MoveTo(x, y);
    else
      r.LineTo(x, y);
  }
  r.ClosePath();
}

} // namespace

using FillTest = RenderTestFixture<64, 40>;

TEST_F(FillTest, AxisAlignedRectangleCoversExactlyItsAreaWithPartialPixelsOnlyOnTheBorder)
{
  const double x0 = 10.25, y0 = 5.5, x1 = 40.75, y1 = 26.25;
  harness->Render(
      [&](VectorRenderer& r)
      {
        r.BeginPath();
        r.Rect(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x1 - x0),
               static_cast<float>(y1 - y0));
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        r.Fill();
      });
  for (int y = 0; y < harness->Height(); ++y)
    for (int x = 0; x < harness->Width(); ++x)
    {
      const double ox = Overlap(x, x + 1, x0, x1);
      const double oy = Overlap(y, y + 1, y0, y1);
      const double expected = ox * oy;
      const bool corner = ox > 0.0 && ox < 1.0 && oy > 0.0 && oy < 1.0;
      const double tolerance = corner ? 0.15 : kQuantum;
      ASSERT_NEAR(harness->Alpha(x, y), expected, tolerance) << "pixel " << x << "," << y;
    }
}

TEST_F(FillTest, PixelRatioTwoDoublesTheCoveredPixels)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.Rect(4, 3, 10, 6);
        r.SetFillColor(Color::Rgba(0, 1, 0, 1));
        r.Fill();
      },
      2.0f);
  for (int y = 0; y < harness->Height(); ++y)
    for (int x = 0; x < harness->Width(); ++x)
    {
      const bool inside = x >= 8 && x < 28 && y >= 6 && y < 18;
      ASSERT_NEAR(harness->Alpha(x, y), inside ? 1.0f : 0.0f, kQuantum) << x << "," << y;
    }
}

using ShapeTest = RenderTestFixture<100, 100>;

TEST_F(ShapeTest, CircleCoverageEqualsItsAreaWithinOnePercent)
{
  for (const float radius : {8.0f, 20.0f, 37.5f})
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          r.BeginPath();
          r.Circle(50.3f, 49.6f, radius);
          r.SetFillColor(Color::Rgba(1, 0, 0, 1));
          r.Fill();
        });
    const double area = kPi * radius * radius;
    EXPECT_NEAR(harness->TotalAlpha(), area, 0.01 * area) << "radius " << radius;
  }
}

TEST_F(ShapeTest, ArcPieCoversAQuarterOfTheCircle)
{
  // From 12 o'clock clockwise to 3 o'clock: the top-right quarter.
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.MoveTo(50, 50);
        r.Arc(50, 50, 40, -0.5f * kPi, 0.0f, ArcDirection::Clockwise);
        r.ClosePath();
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        r.Fill();
      });
  const double area = kPi * 40 * 40 / 4;
  EXPECT_NEAR(harness->TotalAlpha(), area, 0.01 * area);
  EXPECT_GT(harness->Alpha(70, 30), 0.99f);
  EXPECT_LT(harness->Alpha(30, 30), 0.01f);
  EXPECT_LT(harness->Alpha(70, 70), 0.01f);
}

TEST_F(ShapeTest, StarFilledNonZeroCoversItsCentreAndAsHoleLeavesItEmpty)
{
  const auto drawStar = [&](PathWinding winding)
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          r.BeginPath();
          StarPath(r, 50, 50, 45);
          r.SetPathWinding(winding);
          r.SetFillColor(Color::Rgba(1, 1, 1, 1));
          r.Fill();
        });
  };
  // A point inside the top tip: covered once either way.
  const int tipX = 50, tipY = 15;
  drawStar(PathWinding::Solid);
  EXPECT_GT(harness->Alpha(50, 50), 0.99f);
  EXPECT_GT(harness->Alpha(tipX, tipY), 0.99f);
  EXPECT_LT(harness->Alpha(5, 95), 0.01f);
  drawStar(PathWinding::Hole);
  EXPECT_LT(harness->Alpha(50, 50), 0.01f);
  EXPECT_GT(harness->Alpha(tipX, tipY), 0.99f);
  EXPECT_LT(harness->Alpha(5, 95), 0.01f);
}

TEST_F(ShapeTest, HoleSubPathCutsASolidOneWhateverTheDrawingDirections)
{
  for (const bool reverseInner : {false, true})
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          r.BeginPath();
          r.Rect(10, 10, 80, 80);
          if (reverseInner)
          {
            r.MoveTo(30, 30);
            r.LineTo(70, 30);
            r.LineTo(70, 70);
            r.LineTo(30, 70);
            r.ClosePath();
          }
          else
            r.Rect(30, 30, 40, 40);
          r.SetPathWinding(PathWinding::Hole);
          r.SetFillColor(Color::Rgba(1, 1, 1, 1));
          r.Fill();
        });
    EXPECT_NEAR(harness->TotalAlpha(), 80.0 * 80.0 - 40.0 * 40.0, 1.0);
    EXPECT_LT(harness->Alpha(50, 50), 0.01f);
    EXPECT_GT(harness->Alpha(20, 50), 0.99f);
  }
  // Two solid squares nested in opposite directions both count: all covered.
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.Rect(10, 10, 80, 80);
        r.MoveTo(30, 30);
        r.LineTo(70, 30);
        r.LineTo(70, 70);
        r.LineTo(30, 70);
        r.ClosePath();
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        r.Fill();
      });
  EXPECT_NEAR(harness->TotalAlpha(), 80.0 * 80.0, 1.0);
}

TEST_F(ShapeTest, ConcavePolygonCoversItsAreaAndNotItsNotch)
{
  // An L shape: 80 x 80 square minus its top-right 40 x 40 quarter.
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.MoveTo(10, 10);
        r.LineTo(50, 10);
        r.LineTo(50, 50);
        r.LineTo(90, 50);
        r.LineTo(90, 90);
        r.LineTo(10, 90);
        r.ClosePath();
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        r.Fill();
      });
  EXPECT_NEAR(harness->TotalAlpha(), 80.0 * 80.0 - 40.0 * 40.0, 1.0);
  EXPECT_LT(harness->Alpha(70, 30), 0.01f);
  EXPECT_GT(harness->Alpha(30, 30), 0.99f);
  EXPECT_GT(harness->Alpha(70, 70), 0.99f);
  // Edges on pixel boundaries leave no partial pixels.
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
    {
      const float a = harness->Alpha(x, y);
      ASSERT_TRUE(a < 0.01f || a > 0.99f) << x << "," << y << " = " << a;
    }
}

TEST_F(ShapeTest, TranslucentSelfOverlappingFillBlendsOncePerPixel)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        StarPath(r, 50, 50, 45);
        r.SetFillColor(Color::Rgba(1, 1, 1, 0.5f));
        r.Fill();
      });
  EXPECT_NEAR(harness->Alpha(50, 50), 0.5f, kQuantum);
  EXPECT_NEAR(harness->Alpha(50, 15), 0.5f, kQuantum);
}

TEST(EdgeAntialiasOff, FillsAndStrokesCoverWholePixelsOnly)
{
  RenderHarness harness(40, 40);
  ASSERT_TRUE(harness.Ready()) << harness.Failure();
  std::string error;
  auto plain = VectorRenderer::Create(0, &error);
  ASSERT_TRUE(plain) << error;
  auto target = plain->CreateFramebuffer(40, 40, 0);
  ASSERT_TRUE(target);
  plain->BindFramebuffer(*target);
  plain->SetViewport(0, 0, 40, 40);
  plain->ClearTarget(0, 0, 0, 0);
  plain->BeginFrame(40, 40, 1);
  plain->BeginPath();
  plain->Rect(5.3f, 5.3f, 20.4f, 10.4f);
  plain->SetFillColor(Color::Rgba(1, 1, 1, 1));
  plain->Fill();
  plain->BeginPath();
  plain->MoveTo(2.3f, 30.2f);
  plain->LineTo(37.7f, 33.6f);
  plain->SetStrokeWidth(3);
  plain->Stroke();
  plain->EndFrame();
  std::vector<std::uint8_t> pixels(40 * 40 * 4);
  ASSERT_TRUE(plain->ReadPixels(0, 0, 40, 40, pixels.data()));
  int covered = 0;
  for (std::size_t i = 3; i < pixels.size(); i += 4)
  {
    ASSERT_TRUE(pixels[i] == 0 || pixels[i] == 255) << "alpha " << int(pixels[i]);
    covered += pixels[i] == 255;
  }
  // Pixel centres inside the rectangle: x 5.5 .. 25.5, y 5.5 .. 15.5.
  EXPECT_GE(covered, 21 * 11);
  plain->BindFramebufferObject(0);
}

TEST_F(ShapeTest, CounterClockwiseArcAndQuadraticCurveCoverTheirExactAreas)
{
  // From 12 o'clock counter-clockwise to 3 o'clock: three quarters of the disc.
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.MoveTo(50, 50);
        r.Arc(50, 50, 30, -0.5f * kPi, 0.0f, ArcDirection::CounterClockwise);
        r.ClosePath();
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        r.Fill();
      });
  const double threeQuarters = 0.75 * kPi * 30 * 30;
  EXPECT_NEAR(harness->TotalAlpha(), threeQuarters, 0.01 * threeQuarters);
  EXPECT_LT(harness->Alpha(65, 35), 0.01f); // the missing top-right quarter
  EXPECT_GT(harness->Alpha(35, 35), 0.99f);
  // A parabolic segment covers 2/3 of base times height.
  harness->Render(
      [](VectorRenderer& r)
      {
        r.BeginPath();
        r.MoveTo(10, 80);
        r.QuadTo(50, 0, 90, 80); // apex at y = 40
        r.ClosePath();
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        r.Fill();
      });
  const double segment = 2.0 / 3.0 * 80.0 * 40.0;
  EXPECT_NEAR(harness->TotalAlpha(), segment, 0.01 * segment);
  // The apex touches y = 40: the row below it is almost full, the row above empty.
  EXPECT_GT(harness->Alpha(50, 40), 0.9f);
  EXPECT_LT(harness->Alpha(50, 39), 0.02f);
}

TEST(FramebufferLifetime, AFramebufferMayOutliveItsRenderer)
{
  RenderHarness harness(8, 8);
  ASSERT_TRUE(harness.Ready()) << harness.Failure();
  auto renderer = VectorRenderer::Create(VectorRenderer::kEdgeAntialias);
  ASSERT_TRUE(renderer);
  std::unique_ptr<Framebuffer> layer = renderer->CreateFramebuffer(16, 16, 0);
  ASSERT_TRUE(layer);
  renderer.reset();
  layer.reset(); // must touch nothing that went with the renderer
  SUCCEED();
}
