#include "IGraphics/IKnobControlBase.h"

#include "IGraphics/IGraphics.h"
#include "IGraphics/ValueSteps.h"

namespace igraphics
{

IKnobControlBase::IKnobControlBase(const IRect& bounds, int paramIdx, Orientation direction,
                                   double gearing)
    : IControl(bounds, paramIdx), mDirection(direction), mGearing(gearing)
{
}

IKnobControlBase::~IKnobControlBase() = default;

IRect IKnobControlBase::GetDragArea() const
{
  return mTargetRECT;
}

void IKnobControlBase::OnMouseDown(float x, float y, const IMouseState& mod)
{
  mMouseDown = true;
  mMouseDragValue = GetValue(0);
  if (mHideCursorOnDrag && mGraphics != nullptr) mGraphics->SetCursorHidden(true, true);
  if (mod.R) RequestValueEntry(ValueIndexAt(x, y));
}

void IKnobControlBase::OnMouseUp(float, float, const IMouseState&)
{
  // Showing a locked cursor puts it back where the drag began.
  if (mHideCursorOnDrag && mGraphics != nullptr) mGraphics->SetCursorHidden(false);
  mMouseDown = false;
  SetDirty(false);
}

void IKnobControlBase::OnMouseDrag(float, float, float dX, float dY, const IMouseState& mod)
{
  // Upwards (negative dY) increases the value; the unrounded drag value
  // carries over between events.
  const IRect r = GetDragArea();
  const bool vertical = mDirection == Orientation::Vertical;
  mMouseDragValue +=
      DragChange(vertical ? dY : dX, vertical ? r.T - r.B : r.R - r.L, mGearing, mod.C || mod.S);
  mMouseDragValue = std::clamp(mMouseDragValue, 0.0, 1.0);
  SetValue(QuantiseNormal(GetParam(0), mMouseDragValue), 0);
  SetDirty(true);
}

void IKnobControlBase::OnMouseWheel(float, float, const IMouseState& mod, float delta)
{
  SetValue(WheelValue(GetParam(0), GetValue(0), delta, mod.C || mod.S), 0);
  SetDirty(true);
}

} // namespace igraphics
