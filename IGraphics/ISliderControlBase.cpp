#include "IGraphics/ISliderControlBase.h"

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
  if (!Quantised(GetParam(0))) SetValueFromPosition(x, y, mDirection, mTrack, -1, 0.0, 1.0);
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
  // As the knob, along the track: a full-length drag moves the value by 1/gearing.
  double gearing = mGearing;
  if (mod.C || mod.S) gearing *= 10.0;
  const double span =
      mDirection == Orientation::Vertical ? mTrack.T - mTrack.B : mTrack.R - mTrack.L;
  const double moved = mDirection == Orientation::Vertical ? dY : dX;
  const double delta = span != 0.0 ? moved / span : 0.0;
  mMouseDragValue = std::clamp(mMouseDragValue + delta / gearing, 0.0, 1.0);
  double value = mMouseDragValue;
  const iplug::IParam* param = GetParam(0);
  if (Quantised(param)) value = param->NormalOfValue(param->ValueOfNormal(value));
  SetValue(value, 0);
  SetDirty(true);
}

void ISliderControlBase::OnMouseWheel(float, float, const IMouseState& mod, float delta)
{
  const double increment = (mod.C || mod.S) ? 0.001 : 0.01;
  const iplug::IParam* param = GetParam(0);
  double value;
  if (Quantised(param) && delta != 0.f)
  {
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
