#pragma once

#include "IGraphics/Drawing/GlyphAtlas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace igraphics
{

// One glyph's rectangle in user units and its texels in the atlas.
struct TextQuad
{
  float x0, y0, x1, y1;
  float s0, t0, s1, t1;
};

// The fonts of one renderer context and the glyphs rasterised from them. Font
// bytes are borrowed: the caller keeps them alive and unchanged for as long as
// the collection exists. A font's size is the distance from its descender to
// its ascender.
class FontCollection
{
public:
  FontCollection();
  ~FontCollection();
  FontCollection(const FontCollection&) = delete;
  FontCollection& operator=(const FontCollection&) = delete;

  // Returns the new font's id, or -1 when the bytes hold no font at that face index.
  int AddFont(const char* name, const std::uint8_t* data, std::size_t size, int faceIndex);
  int Find(const char* name) const;
  bool IsValid(int font) const;

  bool VerticalMetrics(int font, float size, float& ascender, float& descender,
                       float& lineHeight) const;
  // Lays the text out anchored at (x, y) by `align` (TextAlign flags). Returns the
  // horizontal advance; `bounds` (if given) receives minX, minY, maxX, maxY of the
  // union of the line box and the glyphs' outlines. An unknown font gives 0 and
  // zero bounds.
  float Measure(int font, float size, int align, float x, float y, const char* text,
                const char* end, float* bounds) const;
  // As Measure, and appends one quad per visible glyph, rasterising glyphs not yet
  // in the atlas at size x pixelRatio.
  float Layout(int font, float size, float pixelRatio, int align, float x, float y,
               const char* text, const char* end, std::vector<TextQuad>& quads);

  GlyphAtlas& Atlas() { return atlas_; }
  // Called as a frame begins: when the atlas ran full in an earlier frame, all
  // glyphs are dropped so that the new frame rasterises only what it uses.
  void StartFrame();

private:
  struct Font;
  struct Glyph
  {
    int x = 0, y = 0, w = 0, h = 0; // texels in the atlas
    int offsetX = 0, offsetY = 0;   // of the bitmap from the pen, in pixels
  };
  float Walk(int font, float size, int align, float x, float y, const char* text, const char* end,
             float* bounds, float pixelRatio, std::vector<TextQuad>* quads);
  const Glyph* RasterisedGlyph(const Font& font, int fontId, int glyph, float pixelSize);

  std::vector<std::unique_ptr<Font>> fonts_;
  std::unordered_map<std::uint64_t, Glyph> glyphs_;
  GlyphAtlas atlas_;
  bool atlasFull_ = false;
};

} // namespace igraphics
