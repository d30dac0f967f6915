#include "RenderTestFixture.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

using namespace igraphics;

namespace
{

const char* const kRobotoPath =
    "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf";

std::vector<std::uint8_t> ReadFile(const char* path)
{
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Bounds of ASCII text written straight from the font's tables: the line box
// (ascender to descender, which spans `size`) joined with every glyph's outline
// box, the pen advancing by advance widths and kerning.
struct Expected
{
  float advance;
  float bounds[4];
};

Expected ExpectedBounds(const std::vector<std::uint8_t>& font, float size, float x, float baseline,
                        const char* text)
{
  stbtt_fontinfo info;
  stbtt_InitFont(&info, font.data(), stbtt_GetFontOffsetForIndex(font.data(), 0));
  int ascent, descent, gap;
  stbtt_GetFontVMetrics(&info, &ascent, &descent, &gap);
  const float scale = stbtt_ScaleForPixelHeight(&info, size);
  Expected e{};
  float pen = x;
  e.bounds[0] = x;
  e.bounds[1] = baseline - ascent * scale;
  e.bounds[3] = baseline - descent * scale;
  for (const char* p = text; *p; ++p)
  {
    if (p != text) pen += stbtt_GetCodepointKernAdvance(&info, p[-1], *p) * scale;
    int x0, y0, x1, y1;
    if (stbtt_GetCodepointBox(&info, *p, &x0, &y0, &x1, &y1))
    {
      e.bounds[0] = std::min(e.bounds[0], pen + x0 * scale);
      e.bounds[2] = std::max(e.bounds[2], pen + x1 * scale);
      e.bounds[1] = std::min(e.bounds[1], baseline - y1 * scale);
      e.bounds[3] = std::max(e.bounds[3], baseline - y0 * scale);
    }
    int advance, lsb;
    stbtt_GetCodepointHMetrics(&info, *p, &advance, &lsb);
    pen += advance * scale;
  }
  e.advance = pen - x;
  e.bounds[2] = std::max(e.bounds[2], pen);
  return e;
}

} // namespace

class TextTest : public RenderTestFixture<200, 60>
{
protected:
  void SetUp() override
  {
    RenderTestFixture::SetUp();
    roboto = ReadFile(kRobotoPath);
    ASSERT_GT(roboto.size(), 1000u) << "fonts-roboto-unhinted is missing: " << kRobotoPath;
    font =
        harness->Renderer().CreateFontFromMemory("Roboto-Regular", roboto.data(), roboto.size(), 0);
    ASSERT_GE(font, 0);
  }

  std::vector<std::uint8_t> roboto;
  int font = -1;
};

TEST_F(TextTest, BoundsAt14PixelsAgreeWithTheFontMetrics)
{
  VectorRenderer& r = harness->Renderer();
  const char* text = "Drive 42% AVAfij";
  const Expected e = ExpectedBounds(roboto, 14.0f, 10.0f, 30.0f, text);
  r.SetFontFace(font);
  r.SetFontSize(14.0f);
  r.SetTextAlign(kAlignLeft | kAlignBaseline);
  float bounds[4];
  EXPECT_NEAR(r.TextBounds(10, 30, text, nullptr, bounds), e.advance, 1e-3f);
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR(bounds[i], e.bounds[i], 1e-3f) << "bound " << i;
  EXPECT_NEAR(e.bounds[3] - e.bounds[1], 14.0f, 1.5f); // line box spans the size

  float ascender, descender, lineHeight;
  ASSERT_TRUE(r.TextMetrics(ascender, descender, lineHeight));
  EXPECT_NEAR(ascender - descender, 14.0f, 1e-4f);
  EXPECT_GE(lineHeight, ascender - descender);

  // Alignment moves the anchor: right puts the advance's end at x, middle
  // puts the line box's centre at y, top its top, bottom its bottom.
  const float lineTop = 30.0f - ascender, lineBottom = 30.0f - descender;
  float aligned[4];
  r.SetTextAlign(kAlignRight | kAlignTop);
  r.TextBounds(100, 20, text, nullptr, aligned);
  EXPECT_NEAR(aligned[0], bounds[0] + 90.0f - e.advance, 1e-3f);
  EXPECT_NEAR(aligned[1], 20.0f - (lineTop - bounds[1]), 1e-3f);
  r.SetTextAlign(kAlignCenter | kAlignMiddle);
  r.TextBounds(100, 20, text, nullptr, aligned);
  EXPECT_NEAR(aligned[0], bounds[0] + 90.0f - 0.5f * e.advance, 1e-3f);
  EXPECT_NEAR(aligned[1] + (lineTop - bounds[1]) + 0.5f * (lineBottom - lineTop), 20.0f, 1e-3f);
  r.SetTextAlign(kAlignLeft | kAlignBottom);
  r.TextBounds(10, 20, text, nullptr, aligned);
  EXPECT_NEAR(aligned[3] - (bounds[3] - lineBottom), 20.0f, 1e-3f);
}

TEST_F(TextTest, DrawnTextCoversPixelsInsideItsBoundsOnly)
{
  for (const float ratio : {1.0f, 2.0f})
  {
    VectorRenderer& r = harness->Renderer();
    const char* text = "Drive 42%";
    float bounds[4];
    float end = 0;
    harness->Render(
        [&](VectorRenderer& v)
        {
          v.SetFontFace(font);
          v.SetFontSize(14.0f);
          v.SetTextAlign(kAlignLeft | kAlignMiddle);
          v.SetFillColor(Color::Rgba(0, 0, 0, 1));
          v.TextBounds(12.3f, 15.0f, text, nullptr, bounds);
          end = v.Text(12.3f, 15.0f, text, nullptr);
        },
        ratio);
    (void)r;
    EXPECT_NEAR(end, 12.3f + r.TextBounds(0, 0, text, nullptr, nullptr), 1e-3f);
    double inside = 0;
    // Pixels are device pixels; bounds are frame units.
    for (int y = 0; y < harness->Height(); ++y)
      for (int x = 0; x < harness->Width(); ++x)
      {
        const float a = harness->Alpha(x, y);
        const bool within = x + 1 > bounds[0] * ratio - 1 && x < bounds[2] * ratio + 1 &&
                            y + 1 > bounds[1] * ratio - 1 && y < bounds[3] * ratio + 1;
        if (!within)
          ASSERT_LT(a, 0.02f) << "ratio " << ratio << " pixel " << x << "," << y;
        else
          inside += a;
      }
    // Ink covers a fair share of the box, scaling with the pixel area.
    const double boxArea = (bounds[2] - bounds[0]) * (bounds[3] - bounds[1]) * ratio * ratio;
    EXPECT_GT(inside, 0.1 * boxArea) << "ratio " << ratio;
    EXPECT_LT(inside, 0.6 * boxArea) << "ratio " << ratio;
    // Crisp at every ratio: some pixels are fully covered.
    int solid = 0;
    for (int y = 0; y < harness->Height(); ++y)
      for (int x = 0; x < harness->Width(); ++x)
        solid += harness->Alpha(x, y) > 0.98f;
    EXPECT_GT(solid, 10 * ratio * ratio) << "ratio " << ratio;
  }
}

TEST_F(TextTest, FontsAreFoundByNameAndBadFontDataIsRefused)
{
  VectorRenderer& r = harness->Renderer();
  EXPECT_EQ(r.FindFont("Roboto-Regular"), font);
  EXPECT_EQ(r.FindFont("Missing"), -1);
  r.SetFontSize(14);
  r.SetFontFace("Roboto-Regular");
  EXPECT_GT(r.TextBounds(0, 0, "abc", nullptr, nullptr), 10.0f);
  r.SetFontFace("Missing");
  EXPECT_EQ(r.TextBounds(0, 0, "abc", nullptr, nullptr), 0.0f);
  // A single-face file has no face 1.
  EXPECT_EQ(r.CreateFontFromMemory("Face1", roboto.data(), roboto.size(), 1), -1);
  EXPECT_EQ(r.CreateFontFromMemory("Negative", roboto.data(), roboto.size(), -1), -1);
  const std::uint8_t garbage[64] = {1, 2, 3};
  EXPECT_EQ(r.CreateFontFromMemory("Garbage", garbage, sizeof(garbage), 0), -1);
  EXPECT_EQ(r.CreateFontFromMemory("Short", roboto.data(), 4, 0), -1);
  EXPECT_EQ(r.FindFont("Garbage"), -1);
  // Unknown font ids measure as nothing.
  r.SetFontFace(42);
  float bounds[4] = {1, 2, 3, 4};
  EXPECT_EQ(r.TextBounds(5, 5, "abc", nullptr, bounds), 0.0f);
  for (const float b : bounds)
    EXPECT_EQ(b, 0.0f);
}

TEST_F(TextTest, ManyGlyphSizesGrowTheAtlasWithoutLosingEarlierGlyphs)
{
  const char* text = "The quick brown fox jumps over 0123456789";
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFontFace(font);
        v.SetFillColor(Color::Rgba(0, 0, 0, 1));
        v.SetTextAlign(kAlignLeft | kAlignTop);
        v.SetFontSize(12);
        v.Text(2, 2, text, nullptr);
      });
  std::vector<float> first;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 200; ++x)
      first.push_back(harness->Alpha(x, y));
  harness->Render(
      [&](VectorRenderer& v)
      {
        v.SetFontFace(font);
        v.SetFillColor(Color::Rgba(0, 0, 0, 1));
        v.SetTextAlign(kAlignLeft | kAlignTop);
        // Enough large glyphs to overflow a 512 x 512 atlas.
        for (float size = 40; size < 160; size += 6)
        {
          v.SetFontSize(size);
          v.Text(2, 30, text, nullptr);
        }
        v.SetFontSize(12);
        v.Text(2, 2, text, nullptr);
      });
  int differing = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 200; ++x)
      differing +=
          std::fabs(harness->Alpha(x, y) - first[static_cast<std::size_t>(y * 200 + x)]) > 0.02f;
  EXPECT_EQ(differing, 0);
}
