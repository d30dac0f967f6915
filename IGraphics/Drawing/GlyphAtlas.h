#pragma once

#include <cstdint>
#include <vector>

namespace igraphics
{

// Single-channel coverage image that glyphs are packed into, row by row on
// shelves. When it is full it grows (width and height alternately doubling, up
// to a limit); glyphs keep their texel positions when it grows. Keeps the
// pixels in memory and the region changed since the last upload.
class GlyphAtlas
{
public:
  GlyphAtlas(int width, int height, int maxSize);

  // Reserves a w x h region (plus a one-texel gap). False when the atlas cannot
  // grow any further.
  bool Allocate(int w, int h, int& x, int& y);
  // The allocated region's pixels; rows of `w` bytes at (x, y).
  std::uint8_t* Row(int x, int y)
  {
    return pixels_.data() + static_cast<std::size_t>(y) * width_ + x;
  }
  void MarkDirty(int x, int y, int w, int h);
  // Forgets every allocation and clears the pixels, keeping the size.
  void Reset();

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::uint8_t* Pixels() const { return pixels_.data(); }
  // Whether the texture must be created afresh (it grew) rather than updated.
  bool Resized() const { return resized_; }
  // Rows [dirtyTop, dirtyBottom) changed since the last ClearDirty; empty when equal.
  int DirtyTop() const { return dirtyTop_; }
  int DirtyBottom() const { return dirtyBottom_; }
  void ClearDirty();

private:
  struct Shelf
  {
    int y;
    int height;
    int nextX;
  };
  bool TryPlace(int w, int h, int& x, int& y);
  void Grow();

  int width_;
  int height_;
  int maxSize_;
  std::vector<std::uint8_t> pixels_;
  std::vector<Shelf> shelves_;
  bool resized_ = true;
  int dirtyTop_ = 0;
  int dirtyBottom_ = 0;
};

} // namespace igraphics
