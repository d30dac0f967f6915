#include "IGraphics/Drawing/FontCollection.h"

#include "IGraphics/Drawing/RendererTypes.h"
#include "IGraphics/Drawing/Utf8Decoder.h"

#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace igraphics
{

namespace
{
constexpr int kInitialAtlasSize = 512;
constexpr int kMaxAtlasSize = 4096;
} // namespace

struct FontCollection::Font
{
  std::string name;
  stbtt_fontinfo info{};
  int ascent = 0;
  int descent = 0;
  int lineGap = 0;
};

FontCollection::FontCollection() : atlas_(kInitialAtlasSize, kInitialAtlasSize, kMaxAtlasSize) {}

FontCollection::~FontCollection() = default;

int FontCollection::AddFont(const char* name, const std::uint8_t* data, std::size_t size,
                            int faceIndex)
{
  // The header (12 bytes) must be there before the font tables can be read.
  if (!name || !data || size < 12 || faceIndex < 0) return -1;
  const int faces = stbtt_GetNumberOfFonts(data);
  if (faceIndex >= std::max(faces, 1)) return -1;
  const int offset = stbtt_GetFontOffsetForIndex(data, faceIndex);
  if (offset < 0 || static_cast<std::size_t>(offset) + 12 > size) return -1;
  auto font = std::make_unique<Font>();
  font->name = name;
  if (!stbtt_InitFont(&font->info, data, offset)) return -1;
  stbtt_GetFontVMetrics(&font->info, &font->ascent, &font->descent, &font->lineGap);
  if (font->ascent - font->descent <= 0) return -1;
  fonts_.push_back(std::move(font));
  return static_cast<int>(fonts_.size()) - 1;
}

int FontCollection::Find(const char* name) const
{
  if (!name) return -1;
  for (std::size_t i = 0; i < fonts_.size(); ++i)
    if (fonts_[i]->name == name) return static_cast<int>(i);
  return -1;
}

bool FontCollection::IsValid(int font) const
{
  return font >= 0 && static_cast<std::size_t>(font) < fonts_.size();
}

bool FontCollection::VerticalMetrics(int font, float size, float& ascender, float& descender,
                                     float& lineHeight) const
{
  if (!IsValid(font)) return false;
  const Font& f = *fonts_[static_cast<std::size_t>(font)];
  const float scale = size / static_cast<float>(f.ascent - f.descent);
  ascender = f.ascent * scale;
  descender = f.descent * scale;
  lineHeight = (f.ascent - f.descent + f.lineGap) * scale;
  return true;
}

void FontCollection::StartFrame()
{
  if (!atlasFull_) return;
  atlasFull_ = false;
  glyphs_.clear();
  atlas_.Reset();
}

float FontCollection::Measure(int font, float size, int align, float x, float y, const char* text,
                              const char* end, float* bounds) const
{
  return const_cast<FontCollection*>(this)->Walk(font, size, align, x, y, text, end, bounds, 1.0f,
                                                 nullptr);
}

float FontCollection::Layout(int font, float size, float pixelRatio, int align, float x, float y,
                             const char* text, const char* end, std::vector<TextQuad>& quads)
{
  return Walk(font, size, align, x, y, text, end, nullptr, pixelRatio, &quads);
}

const FontCollection::Glyph* FontCollection::RasterisedGlyph(const Font& font, int fontId,
                                                             int glyph, float pixelSize)
{
  const auto sizeKey = static_cast<std::uint64_t>(std::lround(pixelSize * 16.0f)) & 0xFFFFFF;
  const std::uint64_t key = (static_cast<std::uint64_t>(fontId) << 48) |
                            (static_cast<std::uint64_t>(glyph & 0xFFFFFF) << 24) | sizeKey;
  const auto found = glyphs_.find(key);
  if (found != glyphs_.end()) return &found->second;
  const float scale = pixelSize / static_cast<float>(font.ascent - font.descent);
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  stbtt_GetGlyphBitmapBox(&font.info, glyph, scale, scale, &x0, &y0, &x1, &y1);
  Glyph g;
  g.offsetX = x0;
  g.offsetY = y0;
  const int w = x1 - x0;
  const int h = y1 - y0;
  if (w > 0 && h > 0 && !atlas_.Allocate(w, h, g.x, g.y))
  {
    // Not drawn in this frame, and not remembered as empty either. Only a glyph
    // that would fit an empty atlas is worth starting afresh for.
    atlasFull_ = atlasFull_ || (w < kMaxAtlasSize && h < kMaxAtlasSize);
    static const Glyph kMissing;
    return &kMissing;
  }
  if (w > 0 && h > 0)
  {
    g.w = w;
    g.h = h;
    stbtt_MakeGlyphBitmap(&font.info, atlas_.Row(g.x, g.y), w, h, atlas_.Width(), scale, scale,
                          glyph);
    atlas_.MarkDirty(g.x, g.y, w, h);
  }
  return &glyphs_.emplace(key, g).first->second;
}

float FontCollection::Walk(int font, float size, int align, float x, float y, const char* text,
                           const char* end, float* bounds, float pixelRatio,
                           std::vector<TextQuad>* quads)
{
  if (bounds) bounds[0] = bounds[1] = bounds[2] = bounds[3] = 0.0f;
  if (!IsValid(font) || !text || size <= 0.0f) return 0.0f;
  if (!end) end = text + std::char_traits<char>::length(text);
  const Font& f = *fonts_[static_cast<std::size_t>(font)];
  const float scale = size / static_cast<float>(f.ascent - f.descent);

  // First pass: advance, needed to place centred and right-aligned text.
  float advance = 0.0f;
  {
    Utf8Decoder decoder(text, end);
    int previous = 0;
    while (!decoder.AtEnd())
    {
      const int glyph = stbtt_FindGlyphIndex(&f.info, static_cast<int>(decoder.Next()));
      int glyphAdvance = 0, lsb = 0;
      stbtt_GetGlyphHMetrics(&f.info, glyph, &glyphAdvance, &lsb);
      if (previous) advance += stbtt_GetGlyphKernAdvance(&f.info, previous, glyph) * scale;
      advance += glyphAdvance * scale;
      previous = glyph;
    }
  }
  float startX = x;
  if (align & kAlignCenter)
    startX = x - 0.5f * advance;
  else if (align & kAlignRight)
    startX = x - advance;
  const float ascender = f.ascent * scale;
  const float descender = f.descent * scale;
  float baseline = y;
  if (align & kAlignTop)
    baseline = y + ascender;
  else if (align & kAlignMiddle)
    baseline = y + 0.5f * (ascender + descender);
  else if (align & kAlignBottom)
    baseline = y + descender;

  float minX = startX, maxX = startX + advance;
  float minY = baseline - ascender, maxY = baseline - descender;
  const float pixelSize = size * pixelRatio;
  Utf8Decoder decoder(text, end);
  int previous = 0;
  float pen = startX;
  while (!decoder.AtEnd())
  {
    const int glyph = stbtt_FindGlyphIndex(&f.info, static_cast<int>(decoder.Next()));
    if (previous) pen += stbtt_GetGlyphKernAdvance(&f.info, previous, glyph) * scale;
    if (bounds)
    {
      int bx0 = 0, by0 = 0, bx1 = 0, by1 = 0;
      if (stbtt_GetGlyphBox(&f.info, glyph, &bx0, &by0, &bx1, &by1) && bx1 > bx0 && by1 > by0)
      {
        // Font units point up; the screen's y points down.
        minX = std::min(minX, pen + bx0 * scale);
        maxX = std::max(maxX, pen + bx1 * scale);
        minY = std::min(minY, baseline - by1 * scale);
        maxY = std::max(maxY, baseline - by0 * scale);
      }
    }
    if (quads)
    {
      const Glyph* g = RasterisedGlyph(f, font, glyph, pixelSize);
      if (g->w > 0)
      {
        TextQuad q;
        q.x0 = pen + g->offsetX / pixelRatio;
        q.y0 = baseline + g->offsetY / pixelRatio;
        q.x1 = q.x0 + g->w / pixelRatio;
        q.y1 = q.y0 + g->h / pixelRatio;
        q.s0 = static_cast<float>(g->x);
        q.t0 = static_cast<float>(g->y);
        q.s1 = static_cast<float>(g->x + g->w);
        q.t1 = static_cast<float>(g->y + g->h);
        quads->push_back(q);
      }
    }
    int glyphAdvance = 0, lsb = 0;
    stbtt_GetGlyphHMetrics(&f.info, glyph, &glyphAdvance, &lsb);
    pen += glyphAdvance * scale;
    previous = glyph;
  }
  if (bounds)
  {
    bounds[0] = minX;
    bounds[1] = minY;
    bounds[2] = maxX;
    bounds[3] = maxY;
  }
  return advance;
}

} // namespace igraphics
