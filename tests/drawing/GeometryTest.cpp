#include "IGraphics/Drawing/DecodedImage.h"
#include "IGraphics/Drawing/GlyphAtlas.h"
#include "IGraphics/Drawing/PathTessellator.h"
#include "IGraphics/Drawing/Transform.h"
#include "IGraphics/Drawing/Utf8Decoder.h"

#include <gtest/gtest.h>

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace igraphics;

namespace
{
constexpr float kPi = 3.14159265358979323846f;
}

TEST(Transform, ThenAppliesTheArgumentFirst)
{
  const Transform scale = Transform::Scaling(2, 3);
  const Transform move = Transform::Translation(10, 20);
  float x, y;
  move.Then(scale).Apply(1, 1, x, y); // scale, then move
  EXPECT_FLOAT_EQ(x, 12);
  EXPECT_FLOAT_EQ(y, 23);
  scale.Then(move).Apply(1, 1, x, y); // move, then scale
  EXPECT_FLOAT_EQ(x, 22);
  EXPECT_FLOAT_EQ(y, 63);
}

TEST(Transform, RotationTurnsClockwiseOnAYDownScreenAndInverseUndoesAnything)
{
  float x, y;
  Transform::Rotation(0.5f * kPi).Apply(1, 0, x, y);
  EXPECT_NEAR(x, 0, 1e-6);
  EXPECT_NEAR(y, 1, 1e-6); // +x turns towards +y (down)
  const Transform t{1.5f, 0.3f, -0.7f, 2.0f, 5.0f, -3.0f};
  Transform inverse;
  ASSERT_TRUE(t.Inverse(inverse));
  float px, py;
  inverse.Then(t).Apply(4, -9, px, py);
  EXPECT_NEAR(px, 4, 1e-4);
  EXPECT_NEAR(py, -9, 1e-4);
  Transform none;
  const Transform singular{1, 2, 2, 4, 0, 0};
  EXPECT_FALSE(singular.Inverse(none));
  EXPECT_EQ(none, Transform::Identity());
  EXPECT_NEAR(Transform::Scaling(2, 4).AverageScale(), 3.0f, 1e-6);
}

TEST(PathTessellator, FlattenedCurvesStayWithinTolerance)
{
  // A cubic approximating a quarter circle of radius 100 (its own error is
  // about 0.027 units), flattened with tolerance 0.25.
  const float r = 100.0f, k = 0.5522847493f * r;
  PathTessellator path;
  path.MoveTo(r, 0);
  path.BezierTo(r, k, k, r, 0, r);
  path.Flatten(0.25f, 0.01f);
  ASSERT_EQ(path.Contours().size(), 1u);
  const auto& points = path.Points();
  ASSERT_GT(points.size(), 4u);
  for (std::size_t i = 0; i + 1 < points.size(); ++i)
  {
    const float mx = 0.5f * (points[i].x + points[i + 1].x);
    const float my = 0.5f * (points[i].y + points[i + 1].y);
    // Chord midpoints lie inside the arc by at most the tolerance.
    EXPECT_LT(r - std::sqrt(mx * mx + my * my), 0.25f + 0.03f);
    EXPECT_NEAR(std::hypot(points[i].x, points[i].y), r, 0.03f);
  }
}

TEST(PathTessellator, ClosingContoursAndWindings)
{
  PathTessellator path;
  path.MoveTo(0, 0);
  path.LineTo(10, 0);
  path.LineTo(10, 10);
  path.LineTo(0, 0); // returns to its start: closed, without a repeated point
  path.MoveTo(20, 0);
  path.LineTo(30, 0);
  path.LineTo(30, 10);
  path.Close();
  path.SetWinding(PathWinding::Hole);
  path.LineTo(40, 40); // a new contour from the closed one's start
  path.Flatten(0.25f, 0.01f);
  const auto& contours = path.Contours();
  ASSERT_EQ(contours.size(), 3u);
  EXPECT_TRUE(contours[0].closed);
  EXPECT_EQ(contours[0].count, 3);
  EXPECT_TRUE(contours[1].closed);
  EXPECT_EQ(contours[1].winding, PathWinding::Hole);
  EXPECT_FALSE(contours[2].closed);
  ASSERT_EQ(contours[2].count, 2);
  EXPECT_FLOAT_EQ(path.Points()[static_cast<std::size_t>(contours[2].first)].x, 20);
}

TEST(PathTessellator, OnlyASingleConvexSolidContourTakesTheDirectFill)
{
  const auto fill = [](const std::vector<std::pair<float, float>>& pts, PathWinding winding)
  {
    PathTessellator path;
    path.MoveTo(pts[0].first, pts[0].second);
    for (std::size_t i = 1; i < pts.size(); ++i)
      path.LineTo(pts[i].first, pts[i].second);
    path.Close();
    path.SetWinding(winding);
    std::vector<RenderVertex> out;
    FillGeometry g;
    EXPECT_TRUE(path.AppendFill(1.0f, 0.25f, out, g));
    return g;
  };
  EXPECT_TRUE(fill({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, PathWinding::Solid).convex);
  EXPECT_TRUE(fill({{0, 0}, {0, 10}, {10, 10}, {10, 0}}, PathWinding::Solid).convex);
  EXPECT_FALSE(fill({{0, 0}, {10, 0}, {5, 2}, {10, 10}, {0, 10}}, PathWinding::Solid).convex);
  EXPECT_FALSE(fill({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, PathWinding::Hole).convex);
  std::vector<std::pair<float, float>> star;
  for (int k = 0; k < 5; ++k)
    star.push_back({50 * std::cos(k * 4 * kPi / 5), 50 * std::sin(k * 4 * kPi / 5)});
  const FillGeometry g = fill(star, PathWinding::Solid);
  EXPECT_FALSE(g.convex);
  EXPECT_EQ(g.coverCount, 6);
  EXPECT_EQ(g.interiorCount, 3 * 3); // fan of five points
}

TEST(PathTessellator, EmptyAndDegeneratePathsProduceNothing)
{
  PathTessellator path;
  std::vector<RenderVertex> out;
  FillGeometry fill;
  StrokeGeometry stroke;
  EXPECT_FALSE(path.AppendFill(1, 0.25f, out, fill));
  EXPECT_FALSE(path.AppendStroke(1, 0.25f, 1, LineCap::Butt, LineJoin::Miter, 10, out, stroke));
  path.MoveTo(5, 5);
  path.LineTo(5, 5);
  EXPECT_FALSE(path.AppendFill(1, 0.25f, out, fill));
  EXPECT_FALSE(path.AppendStroke(1, 0.25f, 1, LineCap::Round, LineJoin::Miter, 10, out, stroke));
  EXPECT_TRUE(out.empty());
}

TEST(GlyphAtlas, AllocationsNeverOverlapAndSurviveGrowth)
{
  GlyphAtlas atlas(64, 64, 512);
  struct Box
  {
    int x, y, w, h;
    std::uint8_t value;
  };
  std::vector<Box> boxes;
  for (int i = 0; i < 200; ++i)
  {
    Box b{0, 0, 3 + (i * 7) % 20, 4 + (i * 5) % 17, static_cast<std::uint8_t>(1 + i % 250)};
    ASSERT_TRUE(atlas.Allocate(b.w, b.h, b.x, b.y)) << i;
    for (int row = 0; row < b.h; ++row)
      std::fill_n(atlas.Row(b.x, b.y + row), b.w, b.value);
    boxes.push_back(b);
  }
  EXPECT_GT(atlas.Width() * atlas.Height(), 64 * 64);
  EXPECT_LE(atlas.Width(), 512);
  // Each box still holds its own value everywhere: no overlaps, nothing moved.
  for (const Box& b : boxes)
    for (int row = 0; row < b.h; ++row)
      for (int col = 0; col < b.w; ++col)
        ASSERT_EQ(atlas.Pixels()[(b.y + row) * atlas.Width() + b.x + col], b.value);
  int x, y;
  EXPECT_FALSE(atlas.Allocate(600, 10, x, y));
  EXPECT_FALSE(atlas.Allocate(0, 10, x, y));
}

TEST(GlyphAtlas, StopsAtItsMaximumSize)
{
  GlyphAtlas atlas(16, 16, 32);
  int x, y, placed = 0;
  while (atlas.Allocate(7, 7, x, y) && placed < 1000)
    ++placed;
  EXPECT_EQ(placed, 16); // 4 x 4 cells of 8 x 8 (glyph plus gap) in 32 x 32
  EXPECT_EQ(atlas.Width(), 32);
  EXPECT_EQ(atlas.Height(), 32);
}

TEST(Utf8Decoder, DecodesValidTextAndReplacesMalformedSequences)
{
  const auto decode = [](const std::string& s)
  {
    std::vector<std::uint32_t> out;
    Utf8Decoder d(s.data(), s.data() + s.size());
    while (!d.AtEnd())
      out.push_back(d.Next());
    return out;
  };
  EXPECT_EQ(decode("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB8"),
            (std::vector<std::uint32_t>{0x41, 0xE9, 0x20AC, 0x1F3B8}));
  EXPECT_EQ(decode("\x80"), (std::vector<std::uint32_t>{0xFFFD}));
  EXPECT_EQ(decode("\xC0\xAF"), (std::vector<std::uint32_t>{0xFFFD}));     // overlong
  EXPECT_EQ(decode("\xED\xA0\x80"), (std::vector<std::uint32_t>{0xFFFD})); // surrogate
  EXPECT_EQ(decode("\xF4\x90\x80\x80"), (std::vector<std::uint32_t>{0xFFFD}));
  // A truncated sequence at the end never reads past it.
  const std::string truncated = "x\xE2\x82";
  EXPECT_EQ(decode(truncated), (std::vector<std::uint32_t>{0x78, 0xFFFD}));
  // A broken sequence resumes at the byte that broke it.
  EXPECT_EQ(decode("\xE2Z"), (std::vector<std::uint32_t>{0xFFFD, 0x5A}));
}

TEST(DecodedImage, DecodesPngExactlyAndRefusesBadOrHugeData)
{
  const std::uint8_t pixels[2 * 2 * 4] = {1, 2, 3, 4, 50, 60, 70, 80, 255, 0, 255, 255, 9, 9, 9, 0};
  std::vector<std::uint8_t> png;
  stbi_write_png_to_func(
      [](void* ctx, void* data, int size)
      {
        auto* v = static_cast<std::vector<std::uint8_t>*>(ctx);
        v->insert(v->end(), static_cast<std::uint8_t*>(data),
                  static_cast<std::uint8_t*>(data) + size);
      },
      &png, 2, 2, 4, pixels, 8);
  DecodedImage image;
  ASSERT_TRUE(image.Decode(png.data(), png.size()));
  EXPECT_EQ(image.Width(), 2);
  EXPECT_EQ(image.Height(), 2);
  EXPECT_TRUE(std::equal(pixels, pixels + 16, image.Pixels()));
  // Truncated data fails cleanly.
  EXPECT_FALSE(image.Decode(png.data(), png.size() / 2));
  EXPECT_EQ(image.Width(), 0);
  // A header that claims 100000 x 1 pixels is refused before decoding.
  std::vector<std::uint8_t> huge = png;
  huge[16] = 0x00, huge[17] = 0x01, huge[18] = 0x86, huge[19] = 0xA0; // IHDR width
  EXPECT_FALSE(image.Decode(huge.data(), huge.size()));
  EXPECT_FALSE(image.Decode(nullptr, 10));
  EXPECT_FALSE(image.Load("no/such/file.png"));
}

#ifdef _WIN32
#include "IGraphics/Drawing/VectorRenderer.h"

// Links the whole renderer against opengl32 and proves that the loader
// answers a missing context with a reason instead of a crash.
TEST(VectorRenderer, CreationWithoutACurrentContextFailsWithAReason)
{
  std::string error;
  EXPECT_EQ(VectorRenderer::Create(VectorRenderer::kEdgeAntialias, &error), nullptr);
  EXPECT_FALSE(error.empty());
}
#endif

#include "IGraphics/Drawing/GlFunctions.h"

#include <map>

namespace
{

// Hands out a distinct fake address per known name; unknown names give null.
struct FakeDriver
{
  std::map<std::string, int> slots;
  std::vector<std::string> missing;
  std::vector<std::string> asked;

  static void* Lookup(const char* name, void* user)
  {
    auto* driver = static_cast<FakeDriver*>(user);
    driver->asked.push_back(name);
    for (const std::string& m : driver->missing)
      if (m == name) return nullptr;
    int& slot = driver->slots[name];
    return &slot;
  }
};

} // namespace

TEST(GlFunctions, ResolvesEveryEntryPointAndFallsBackToTheExtensionNames)
{
  FakeDriver driver;
  driver.missing = {"glGenFramebuffers", "glBindFramebuffer"};
  GlFunctions gl;
  const char* missing = "unchanged";
  ASSERT_TRUE(gl.Load(&FakeDriver::Lookup, &driver, &missing));
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(gl.GenFramebuffers), &driver.slots["glGenFramebuffersEXT"]);
  EXPECT_EQ(reinterpret_cast<void*>(gl.BindFramebuffer), &driver.slots["glBindFramebufferEXT"]);
  EXPECT_EQ(reinterpret_cast<void*>(gl.StencilOpSeparate), &driver.slots["glStencilOpSeparate"]);
  // Core names are asked for first; the extension only when the core is missing.
  EXPECT_EQ(driver.slots.count("glDeleteFramebuffersEXT"), 0u);
}

TEST(GlFunctions, NamesTheFirstMissingFunction)
{
  FakeDriver driver;
  driver.missing = {"glStencilOpSeparate", "glRenderbufferStorage", "glRenderbufferStorageEXT"};
  GlFunctions gl;
  const char* missing = nullptr;
  EXPECT_FALSE(gl.Load(&FakeDriver::Lookup, &driver, &missing));
  ASSERT_NE(missing, nullptr);
  EXPECT_STREQ(missing, "glStencilOpSeparate");
}

TEST(GlyphAtlas, ResetStartsAfreshAtTheSameSize)
{
  GlyphAtlas atlas(32, 32, 64);
  int x, y;
  while (atlas.Allocate(10, 10, x, y))
    std::fill_n(atlas.Row(x, y), 10, std::uint8_t{7});
  EXPECT_EQ(atlas.Width(), 64);
  atlas.ClearDirty();
  atlas.Reset();
  EXPECT_EQ(atlas.Width(), 64);
  EXPECT_TRUE(atlas.Resized()); // the texture must be made afresh
  EXPECT_TRUE(
      std::all_of(atlas.Pixels(), atlas.Pixels() + 64 * 64, [](std::uint8_t p) { return p == 0; }));
  ASSERT_TRUE(atlas.Allocate(10, 10, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

namespace
{
std::vector<std::uint8_t> Encode(bool jpeg)
{
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> rgb(8 * 8 * 3, 90);
  const auto append = [](void* ctx, void* data, int size)
  {
    auto* v = static_cast<std::vector<std::uint8_t>*>(ctx);
    v->insert(v->end(), static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
  };
  if (jpeg)
    stbi_write_jpg_to_func(append, &out, 8, 8, 3, rgb.data(), 90);
  else
    stbi_write_png_to_func(append, &out, 8, 8, 3, rgb.data(), 24);
  return out;
}
} // namespace

TEST(DecodedImage, RefusesHuffmanTablesThatWouldOverrunTheJpegDecoder)
{
  DecodedImage image;
  const std::vector<std::uint8_t> jpeg = Encode(true);
  ASSERT_TRUE(image.Decode(jpeg.data(), jpeg.size()));
  EXPECT_EQ(image.Width(), 8);

  // A table announcing 300 codes (at most 256 exist), ahead of the frame header.
  std::vector<std::uint8_t> bad = {0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0x3F, 0x00};
  for (int i = 0; i < 14; ++i)
    bad.push_back(0);
  bad.push_back(45);
  bad.push_back(255);
  bad.insert(bad.end(), 300, 0x11);
  bad.push_back(0xFF);
  bad.push_back(0xD9);
  EXPECT_FALSE(image.Decode(bad.data(), bad.size()));
  // The same behind a run of fill bytes before the start marker.
  bad.insert(bad.begin(), {0xFF, 0xFF});
  EXPECT_FALSE(image.Decode(bad.data(), bad.size()));

  // A scan that uses a table no segment defined.
  std::vector<std::uint8_t> noTables;
  for (std::size_t i = 0; i + 1 < jpeg.size();)
  {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC4) // drop every table segment
    {
      i += 2 + ((static_cast<std::size_t>(jpeg[i + 2]) << 8) | jpeg[i + 3]);
      continue;
    }
    noTables.push_back(jpeg[i++]);
    if (i + 1 == jpeg.size()) noTables.push_back(jpeg[i++]);
  }
  ASSERT_LT(noTables.size(), jpeg.size());
  EXPECT_FALSE(image.Decode(noTables.data(), noTables.size()));
  // A file cut off inside a segment.
  EXPECT_FALSE(image.Decode(jpeg.data(), 30));
}

TEST(DecodedImage, RefusesAnEmptyPngDataChunk)
{
  DecodedImage image;
  std::vector<std::uint8_t> png = Encode(false);
  ASSERT_TRUE(image.Decode(png.data(), png.size()));
  // After the signature (8) and the header chunk (25): a chunk of no data.
  const std::uint8_t empty[12] = {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0x35, 0xAF, 0x06, 0x1E};
  png.insert(png.begin() + 33, empty, empty + 12);
  EXPECT_FALSE(image.Decode(png.data(), png.size()));
}

TEST(DecodedImage, RefusesAChunkRunningPastTheEnd)
{
  DecodedImage image;
  std::vector<std::uint8_t> png = Encode(false);
  ASSERT_TRUE(image.Decode(png.data(), png.size()));
  // The decoder would size its buffer from this length before finding the
  // data missing: the first data chunk (after signature and header) claims 2 GiB.
  std::vector<std::uint8_t> huge = png;
  ASSERT_EQ(0, std::memcmp(huge.data() + 37, "IDAT", 4));
  huge[33] = 0x7F;
  huge[34] = huge[35] = huge[36] = 0xFF;
  EXPECT_FALSE(image.Decode(huge.data(), huge.size()));
  // A file cut off inside its last chunk.
  EXPECT_FALSE(image.Decode(png.data(), png.size() - 3));
}
