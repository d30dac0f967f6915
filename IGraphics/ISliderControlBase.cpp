#include "IGraphics/ISliderControlBase.h"

#include "IGraphics/IGraphics.h"
#include "IGraphics/ValueSteps.h"

namespace igraphics
{

ISliderControlBase::ISliderControlBase(const IRect& bounds, int paramIdx, Orientation direction,
                                       double gearing)
    : IControl(bounds, paramIdx), mDirection(direction), mTrack(bounds), mGearing(gearing)
{
}

ISliderControlBase::~ISliderControlBase() = default;

void ISliderControlBase::OnResize()
{
  mTargetRECT = mRECT;
  mTrack = mRECT;
  mMouseIsOver = false;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDown(float x, float y, const IMouseState& mod)
{
  mMouseDown = true;
  if (!IsQuantised(GetParam(0))) SetValueFromPosition(x, y, mDirection, mTrack, -1, 0.0, 1.0);
  mMouseDragValue = GetValue(0);
  if (mHideCursorOnDrag && mGraphics != nullptr) mGraphics->SetCursorHidden(true, true);
  if (mod.R) RequestValueEntry(ValueIndexAt(x, y));
}

void ISliderControlBase::OnMouseUp(float, float, const IMouseState&)
{
  if (mHideCursorOnDrag && mGraphics != nullptr) mGraphics->SetCursorHidden(false);
  mMouseDown = false;
  SetDirty(false);
}

void ISliderControlBase::OnMouseDrag(float, float, float dX, float dY, const IMouseState& mod)
{
  // As the knob, along the track.
  const bool vertical = mDirection == Orientation::Vertical;
  mMouseDragValue +=
      DragChange(vertical ? dY : dX, vertical ? mTrack.T - mTrack.B : mTrack.R - mTrack.L, mGearing,
                 mod.C || mod.S);
  mMouseDragValue = std::clamp(mMouseDragValue, 0.0, 1.0);
  SetValue(QuantiseNormal(GetParam(0), mMouseDragValue), 0);
  SetDirty(true);
}

void ISliderControlBase::OnMouseWheel(float, float, const IMouseState& mod, float delta)
{
  SetValue(WheelValue(GetParam(0), GetValue(0), delta, mod.C || mod.S), 0);
  SetDirty(true);
}

} // namespace igraphics
