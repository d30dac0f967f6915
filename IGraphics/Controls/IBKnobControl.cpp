#include "IGraphics/Controls/IBKnobControl.h"

namespace igraphics
{

IBKnobControl::IBKnobControl(float x, float y, const IBitmapRef& bitmap, int paramIdx,
                             Orientation direction, double gearing)
    : IBKnobControl(
          IRect(x, y, x + static_cast<float>(bitmap.FW()), y + static_cast<float>(bitmap.FH())),
          bitmap, paramIdx, direction, gearing)
{
}

IBKnobControl::IBKnobControl(const IRect& bounds, const IBitmapRef& bitmap, int paramIdx,
                             Orientation direction, double gearing)
    : IKnobControlBase(bounds, paramIdx, direction, gearing), IBitmapBase(bitmap, this)
{
}

IBKnobControl::~IBKnobControl() = default;

void IBKnobControl::Draw(IGraphics& g)
{
  DrawFrameForValue(g);
}

void IBKnobControl::OnScaleChanged()
{
  ReloadForScale();
}

} // namespace igraphics
