#include "IGraphics/Platforms/UpdateRegionRects.h"

#include <cmath>

namespace igraphics
{

bool UpdateRegionRects::Fits(std::size_t rectCount)
{
  return rectCount <= (kBufferBytes - kHeaderBytes) / kRectBytes;
}

IRect UpdateRegionRects::ToPoints(const PixelRect& rect, float scale)
{
  const float s = std::isfinite(scale) && scale > 0.f ? scale : 1.f;
  // Outward: a partly covered point is redrawn whole.
  return IRect(
      std::floor(static_cast<float>(rect.l) / s), std::floor(static_cast<float>(rect.t) / s),
      std::ceil(static_cast<float>(rect.r) / s), std::ceil(static_cast<float>(rect.b) / s));
}

void UpdateRegionRects::Convert(const PixelRect* rects, std::size_t count, const PixelRect& bounds,
                                float scale, IRectList& out)
{
  if (rects == nullptr || !Fits(count))
  {
    out.Add(ToPoints(bounds, scale));
    return;
  }
  for (std::size_t i = 0; i < count; ++i)
    out.Add(ToPoints(rects[i], scale));
}

} // namespace igraphics
