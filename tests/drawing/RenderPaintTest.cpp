#include "RenderTestFixture.h"

#include <stb_image_write.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace igraphics;

namespace
{

constexpr float kQuantum = 2.0f / 255.0f;

struct Rgba
{
  float r, g, b, a;
};

Rgba Premultiplied(const Color& c)
{
  return {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

Rgba Mix(const Rgba& a, const Rgba& b, float t)
{
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

void ExpectPixel(const RenderHarness& h, int x, int y, const Rgba& expected, float tolerance,
                 const char* what)
{
  EXPECT_NEAR(h.At(x, y, 0), expected.r, tolerance) << what << " red at " << x << "," << y;
  EXPECT_NEAR(h.At(x, y, 1), expected.g, tolerance) << what << " green at " << x << "," << y;
  EXPECT_NEAR(h.At(x, y, 2), expected.b, tolerance) << what << " blue at " << x << "," << y;
  EXPECT_NEAR(h.At(x, y, 3), expected.a, tolerance) << what << " alpha at " << x << "," << y;
}

void FillWhole(VectorRenderer& r, int w, int h)
{
  r.BeginPath();
  r.Rect(0, 0, static_cast<float>(w), static_cast<float>(h));
  r.Fill();
}

void AppendBytes(void* context, void* data, int size)
{
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

} // namespace

using PaintTest = RenderTestFixture<100, 100>;

TEST_F(PaintTest, LinearGradientHitsItsColoursAtTheEndsAndMixesInBetween)
{
  const Color red = Color::Rgba(1, 0, 0, 1);
  const Color blue = Color::Rgba(0, 0, 1, 0.5f);
  harness->Render(
      [&](VectorRenderer& r)
      {
        r.SetFillPaint(Paint::LinearGradient(10, 0, 90, 0, red, blue));
        FillWhole(r, 100, 100);
      });
  const Rgba a = Premultiplied(red), b = Premultiplied(blue);
  ExpectPixel(*harness, 3, 50, a, kQuantum, "before the start");
  ExpectPixel(*harness, 96, 50, b, kQuantum, "after the end");
  // Pixel centre 49.5 lies at t = 39.5 / 80.
  ExpectPixel(*harness, 49, 20, Mix(a, b, 39.5f / 80.0f), kQuantum, "midway");
  ExpectPixel(*harness, 29, 80, Mix(a, b, 19.5f / 80.0f), kQuantum, "a quarter");
}

TEST_F(PaintTest, RadialGradientRunsFromInnerToOuterRadius)
{
  const Color white = Color::Rgba(1, 1, 1, 1);
  const Color green = Color::Rgba(0, 1, 0, 1);
  harness->Render(
      [&](VectorRenderer& r)
      {
        r.SetFillPaint(Paint::RadialGradient(50.5f, 50.5f, 10, 30, white, green));
        FillWhole(r, 100, 100);
      });
  const Rgba a = Premultiplied(white), b = Premultiplied(green);
  ExpectPixel(*harness, 55, 50, a, kQuantum, "inside the inner radius");
  ExpectPixel(*harness, 90, 50, b, kQuantum, "beyond the outer radius");
  ExpectPixel(*harness, 70, 50, Mix(a, b, 0.5f), kQuantum, "at radius 20");
  ExpectPixel(*harness, 50, 25, Mix(a, b, 0.75f), kQuantum, "at radius 25");
}

TEST_F(PaintTest, BoxGradientIsInnerInsideOuterBeyondAndHalfwayOnTheBoxEdge)
{
  const Color black = Color::Rgba(0, 0, 0, 1);
  const Color clear = Color::Rgba(0, 0, 0, 0);
  harness->Render(
      [&](VectorRenderer& r)
      {
        r.SetFillPaint(Paint::BoxGradient(30, 30, 40, 40, 6, 10, black, clear));
        FillWhole(r, 100, 100);
      });
  EXPECT_NEAR(harness->Alpha(50, 50), 1.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(5, 50), 0.0f, kQuantum);
  // Pixel centre 70.5 is 0.5 beyond the right edge: t = (0.5 + 5) / 10.
  EXPECT_NEAR(harness->Alpha(70, 50), 1.0f - 0.55f, kQuantum);
  // 2.5 inside the edge: t = (-2.5 + 5) / 10.
  EXPECT_NEAR(harness->Alpha(50, 32), 1.0f - 0.25f, kQuantum);
  // Rounded corner: the corner pixel of the box lies beyond the rounded edge.
  const float cornerDistance = std::sqrt(2.0f) * 5.5f - 6.0f; // from (30.5, 30.5) to the arc
  EXPECT_NEAR(harness->Alpha(30, 30), 1.0f - (cornerDistance + 5.0f) / 10.0f, 2 * kQuantum);
}

TEST_F(PaintTest, ImagePatternWithScaleTransformSamplesTheExpectedTexels)
{
  std::vector<std::uint8_t> texels(4 * 4 * 4);
  for (int i = 0; i < 16; ++i)
  {
    texels[i * 4 + 0] = static_cast<std::uint8_t>(i * 16);
    texels[i * 4 + 1] = static_cast<std::uint8_t>(255 - i * 16);
    texels[i * 4 + 2] = static_cast<std::uint8_t>((i % 3) * 100);
    texels[i * 4 + 3] = 255;
  }
  for (const float alpha : {1.0f, 0.5f})
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          const int image = r.CreateImageRgba(4, 4, kImageNearest, texels.data());
          ASSERT_NE(image, 0);
          // Paint space is the image's 4 x 4 texels, scaled by 8 and moved to (16, 8).
          const Transform xform{8, 0, 0, 8, 16, 8};
          r.SetFillPaint(Paint::ImagePattern(xform, 4, 4, image, alpha));
          r.BeginPath();
          r.Rect(16, 8, 32, 32);
          r.Fill();
          r.DeleteImage(image); // deferred until the frame has drawn
        });
    for (int y = 8; y < 40; ++y)
      for (int x = 16; x < 48; ++x)
      {
        const int i = ((y - 8) / 8) * 4 + (x - 16) / 8;
        for (int c = 0; c < 4; ++c)
        {
          const float expected = texels[i * 4 + c] / 255.0f * alpha;
          ASSERT_NEAR(harness->At(x, y, c), expected, kQuantum) << x << "," << y << " c" << c;
        }
      }
    EXPECT_EQ(harness->Alpha(15, 20), 0.0f);
    EXPECT_EQ(harness->Alpha(48, 20), 0.0f);
  }
}

TEST_F(PaintTest, EachBlendFactorPairCombinesSourceAndDestinationAsItsFormulaSays)
{
  // Destination and source, premultiplied.
  const Rgba dst{0.2f * 0.6f, 0.4f * 0.6f, 0.8f * 0.6f, 0.6f};
  const Color srcColor = Color::Rgba(1.0f, 0.5f, 0.25f, 0.5f);
  const Rgba src = Premultiplied(srcColor);
  const auto factor = [&](BlendFactor f, int channel) -> float
  {
    const float s[4] = {src.r, src.g, src.b, src.a};
    const float d[4] = {dst.r, dst.g, dst.b, dst.a};
    switch (f)
    {
    case BlendFactor::Zero:
      return 0.0f;
    case BlendFactor::One:
      return 1.0f;
    case BlendFactor::SrcColor:
      return s[channel];
    case BlendFactor::OneMinusSrcColor:
      return 1.0f - s[channel];
    case BlendFactor::DstColor:
      return d[channel];
    case BlendFactor::OneMinusDstColor:
      return 1.0f - d[channel];
    case BlendFactor::SrcAlpha:
      return src.a;
    case BlendFactor::OneMinusSrcAlpha:
      return 1.0f - src.a;
    case BlendFactor::DstAlpha:
      return dst.a;
    case BlendFactor::OneMinusDstAlpha:
      return 1.0f - dst.a;
    case BlendFactor::SrcAlphaSaturate:
      return channel == 3 ? 1.0f : std::min(src.a, 1.0f - dst.a);
    }
    return 0.0f;
  };
  using F = BlendFactor;
  const std::array<std::pair<F, F>, 12> pairs = {{{F::One, F::OneMinusSrcAlpha},
                                                  {F::DstAlpha, F::Zero},
                                                  {F::OneMinusDstAlpha, F::Zero},
                                                  {F::DstAlpha, F::OneMinusSrcAlpha},
                                                  {F::OneMinusDstAlpha, F::One},
                                                  {F::Zero, F::SrcAlpha},
                                                  {F::Zero, F::OneMinusSrcAlpha},
                                                  {F::OneMinusDstAlpha, F::SrcAlpha},
                                                  {F::SrcAlpha, F::DstAlpha},
                                                  {F::OneMinusDstAlpha, F::OneMinusSrcAlpha},
                                                  {F::DstColor, F::SrcColor},
                                                  {F::OneMinusSrcColor, F::OneMinusDstColor}}};
  const float clear[4] = {dst.r, dst.g, dst.b, dst.a};
  for (const auto& [srcFactor, dstFactor] : pairs)
  {
    harness->Render(
        [&](VectorRenderer& r)
        {
          r.SetBlendFactors(srcFactor, dstFactor);
          r.SetFillColor(srcColor);
          r.BeginPath();
          r.Rect(10, 10, 20, 20);
          r.Fill();
        },
        1.0f, clear);
    const float s[4] = {src.r, src.g, src.b, src.a};
    const float d[4] = {dst.r, dst.g, dst.b, dst.a};
    for (int c = 0; c < 4; ++c)
    {
      const float expected =
          std::clamp(s[c] * factor(srcFactor, c) + d[c] * factor(dstFactor, c), 0.0f, 1.0f);
      EXPECT_NEAR(harness->At(20, 20, c), expected, kQuantum)
          << "factors " << static_cast<int>(srcFactor) << "/" << static_cast<int>(dstFactor)
          << " channel " << c;
    }
    // Outside the rectangle the destination stays.
    EXPECT_NEAR(harness->At(50, 50, 3), dst.a, kQuantum);
  }
}

TEST_F(PaintTest, ScissorClipsInTheCurrentTransform)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.Translate(10, 20);
        r.Scissor(5, 5, 30, 20); // pixels 15..45 x 25..45
        r.ResetTransform();
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        FillWhole(r, 100, 100);
      });
  EXPECT_NEAR(harness->TotalAlpha(), 30.0 * 20.0, 0.5);
  EXPECT_NEAR(harness->Alpha(15, 25), 1.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(14, 25), 0.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(44, 44), 1.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(45, 44), 0.0f, kQuantum);
  // A rotated scissor keeps its area.
  harness->Render(
      [](VectorRenderer& r)
      {
        r.Translate(50, 50);
        r.Rotate(0.5f);
        r.Scissor(-20, -10, 40, 20);
        r.ResetTransform();
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        FillWhole(r, 100, 100);
      });
  EXPECT_NEAR(harness->TotalAlpha(), 40.0 * 20.0, 8.0);
  EXPECT_NEAR(harness->Alpha(50, 50), 1.0f, kQuantum);
}

TEST_F(PaintTest, SaveAndRestoreBringBackTransformPaintAndScissor)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.SetFillColor(Color::Rgba(0, 0, 1, 1));
        ASSERT_TRUE(r.Save());
        r.Translate(50, 0);
        r.Scissor(0, 0, 1, 1);
        r.SetFillColor(Color::Rgba(1, 0, 0, 1));
        r.Restore();
        r.BeginPath();
        r.Rect(0, 0, 10, 10);
        r.Fill();
      });
  ExpectPixel(*harness, 5, 5, {0, 0, 1, 1}, kQuantum, "restored state");
  EXPECT_EQ(harness->Alpha(55, 5), 0.0f);
  // The stack holds a bounded number of states.
  harness->Render(
      [](VectorRenderer& r)
      {
        int saved = 0;
        while (r.Save() && saved < 1000)
          ++saved;
        EXPECT_GT(saved, 8);
        EXPECT_LT(saved, 1000);
      });
}

TEST_F(PaintTest, FramebufferImageDrawsUprightAsAPaint)
{
  VectorRenderer& r = harness->Renderer();
  std::unique_ptr<Framebuffer> layer = r.CreateFramebuffer(40, 20, 0);
  ASSERT_TRUE(layer);
  int w = 0, h = 0;
  ASSERT_TRUE(r.ImageSize(layer->Image(), w, h));
  EXPECT_EQ(w, 40);
  EXPECT_EQ(h, 20);
  // Red square in the layer's top-left corner.
  r.BindFramebuffer(*layer);
  r.SetViewport(0, 0, 40, 20);
  r.ClearTarget(0, 0, 0, 0);
  r.BeginFrame(40, 20, 1);
  r.BeginPath();
  r.Rect(0, 0, 10, 5);
  r.SetFillColor(Color::Rgba(1, 0, 0, 1));
  r.Fill();
  r.EndFrame();
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFillPaint(Paint::ImagePattern(20, 30, 40, 20, 0, layer->Image(), 1));
        v.BeginPath();
        v.Rect(20, 30, 40, 20);
        v.Fill();
      });
  ExpectPixel(*harness, 22, 31, {1, 0, 0, 1}, kQuantum, "layer top-left");
  EXPECT_NEAR(harness->Alpha(22, 48), 0.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(50, 40), 0.0f, kQuantum);
  layer.reset();
}

TEST_F(PaintTest, ImagesFromEncodedBytesFilesAndRawPixels)
{
  VectorRenderer& r = harness->Renderer();
  // A 3 x 2 PNG of known colours, encoded independently of the decoder.
  const std::uint8_t pixels[3 * 2 * 4] = {255, 0,   0,   255, 0,  255, 0,  255, 0, 0, 255, 255,
                                          255, 255, 255, 255, 10, 20,  30, 128, 0, 0, 0,   0};
  std::vector<std::uint8_t> png;
  ASSERT_NE(stbi_write_png_to_func(&AppendBytes, &png, 3, 2, 4, pixels, 3 * 4), 0);
  const int fromMemory = r.CreateImageFromMemory(png.data(), png.size(), kImageNearest);
  ASSERT_NE(fromMemory, 0);
  int w = 0, h = 0;
  ASSERT_TRUE(r.ImageSize(fromMemory, w, h));
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);

  const char* path = "render_test_image.png";
  ASSERT_NE(stbi_write_png(path, 3, 2, 4, pixels, 3 * 4), 0);
  const int fromFile = r.CreateImageFromFile(path, kImageNearest);
  std::remove(path);
  ASSERT_NE(fromFile, 0);
  const int raw = r.CreateImageRgba(3, 2, kImageNearest, pixels);
  ASSERT_NE(raw, 0);

  for (const int image : {fromMemory, fromFile, raw})
  {
    harness->Render(
        [&](VectorRenderer& v)
        {
          v.SetFillPaint(Paint::ImagePattern(Transform{10, 0, 0, 10, 0, 0}, 3, 2, image, 1));
          v.BeginPath();
          v.Rect(0, 0, 30, 20);
          v.Fill();
        });
    for (int i = 0; i < 6; ++i)
    {
      const int x = (i % 3) * 10 + 5, y = (i / 3) * 10 + 5;
      const float a = pixels[i * 4 + 3] / 255.0f;
      ExpectPixel(*harness, x, y,
                  {pixels[i * 4] / 255.0f * a, pixels[i * 4 + 1] / 255.0f * a,
                   pixels[i * 4 + 2] / 255.0f * a, a},
                  kQuantum, "texel");
    }
  }

  // JPEG is lossy: a flat colour comes back within a few levels.
  std::vector<std::uint8_t> flat(16 * 16 * 3);
  for (std::size_t i = 0; i < flat.size(); i += 3)
  {
    flat[i] = 200;
    flat[i + 1] = 100;
    flat[i + 2] = 50;
  }
  std::vector<std::uint8_t> jpeg;
  ASSERT_NE(stbi_write_jpg_to_func(&AppendBytes, &jpeg, 16, 16, 3, flat.data(), 95), 0);
  const int fromJpeg = r.CreateImageFromMemory(jpeg.data(), jpeg.size(), 0);
  ASSERT_NE(fromJpeg, 0);
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFillPaint(Paint::ImagePattern(0, 0, 16, 16, 0, fromJpeg, 1));
        v.BeginPath();
        v.Rect(0, 0, 16, 16);
        v.Fill();
      });
  ExpectPixel(*harness, 8, 8, {200 / 255.0f, 100 / 255.0f, 50 / 255.0f, 1}, 4.0f / 255.0f, "jpeg");

  // Failures answer 0 and leave nothing behind.
  const std::uint8_t garbage[] = {0x89, 'P', 'N', 'G', 1, 2, 3, 4, 5};
  EXPECT_EQ(r.CreateImageFromMemory(garbage, sizeof(garbage), 0), 0);
  EXPECT_EQ(r.CreateImageFromMemory(nullptr, 0, 0), 0);
  EXPECT_EQ(r.CreateImageFromFile("no/such/picture.png", 0), 0);
  EXPECT_EQ(r.CreateImageRgba(0, 5, 0, pixels), 0);

  for (const int image : {fromMemory, fromFile, raw, fromJpeg})
  {
    r.DeleteImage(image);
    EXPECT_FALSE(r.ImageSize(image, w, h));
  }
}

TEST_F(PaintTest, ImagesOffTheTexelGridStillInterpolate)
{
  // Two texels, black and white; drawn one texel per pixel but half a pixel to
  // the right, each pixel centre falls between them.
  const std::uint8_t texels[8] = {0, 0, 0, 255, 255, 255, 255, 255};
  VectorRenderer& r = harness->Renderer();
  const int image = r.CreateImageRgba(2, 1, 0, texels);
  ASSERT_NE(image, 0);
  for (const float offset : {0.0f, 0.5f})
  {
    harness->Render(
        [&](VectorRenderer& v)
        {
          v.SetFillPaint(Paint::ImagePattern(10 + offset, 10, 2, 1, 0, image, 1));
          v.BeginPath();
          v.Rect(0, 0, 40, 40);
          v.Fill();
        });
    if (offset == 0.0f)
    {
      EXPECT_NEAR(harness->At(10, 10, 0), 0.0f, kQuantum);
      EXPECT_NEAR(harness->At(11, 10, 0), 1.0f, kQuantum);
    }
    else
      EXPECT_NEAR(harness->At(11, 10, 0), 0.5f, kQuantum);
  }
  r.DeleteImage(image);
}

TEST_F(PaintTest, RepeatingImagesTileAndClampedOnesStretchTheirEdge)
{
  // 2 x 2 texels: red, green / blue, white.
  const std::uint8_t texels[16] = {255, 0, 0,   255, 0,   255, 0,   255,
                                   0,   0, 255, 255, 255, 255, 255, 255};
  VectorRenderer& r = harness->Renderer();
  const int tiled = r.CreateImageRgba(2, 2, kImageNearest | kImageRepeatX | kImageRepeatY, texels);
  const int clamped = r.CreateImageRgba(2, 2, kImageNearest, texels);
  ASSERT_NE(tiled, 0);
  ASSERT_NE(clamped, 0);
  // Each texel 4 x 4 pixels; the pattern's tile is 8 x 8 at (0, 0).
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFillPaint(Paint::ImagePattern(Transform{4, 0, 0, 4, 0, 0}, 2, 2, tiled, 1));
        v.BeginPath();
        v.Rect(0, 0, 40, 40);
        v.Fill();
        v.SetFillPaint(Paint::ImagePattern(Transform{4, 0, 0, 4, 50, 0}, 2, 2, clamped, 1));
        v.BeginPath();
        v.Rect(50, 0, 40, 40);
        v.Fill();
      });
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
    {
      const int texel = ((y / 4) % 2) * 2 + (x / 4) % 2;
      for (int c = 0; c < 3; ++c)
        ASSERT_NEAR(harness->At(x, y, c), texels[texel * 4 + c] / 255.0f, kQuantum)
            << x << "," << y;
    }
  // Beyond the clamped image's tile its last column and row continue.
  ExpectPixel(*harness, 80, 2, {0, 1, 0, 1}, kQuantum, "clamped right edge");
  ExpectPixel(*harness, 80, 30, {1, 1, 1, 1}, kQuantum, "clamped corner");
  r.DeleteImage(tiled);
  r.DeleteImage(clamped);
}

TEST_F(PaintTest, ScissorEdgesBetweenPixelsAreSoftened)
{
  harness->Render(
      [](VectorRenderer& r)
      {
        r.Scissor(10.5f, 10, 20, 20.25f); // x 10.5 .. 30.5, y 10 .. 30.25
        r.SetFillColor(Color::Rgba(1, 1, 1, 1));
        FillWhole(r, 100, 100);
      });
  EXPECT_NEAR(harness->Alpha(10, 20), 0.5f, kQuantum);
  EXPECT_NEAR(harness->Alpha(11, 20), 1.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(30, 20), 0.5f, kQuantum);
  EXPECT_NEAR(harness->Alpha(31, 20), 0.0f, kQuantum);
  EXPECT_NEAR(harness->Alpha(20, 30), 0.25f, kQuantum);
  EXPECT_NEAR(harness->Alpha(20, 9), 0.0f, kQuantum);
  EXPECT_NEAR(harness->TotalAlpha(), 20.0 * 20.25, 0.5);
}

TEST_F(PaintTest, FramebufferDestroyedDuringAFrameStillPaintsThatFrame)
{
  VectorRenderer& r = harness->Renderer();
  std::unique_ptr<Framebuffer> layer = r.CreateFramebuffer(20, 20, 0);
  ASSERT_TRUE(layer);
  r.BindFramebuffer(*layer);
  r.SetViewport(0, 0, 20, 20);
  r.ClearTarget(0, 0, 1, 1); // opaque blue, premultiplied
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFillPaint(Paint::ImagePattern(10, 10, 20, 20, 0, layer->Image(), 1));
        v.BeginPath();
        v.Rect(10, 10, 20, 20);
        v.Fill();
        const int image = layer->Image();
        layer.reset(); // the texture must survive until the frame is sent
        int w = 0, h = 0;
        EXPECT_TRUE(v.ImageSize(image, w, h));
      });
  ExpectPixel(*harness, 20, 20, {0, 0, 1, 1}, kQuantum, "destroyed layer");
}

TEST_F(PaintTest, RotatedImagePatternTurnsAboutItsOrigin)
{
  // Black then white along the image's x axis; turned a quarter clockwise its x
  // axis points down the screen: paint (px, py) lands on (20 - py, 10 + px).
  const std::uint8_t texels[8] = {0, 0, 0, 255, 255, 255, 255, 255};
  VectorRenderer& r = harness->Renderer();
  const int image = r.CreateImageRgba(2, 1, kImageNearest, texels);
  ASSERT_NE(image, 0);
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFillPaint(Paint::ImagePattern(20, 10, 8, 4, 0.5f * 3.14159265f, image, 1));
        v.BeginPath();
        v.Rect(16, 10, 4, 8);
        v.Fill();
      });
  ExpectPixel(*harness, 18, 11, {0, 0, 0, 1}, kQuantum, "first texel");
  ExpectPixel(*harness, 18, 16, {1, 1, 1, 1}, kQuantum, "second texel");
  r.DeleteImage(image);
}

TEST_F(PaintTest, RegionRedrawIntoAKeptBackingStoreChangesOnlyThatRegion)
{
  // The drawing back end's pattern: a backing framebuffer keeps last frame's
  // pixels, a frame repaints one scissored region, and the whole backing store
  // is copied to the target at pixel ratio 2.
  VectorRenderer& r = harness->Renderer();
  std::unique_ptr<Framebuffer> backing = r.CreateFramebuffer(100, 100, 0);
  ASSERT_TRUE(backing);
  const auto paint = [&](float x, float y, float w, float h, Color color)
  {
    r.BindFramebuffer(*backing);
    r.SetViewport(0, 0, 100, 100);
    r.BeginFrame(50, 50, 2);
    r.Scissor(x, y, w, h);
    r.SetFillColor(color);
    r.BeginPath();
    r.Rect(0, 0, 50, 50);
    r.Fill();
    r.EndFrame();
  };
  r.BindFramebuffer(*backing);
  r.ClearTarget(0, 0, 0, 0);
  paint(0, 0, 50, 50, Color::Rgba(1, 0, 0, 1));
  paint(10, 10, 5, 5, Color::Rgba(0, 0, 1, 1)); // points 10..15 = pixels 20..30
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFillPaint(Paint::ImagePattern(0, 0, 50, 50, 0, backing->Image(), 1));
        v.BeginPath();
        v.Rect(0, 0, 50, 50);
        v.Fill();
      },
      2.0f);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
    {
      const bool region = x >= 20 && x < 30 && y >= 20 && y < 30;
      ASSERT_NEAR(harness->At(x, y, 0), region ? 0.0f : 1.0f, kQuantum) << x << "," << y;
      ASSERT_NEAR(harness->At(x, y, 2), region ? 1.0f : 0.0f, kQuantum) << x << "," << y;
    }
}
