#include "IGraphics/Drawing/GlyphAtlas.h"

#include <algorithm>
#include <cstring>

namespace igraphics
{

namespace
{
constexpr int kGap = 1; // keeps bilinear sampling of one glyph from reaching its neighbours
}

GlyphAtlas::GlyphAtlas(int width, int height, int maxSize)
    : width_(width), height_(height), maxSize_(maxSize),
      pixels_(static_cast<std::size_t>(width) * height, 0)
{
}

bool GlyphAtlas::TryPlace(int w, int h, int& x, int& y)
{
  const int pw = w + kGap;
  const int ph = h + kGap;
  // Best fitting shelf: tall enough, not wastefully tall, with room to the right.
  Shelf* best = nullptr;
  for (Shelf& s : shelves_)
  {
    if (s.height >= ph && s.nextX + pw <= width_ && ph * 10 >= s.height * 7)
    {
      if (!best || s.height < best->height) best = &s;
    }
  }
  if (!best)
  {
    const int top = shelves_.empty() ? 0 : shelves_.back().y + shelves_.back().height;
    if (top + ph > height_ || pw > width_) return false;
    shelves_.push_back({top, ph, 0});
    best = &shelves_.back();
  }
  x = best->nextX;
  y = best->y;
  best->nextX += pw;
  return true;
}

void GlyphAtlas::Grow()
{
  int newWidth = width_;
  int newHeight = height_;
  if ((width_ <= height_ && width_ < maxSize_) || height_ >= maxSize_)
    newWidth = std::min(width_ * 2, maxSize_);
  else
    newHeight = std::min(height_ * 2, maxSize_);
  std::vector<std::uint8_t> grown(static_cast<std::size_t>(newWidth) * newHeight, 0);
  for (int row = 0; row < height_; ++row)
    std::memcpy(grown.data() + static_cast<std::size_t>(row) * newWidth,
                pixels_.data() + static_cast<std::size_t>(row) * width_,
                static_cast<std::size_t>(width_));
  pixels_.swap(grown);
  width_ = newWidth;
  height_ = newHeight;
  resized_ = true;
}

bool GlyphAtlas::Allocate(int w, int h, int& x, int& y)
{
  if (w <= 0 || h <= 0 || w + kGap > maxSize_ || h + kGap > maxSize_) return false;
  while (!TryPlace(w, h, x, y))
  {
    if (width_ >= maxSize_ && height_ >= maxSize_) return false;
    Grow();
  }
  return true;
}

void GlyphAtlas::MarkDirty(int x, int y, int w, int h)
{
  (void)x;
  (void)w;
  if (dirtyTop_ == dirtyBottom_)
  {
    dirtyTop_ = y;
    dirtyBottom_ = y + h;
  }
  else
  {
    dirtyTop_ = std::min(dirtyTop_, y);
    dirtyBottom_ = std::max(dirtyBottom_, y + h);
  }
}

void GlyphAtlas::Reset()
{
  shelves_.clear();
  std::fill(pixels_.begin(), pixels_.end(), std::uint8_t{0});
  resized_ = true;
  dirtyTop_ = dirtyBottom_ = 0;
}

void GlyphAtlas::ClearDirty()
{
  resized_ = false;
  dirtyTop_ = dirtyBottom_ = 0;
}

} // namespace igraphics
