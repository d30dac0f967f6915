#include "IGraphics/Controls/IBSwitchControl.h"

namespace igraphics
{

IBSwitchControl::IBSwitchControl(float x, float y, const IBitmapRef& bitmap, int paramIdx)
    : IBSwitchControl(
          IRect(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH())),
          bitmap, paramIdx)
{
}

IBSwitchControl::IBSwitchControl(const IRect& bounds, const IBitmapRef& bitmap, int paramIdx)
    : ISwitchControlBase(bounds, paramIdx, nullptr, 2), IBitmapBase(bitmap, this)
{
}

IBSwitchControl::~IBSwitchControl() = default;

void IBSwitchControl::Draw(IGraphics& g)
{
  DrawFrameForValue(g);
}

void IBSwitchControl::OnScaleChanged()
{
  ReloadForScale();
}

void IBSwitchControl::OnMouseDown(float, float, const IMouseState&)
{
  const int frames = mBitmap.N();
  const double step = frames > 1 ? 1.0 / (frames - 1) : 1.0;
  const double next = GetValue(0) + step;
  // Past the last frame (with room for rounding) the switch wraps to the first.
  SetValue(next > 1.001 ? 0.0 : next, 0);
  mMouseDown = true;
  SetDirty(true, -1);
}

} // namespace igraphics
