#include "IGraphics/Platforms/ScreenScaleFromDpi.h"

#include <algorithm>

namespace igraphics
{

float ScreenScaleFromDpi(unsigned dpi)
{
  constexpr unsigned kDefaultDpi = 96;
  if (dpi == 0) dpi = kDefaultDpi;
  return std::max(1.f, static_cast<float>(dpi) / static_cast<float>(kDefaultDpi));
}

} // namespace igraphics
