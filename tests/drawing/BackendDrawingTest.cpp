// The back end's drawing operations, rendered on the offscreen context and
// read back from the window it presents to.

#include "BackendEditor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

using namespace igraphics;

namespace
{

using BackendDrawing = OffscreenTest;

// Premultiplied 0..1 colour of an IColor.
std::array<double, 4> Premultiplied(const IColor& c)
{
  const double a = c.A / 255.0;
  return {c.R / 255.0 * a, c.G / 255.0 * a, c.B / 255.0 * a, a};
}

} // namespace

TEST_F(BackendDrawing, EveryBlendMethodCombinesSourceAndDestinationByItsTable)
{
  const IColor dst(102, 30, 180, 90);
  const IColor src(153, 200, 50, 100);
  // Factor of each method for source and destination, from the two alphas.
  struct Case
  {
    EBlend method;
    std::function<double(double sa, double da)> fs, fd;
  };
  const std::vector<Case> cases = {
      {EBlend::Default, [](double, double) { return 1.0; },
       [](double sa, double) { return 1 - sa; }},
      {EBlend::SrcIn, [](double, double da) { return da; }, [](double, double) { return 0.0; }},
      {EBlend::SrcOut, [](double, double da) { return 1 - da; },
       [](double, double) { return 0.0; }},
      {EBlend::SrcAtop, [](double, double da) { return da; },
       [](double sa, double) { return 1 - sa; }},
      {EBlend::DstOver, [](double, double da) { return 1 - da; },
       [](double, double) { return 1.0; }},
      {EBlend::DstIn, [](double, double) { return 0.0; }, [](double sa, double) { return sa; }},
      {EBlend::DstOut, [](double, double) { return 0.0; },
       [](double sa, double) { return 1 - sa; }},
      {EBlend::DstAtop, [](double, double da) { return 1 - da; },
       [](double sa, double) { return sa; }},
      {EBlend::Add, [](double sa, double) { return sa; }, [](double, double da) { return da; }},
      {EBlend::XOR, [](double, double da) { return 1 - da; },
       [](double sa, double) { return 1 - sa; }},
  };
  BackendEditor editor(16, 16);
  for (const Case& c : cases)
  {
    const IBlendSpec blend(c.method, 1.f);
    const IRect all(0, 0, 16, 16);
    editor.Frame(
        [&](IGraphics& g)
        {
          const IBlendSpec clear(EBlend::DstOut, 1.f);
          g.FillRect(COLOR_BLACK, all, &clear);
          g.FillRect(dst, all);
          g.FillRect(src, all, &blend);
        });
    const auto pixels = editor.Window();
    const auto s = Premultiplied(src);
    const auto d = Premultiplied(dst);
    const double fs = c.fs(s[3], d[3]);
    const double fd = c.fd(s[3], d[3]);
    for (int ch = 0; ch < 4; ++ch)
    {
      const double expected = std::min(1.0, s[ch] * fs + d[ch] * fd) * 255.0;
      EXPECT_NEAR(editor.At(pixels, 8, 8, ch), expected, 2.0)
          << "method " << static_cast<int>(c.method) << " channel " << ch;
    }
  }
}

TEST_F(BackendDrawing, BlendWeightScalesAlphaAndAnUnknownMethodKeepsTheBlend)
{
  BackendEditor editor(16, 16);
  const IBlendSpec half(EBlend::Default, 0.5f);
  editor.Frame(
      [&](IGraphics& g)
      {
        const IBlendSpec clear(EBlend::DstOut, 1.f);
        g.FillRect(COLOR_BLACK, IRect(0, 0, 16, 16), &clear);
        g.FillRect(COLOR_RED, IRect(0, 0, 8, 16), &half);
        // Method 42 leaves the factors as they were: source over.
        const IBlendSpec unknown(static_cast<EBlend>(42), 1.f);
        g.FillRect(COLOR_GREEN, IRect(8, 0, 16, 16), &unknown);
      });
  const auto pixels = editor.Window();
  EXPECT_NEAR(editor.At(pixels, 4, 8, 3), 127.5, 1.0);
  EXPECT_NEAR(editor.At(pixels, 4, 8, 0), 127.5, 1.0);
  EXPECT_EQ(editor.At(pixels, 12, 8, 1), 255);
  EXPECT_EQ(editor.At(pixels, 12, 8, 3), 255);
}

TEST_F(BackendDrawing, GradientsUseOnlyTheFirstAndLastStops)
{
  BackendEditor editor(100, 100);
  IPatternSpec linear;
  linear.mType = EPatternType::Linear;
  linear.AddStop(COLOR_RED, 0.f);
  linear.AddStop(COLOR_GREEN, 0.5f);
  linear.AddStop(COLOR_BLUE, 1.f);
  // Pattern space (0, 0)..(0, 1) is user (0, 0)..(0, 100): a vertical gradient.
  linear.mTransform = IMatrix(1, 0, 0, 0.01, 0, 0);
  IPatternSpec radial = linear;
  radial.mType = EPatternType::Radial;
  // Centre (50, 50), outer radius 40.
  radial.mTransform = IMatrix(1.0 / 40, 0, 0, 1.0 / 40, -50.0 / 40, -50.0 / 40);

  editor.Frame(
      [&](IGraphics& g)
      {
        g.PathRect(IRect(0, 0, 100, 100));
        g.PathFillWith(linear, IFillSpec());
      });
  auto pixels = editor.Window();
  EXPECT_NEAR(editor.At(pixels, 50, 0, 0), 255, 4);
  EXPECT_NEAR(editor.At(pixels, 50, 99, 2), 255, 4);
  // Halfway: the mean of red and blue, no green at all.
  EXPECT_NEAR(editor.At(pixels, 50, 50, 0), 127.5, 4);
  EXPECT_NEAR(editor.At(pixels, 50, 50, 2), 127.5, 4);
  EXPECT_LE(editor.At(pixels, 50, 50, 1), 1);

  editor.Frame(
      [&](IGraphics& g)
      {
        g.PathRect(IRect(0, 0, 100, 100));
        g.PathFillWith(radial, IFillSpec());
      });
  pixels = editor.Window();
  EXPECT_NEAR(editor.At(pixels, 50, 50, 0), 255, 8);
  EXPECT_NEAR(editor.At(pixels, 50, 30, 0), 127.5, 8); // 20 from the centre: halfway
  EXPECT_NEAR(editor.At(pixels, 50, 5, 2), 255, 2);    // beyond the outer radius
  EXPECT_LE(editor.At(pixels, 50, 30, 1), 1);
}

TEST_F(BackendDrawing, DashedLinesFollowTheDashCountAndUnusableDashesDrawPlainLines)
{
  BackendEditor editor(60, 40);
  const IColor ink = COLOR_BLACK;
  // Five dash lengths: n = 5, dashes from 0 to 1/5 and 2/5 to 3/5 of the way.
  editor.Frame([&](IGraphics& g) { g.StrokeDashedLine(ink, 0, 10, 50, 10, nullptr, 2.f, 10.f); });
  auto pixels = editor.Window();
  const int on[] = {5, 25};
  const int off[] = {15, 35, 45};
  for (int x : on)
    EXPECT_EQ(editor.At(pixels, x, 10, 3), 255) << x;
  for (int x : off)
    EXPECT_EQ(editor.At(pixels, x, 10, 3), 0) << x;

  // Rounding to one dash, or shorter than half a dash: nothing.
  editor.Frame(
      [&](IGraphics& g)
      {
        const IBlendSpec clear(EBlend::DstOut, 1.f);
        g.FillRect(COLOR_BLACK, IRect(0, 0, 60, 40), &clear);
        g.StrokeDashedLine(ink, 0, 10, 12, 10, nullptr, 2.f, 10.f);
        g.StrokeDashedLine(ink, 0, 20, 4, 20, nullptr, 2.f, 10.f);
      });
  pixels = editor.Window();
  for (int x = 0; x < 60; ++x)
  {
    EXPECT_EQ(editor.At(pixels, x, 10, 3), 0) << x;
    EXPECT_EQ(editor.At(pixels, x, 20, 3), 0) << x;
  }

  // Zero, negative and not-a-number dash lengths draw the whole line.
  editor.Frame(
      [&](IGraphics& g)
      {
        g.StrokeDashedLine(ink, 0, 10, 50, 10, nullptr, 2.f, 0.f);
        g.StrokeDashedLine(ink, 0, 20, 50, 20, nullptr, 2.f, -3.f);
        g.StrokeDashedLine(ink, 0, 30, 50, 30, nullptr, 2.f, std::nanf(""));
      });
  pixels = editor.Window();
  for (int x = 1; x < 49; ++x)
    for (int y : {10, 20, 30})
      EXPECT_EQ(editor.At(pixels, x, y, 3), 255) << x << "," << y;
}

TEST_F(BackendDrawing, DashedRectanglesWalkTopRightThenBottomLeft)
{
  BackendEditor editor(60, 40);
  // {10, 10, 50, 30}, dash 5: top dashes 10-15, 20-25, 30-35, 40-45; right
  // 10-15, 20-25; bottom leftwards 50-45, 40-35, 30-25, 20-15; left upwards
  // 30-25, 20-15.
  editor.Frame([&](IGraphics& g)
               { g.StrokeDashedRect(COLOR_BLACK, IRect(10, 10, 50, 30), nullptr, 2.f, 5.f); });
  const auto pixels = editor.Window();
  auto ink = [&](int x, int y) { return editor.At(pixels, x, y, 3); };
  for (int x : {12, 22, 32, 42})
    EXPECT_EQ(ink(x, 10), 255) << "top " << x;
  for (int x : {17, 27, 37})
    EXPECT_EQ(ink(x, 10), 0) << "top " << x;
  for (int x : {47, 37, 27, 17})
    EXPECT_EQ(ink(x, 30), 255) << "bottom " << x;
  for (int x : {42, 32, 22})
    EXPECT_EQ(ink(x, 30), 0) << "bottom " << x;
  EXPECT_EQ(ink(50, 12), 255);
  EXPECT_EQ(ink(50, 17), 0);
  EXPECT_EQ(ink(10, 27), 255);
  EXPECT_EQ(ink(10, 22), 0);

  // A zero dash strokes the plain rectangle.
  editor.Frame([&](IGraphics& g)
               { g.StrokeDashedRect(COLOR_BLACK, IRect(10, 10, 50, 30), nullptr, 2.f, 0.f); });
  const auto plain = editor.Window();
  for (int x = 11; x < 50; ++x)
    EXPECT_EQ(editor.At(plain, x, 10, 3), 255) << x;
}

TEST_F(BackendDrawing, ArcsRunClockwiseFromTwelveOClock)
{
  BackendEditor editor(100, 100);
  editor.Frame([&](IGraphics& g) { g.StrokeArc(COLOR_BLACK, 50, 50, 30, 0, 90, nullptr, 3.f); });
  const auto pixels = editor.Window();
  const double d = 30 / std::sqrt(2.0);
  EXPECT_EQ(editor.At(pixels, static_cast<int>(50 + d), static_cast<int>(50 - d), 3), 255);
  EXPECT_EQ(editor.At(pixels, static_cast<int>(50 - d), static_cast<int>(50 - d), 3), 0);
  EXPECT_EQ(editor.At(pixels, static_cast<int>(50 + d), static_cast<int>(50 + d), 3), 0);
}

TEST_F(BackendDrawing, BoxShadowIsHalfBlackInsideTheDroppedBoxAndFadesOutside)
{
  BackendEditor editor(100, 100);
  editor.Frame([&](IGraphics& g)
               { g.FillBoxShadow(IRect(20, 20, 60, 60), IRect(0, 0, 100, 100), 5, 0, 4); });
  const auto pixels = editor.Window();
  EXPECT_NEAR(editor.At(pixels, 45, 45, 3), 128, 1);
  EXPECT_EQ(editor.At(pixels, 45, 45, 0), 0);
  EXPECT_EQ(editor.At(pixels, 2, 2, 3), 0);
  EXPECT_EQ(editor.At(pixels, 97, 97, 3), 0);
  // The box edge is moved by the drop distance to 25 (20 + 5); the pixel centre
  // at 25.5 lies 0.5 inside it, on a ramp 4 wide: 128 × (0.5 + 0.5 / 4).
  EXPECT_NEAR(editor.At(pixels, 45, 25, 3), 80, 3);
}

TEST_F(BackendDrawing, TransformsScaleByTheDrawScale)
{
  BackendEditor editor(50, 50);
  editor.graphics.Resize(50, 50, 2.f);
  editor.graphics.ResizeDrawTarget();
  ASSERT_EQ(editor.graphics.BackingWidthPixels(), 100);
  editor.Frame(
      [&](IGraphics& g)
      {
        g.PathTransformTranslate(10, 0);
        g.FillRect(COLOR_RED, IRect(0, 0, 10, 10));
      });
  const auto pixels = editor.BackingStore();
  // Points 10..20 at draw scale 2: pixels 20..40.
  EXPECT_EQ(editor.At(pixels, 19, 10, 0), 0);
  EXPECT_EQ(editor.At(pixels, 21, 10, 0), 255);
  EXPECT_EQ(editor.At(pixels, 39, 19, 0), 255);
  EXPECT_EQ(editor.At(pixels, 41, 10, 0), 0);
}

TEST_F(BackendDrawing, TextIsMeasuredAndDrawnWithinItsBounds)
{
  BackendEditor editor(200, 60);
  ASSERT_TRUE(editor.graphics.LoadFont("Roboto-Regular", "Roboto-Regular.ttf"));
  ITextStyle small(14.f, COLOR_BLACK, "Roboto-Regular", EAlign::Near, EVAlign::Top);
  ITextStyle large = small;
  large.mSize = 28.f;
  IRect smallBounds(10, 10, 190, 50);
  IRect largeBounds(10, 10, 190, 50);
  const float w14 = editor.graphics.MeasureText(small, "Drive", smallBounds);
  const float w28 = editor.graphics.MeasureText(large, "Drive", largeBounds);
  EXPECT_GT(w14, 10.f);
  EXPECT_NEAR(w28, 2 * w14, 1.f);
  EXPECT_NEAR(smallBounds.L, 10.f, 0.5f);

  ITextStyle far = small;
  far.mAlign = EAlign::Far;
  IRect farBounds(10, 10, 190, 50);
  editor.graphics.MeasureText(far, "Drive", farBounds);
  EXPECT_NEAR(farBounds.R, 190.f, 0.5f);

  ITextStyle unknown = small;
  std::snprintf(unknown.mFont, sizeof(unknown.mFont), "%s", "No-Such-Font");
  IRect unknownBounds(10, 10, 190, 50);
  EXPECT_EQ(editor.graphics.BackendMeasureText(unknown, "Drive", unknownBounds), 0.f);
  EXPECT_EQ(unknownBounds, IRect());

  editor.Frame([&](IGraphics& g) { g.DrawTextIn(small, "Drive", IRect(10, 10, 190, 50)); });
  const auto pixels = editor.Window();
  int inside = 0, outside = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x)
    {
      const bool in = x >= std::floor(smallBounds.L) && x < std::ceil(smallBounds.R) &&
                      y >= std::floor(smallBounds.T) && y < std::ceil(smallBounds.B);
      (in ? inside : outside) += editor.At(pixels, x, y, 3) > 0;
    }
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
}
