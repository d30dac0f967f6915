#pragma once

#include <cairo.h>

#include <string>

namespace brasmire::skin
{

// An RGBA drawing surface measured in points; every picture of the skin is stored at
// two pixels per point, so the context is pre-scaled and painters think in points.
class Canvas
{
public:
  Canvas(int widthPixels, int heightPixels, double pixelsPerPoint);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* Context() const { return mContext; }
  int WidthPixels() const { return mWidthPixels; }
  int HeightPixels() const { return mHeightPixels; }

  // Writes straight (not premultiplied) 8-bit RGBA with fixed settings and no time stamp,
  // so the same drawing always gives the same file. Returns false with errno-style text
  // in error on failure.
  bool WritePng(const std::string& path, std::string& error) const;

private:
  int mWidthPixels;
  int mHeightPixels;
  cairo_surface_t* mSurface;
  cairo_t* mContext;
};

} // namespace brasmire::skin
