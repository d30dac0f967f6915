#include "IGraphics/Controls/IBButtonControl.h"

namespace igraphics
{

IBButtonControl::IBButtonControl(float x, float y, const IBitmapRef& bitmap, ActionFunction action)
    : IBButtonControl(
          IRect(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH())),
          bitmap, std::move(action))
{
}

IBButtonControl::IBButtonControl(const IRect& bounds, const IBitmapRef& bitmap,
                                 ActionFunction action)
    : IButtonControlBase(bounds, std::move(action)), IBitmapBase(bitmap, this)
{
}

IBButtonControl::~IBButtonControl() = default;

void IBButtonControl::Draw(IGraphics& g)
{
  DrawFrameForValue(g);
}

void IBButtonControl::OnScaleChanged()
{
  ReloadForScale();
}

} // namespace igraphics
