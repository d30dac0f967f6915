#pragma once

#include "IGraphics/IRect.h"
#include "IGraphics/IRectList.h"

#include <cstddef>

namespace igraphics
{

// Converts a window's update region (pixel rectangles) into editor rectangles.
// The region data are read into a fixed buffer; a region whose data do not fit
// is painted as its bounding box. [main-thread]
class UpdateRegionRects
{
public:
  // A pixel rectangle as the system reports it: left, top, right, bottom.
  struct PixelRect
  {
    int l = 0;
    int t = 0;
    int r = 0;
    int b = 0;
  };

  // Region data: a 32-byte header followed by 16 bytes per rectangle.
  static constexpr std::size_t kBufferBytes = 1024;
  static constexpr std::size_t kHeaderBytes = 32;
  static constexpr std::size_t kRectBytes = 16;

  // Whether region data of `rectCount` rectangles fit the buffer.
  static bool Fits(std::size_t rectCount);
  // Whether region data of `bytes` fit the buffer.
  static bool FitsBytes(std::size_t bytes) { return bytes <= kBufferBytes; }
  // (floor(l / s), floor(t / s), ceil(r / s), ceil(b / s)); a scale that is
  // not a positive finite number counts as 1.
  static IRect ToPoints(const PixelRect& rect, float scale);
  // Appends every rectangle converted, or only the converted bounding box when
  // the data of `count` rectangles would not fit the buffer.
  static void Convert(const PixelRect* rects, std::size_t count, const PixelRect& bounds,
                      float scale, IRectList& out);
};

} // namespace igraphics
