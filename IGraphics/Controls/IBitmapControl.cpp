#include "IGraphics/Controls/IBitmapControl.h"

namespace igraphics
{

IBitmapControl::IBitmapControl(float x, float y, const IBitmapRef& bitmap, int paramIdx)
    : IBitmapControl(
          IRect(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH())),
          bitmap, paramIdx)
{
}

IBitmapControl::IBitmapControl(const IRect& bounds, const IBitmapRef& bitmap, int paramIdx)
    : IControl(bounds, paramIdx), IBitmapBase(bitmap, this)
{
}

IBitmapControl::~IBitmapControl() = default;

void IBitmapControl::Draw(IGraphics& g)
{
  DrawFrameForValue(g);
}

void IBitmapControl::OnScaleChanged()
{
  ReloadForScale();
}

} // namespace igraphics
