#include "IGraphics/IKnobControlBase.h"

#include "IGraphics/IGraphics.h"
#include "IPlug/IParam.h"

namespace igraphics
{

namespace
{

bool Quantised(const iplug::IParam* param)
{
  return param != nullptr && (param->Flags() & iplug::IParam::QuantiseToStep) != 0 &&
         param->Step() > 0.0;
}

} // namespace

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
  double gearing = mGearing;
  if (mod.C || mod.S) gearing *= 10.0;

  // Upwards (negative dY) increases the value. An area without extent along
  // the drag moves nothing rather than producing NaN.
  const IRect r = GetDragArea();
  const double span = mDirection == Orientation::Vertical ? r.T - r.B : r.R - r.L;
  const double moved = mDirection == Orientation::Vertical ? dY : dX;
  const double delta = span != 0.0 ? moved / span : 0.0;

  mMouseDragValue = std::clamp(mMouseDragValue + delta / gearing, 0.0, 1.0);
  double value = mMouseDragValue;
  const iplug::IParam* param = GetParam(0);
  if (Quantised(param)) value = param->NormalOfValue(param->ValueOfNormal(value));
  SetValue(value, 0);
  SetDirty(true);
}

void IKnobControlBase::OnMouseWheel(float, float, const IMouseState& mod, float delta)
{
  const double increment = (mod.C || mod.S) ? 0.001 : 0.01;
  const iplug::IParam* param = GetParam(0);
  double value;
  if (Quantised(param) && delta != 0.f)
  {
    // One step per event, whatever the size of the wheel's delta.
    double plain = param->ValueOfNormal(GetValue(0));
    plain += delta > 0.f ? param->Step() : -param->Step();
    value = std::clamp(param->NormalOfValue(plain), 0.0, 1.0);
  }
  else
  {
    value = GetValue(0) + static_cast<double>(delta) * increment;
  }
  SetValue(value, 0);
  SetDirty(true);
}

} // namespace igraphics
