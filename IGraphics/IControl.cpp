#include "IGraphics/IControl.h"

#include "IGraphics/IGraphics.h"
#include "IPlug/IGEditorDelegate.h"

#include <cassert>
#include <cmath>
#include <limits>

namespace igraphics
{

IControl::IControl(const IRect& bounds, int paramIdx, ActionFunction action)
    : mRECT(bounds), mTargetRECT(bounds), mActionFunc(std::move(action))
{
  mVals.push_back({paramIdx, 0.0});
}

IControl::~IControl() = default;

// Events ------------------------------------------------------------------------

void IControl::OnMouseDown(float x, float y, const IMouseState& mod)
{
  if (mod.R) RequestValueEntry(ValueIndexAt(x, y));
}

void IControl::OnMouseUp(float, float, const IMouseState&) {}

void IControl::OnMouseDrag(float, float, float, float, const IMouseState&) {}

void IControl::OnMouseDoubleClick(float x, float y, const IMouseState&)
{
  RequestValueEntry(ValueIndexAt(x, y));
}

void IControl::OnMouseWheel(float, float, const IMouseState&, float) {}

bool IControl::OnKeyDown(float, float, const IKeyPress&)
{
  return false;
}

bool IControl::OnKeyUp(float, float, const IKeyPress&)
{
  return false;
}

void IControl::OnMouseOver(float, float, const IMouseState&)
{
  const bool wasOver = mMouseIsOver;
  mMouseIsOver = true;
  if (!wasOver) SetDirty(false);
}

void IControl::OnMouseOut()
{
  const bool wasOver = mMouseIsOver;
  mMouseIsOver = false;
  if (wasOver) SetDirty(false);
}

void IControl::OnTouchCancel(float, float, const IMouseState&) {}
void IControl::OnDrop(const char*) {}
void IControl::OnScaleChanged() {}
void IControl::OnResize() {}
void IControl::OnInit() {}
void IControl::OnAdded() {}
void IControl::OnControlMessage(int, int, const void*) {}
void IControl::OnMidiMessage(const iplug::MidiMessage&) {}

bool IControl::OnGesture(float, float, const IGestureEvent& info)
{
  const auto it = mGestureFuncs.find(info.type);
  if (it == mGestureFuncs.end()) return false;
  mLastGesture = info.type;
  it->second(this, info);
  return true;
}

void IControl::BuildContextMenu(IPopupMenu&) {}

void IControl::OnPopupMenuChoice(IPopupMenu* menu, int valIdx)
{
  if (menu == nullptr || valIdx < 0 || valIdx >= NVals() || mDisablePrompt) return;
  const iplug::IParam* param = GetParam(valIdx);
  if (param == nullptr) return;
  const int chosen = menu->GetChosenItemIdx();
  if (chosen < 0) return;
  // The menu lists the parameter's display texts in order, so the choice
  // means the value of the text at that position, not the position itself.
  double plain = static_cast<double>(chosen);
  if (chosen < param->DisplayTextCount()) param->DisplayTextAt(chosen, &plain);
  SetValueFromEntry(param->NormalOfValue(plain), valIdx);
}

void IControl::OnTextEntryDone(const char*, int) {}
void IControl::OnContextMenuChoice(int) {}

// Drawing -------------------------------------------------------------------------

void IControl::DrawHighlight(IGraphics& g)
{
  if (mHighlighted) g.FillCircle(mHighlightColor, mRECT.R - 5.f, mRECT.T + 5.f, 2.f);
}

// Values and state ----------------------------------------------------------------

void IControl::SetParamIndex(int paramIdx, int valIdx)
{
  assert(valIdx >= 0 && valIdx < NVals());
  if (valIdx < 0 || valIdx >= NVals()) return;
  mVals[static_cast<std::size_t>(valIdx)].idx = paramIdx;
  SetDirty(false);
}

int IControl::ValueIndexAt(float, float)
{
  return NVals() == 1 ? 0 : -1;
}

void IControl::UpdateValueFromParam(double normalised, int valIdx)
{
  if (mGraphics != nullptr && mGraphics->ControlIsCaptured(this)) return;
  if (valIdx < 0 || valIdx >= NVals()) return;
  if (GetValue(valIdx) != normalised)
  {
    SetValue(normalised, valIdx);
    SetDirty(false);
  }
}

void IControl::SetValueFromEntry(double normalised, int valIdx)
{
  if (valIdx < 0 || valIdx >= NVals()) return;
  if (GetValue(valIdx) != normalised)
  {
    SetValue(normalised, valIdx);
    SetDirty(true, valIdx);
  }
}

void IControl::ResetToDefault(int valIdx)
{
  if (NVals() == 1) valIdx = 0;
  if (valIdx > -1)
  {
    if (const iplug::IParam* param = GetParam(valIdx)) SetValue(param->DefaultNormalised(), valIdx);
  }
  else
  {
    for (int v = 0; v < NVals(); ++v)
      if (const iplug::IParam* param = GetParam(v)) SetValue(param->DefaultNormalised(), v);
  }
  SetDirty(true, valIdx);
}

void IControl::SetValue(double normalised, int valIdx)
{
  assert(valIdx >= 0 && valIdx < NVals());
  if (valIdx < 0 || valIdx >= NVals()) return;
  mVals[static_cast<std::size_t>(valIdx)].value = normalised;
}

void IControl::SetText(const ITextStyle& style)
{
  mText = style;
}

void IControl::SetPosition(float x, float y)
{
  x = std::max(x, 0.f);
  y = std::max(y, 0.f);
  const float dx = x - mRECT.L;
  const float dy = y - mRECT.T;
  mRECT = mRECT.GetTranslated(dx, dy);
  mMouseIsOver = false;
  OnResize();
  mTargetRECT = mTargetRECT.GetTranslated(dx, dy);
}

void IControl::SetSize(float w, float h)
{
  w = std::max(w, 0.f);
  h = std::max(h, 0.f);
  mRECT = IRect(mRECT.L, mRECT.T, mRECT.L + w, mRECT.T + h);
  mTargetRECT = mRECT;
  mMouseIsOver = false;
  OnResize();
}

void IControl::Hide(bool hide)
{
  mHide = hide;
  SetDirty(false);
}

void IControl::SetDisabled(bool disable)
{
  mDisabled = disable;
  mBlend.mWeight = disable ? 0.25f : 1.f;
  SetDirty(false);
}

bool IControl::IsHit(float x, float y) const
{
  return mTargetRECT.Contains(x, y);
}

void IControl::ClampSlot(int valIdx)
{
  const double v = GetValue(valIdx);
  // NaN never reaches a parameter: it becomes the bottom of the range.
  SetValue(std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0), valIdx);
}

void IControl::SendSlotToDelegate(int valIdx)
{
  const int paramIdx = GetParamIndex(valIdx);
  if (paramIdx < 0 || mDelegate == nullptr || mDelegate->GetParam(paramIdx) == nullptr) return;
  mDelegate->SendParamFromEditor(paramIdx, GetValue(valIdx));
  if (mGraphics != nullptr) mGraphics->SyncLinkedControls(this, valIdx);
}

void IControl::SetDirty(bool triggerAction, int valIdx)
{
  if (NVals() == 1) valIdx = 0;
  if (valIdx >= NVals()) return;
  if (valIdx > -1)
    ClampSlot(valIdx);
  else
    for (int v = 0; v < NVals(); ++v)
      ClampSlot(v);

  mDirty = true;

  if (triggerAction)
  {
    if (valIdx > -1)
      SendSlotToDelegate(valIdx);
    else
      for (int v = 0; v < NVals(); ++v)
        SendSlotToDelegate(v);
    if (mActionFunc) mActionFunc(this);
  }
}

void IControl::SetClean()
{
  mDirty = false;
}

bool IControl::IsDirty()
{
  return mAnimationFunc ? true : mDirty;
}

void IControl::OnIdle() {}

void IControl::SetValueFromPosition(float x, float y, Orientation direction, const IRect& bounds,
                                    int valIdx, double lo, double hi)
{
  // A track without length gives no position at all (it would be 0/0).
  const float span = direction == Orientation::Vertical ? bounds.H() : bounds.W();
  if (!(span > 0.f)) return;

  x = std::clamp(x, bounds.L, bounds.R);
  y = std::clamp(y, bounds.T, bounds.B);
  double v =
      direction == Orientation::Vertical ? 1.0 - (y - bounds.T) / span : (x - bounds.L) / span;
  v = std::round(v / 0.001) * 0.001;
  v = std::max(v, lo);
  v = std::min(v, hi);

  if (valIdx > -1)
    SetValue(v, valIdx);
  else
    for (int i = 0; i < NVals(); ++i)
      SetValue(v, i);
  SetDirty(true, valIdx);
}

void IControl::OnAnimationEnd()
{
  mAnimationFunc = nullptr;
  SetDirty(false);
  if (mAnimationEndActionFunc) mAnimationEndActionFunc(this);
}

// Non-virtual -----------------------------------------------------------------------

double IControl::GetValue(int valIdx) const
{
  assert(valIdx >= 0 && valIdx < NVals());
  if (valIdx < 0 || valIdx >= NVals()) return 0.0;
  return mVals[static_cast<std::size_t>(valIdx)].value;
}

int IControl::GetParamIndex(int valIdx) const
{
  if (valIdx < 0 || valIdx >= NVals()) return -1;
  return mVals[static_cast<std::size_t>(valIdx)].idx;
}

int IControl::IsLinkedToParam(int paramIdx) const
{
  if (paramIdx < 0) return -1;
  for (int v = 0; v < NVals(); ++v)
    if (mVals[static_cast<std::size_t>(v)].idx == paramIdx) return v;
  return -1;
}

const iplug::IParam* IControl::GetParam(int valIdx) const
{
  const int paramIdx = GetParamIndex(valIdx);
  if (paramIdx < 0 || mDelegate == nullptr) return nullptr;
  return mDelegate->GetParam(paramIdx);
}

void IControl::RequestValueEntry(int valIdx)
{
  if (valIdx < 0 || mDisablePrompt) return;
  const iplug::IParam* param = GetParam(valIdx);
  if (param == nullptr || mGraphics == nullptr) return;
  IRect area = mRECT;
  if (param->DisplayTextCount() == 0)
  {
    const float cx = mRECT.MW();
    const float cy = mRECT.MH();
    area = IRect(cx - 20.f, cy - 8.f, cx + 20.f, cy + 8.f);
  }
  mGraphics->RequestValueEntry(this, area, valIdx);
  SetDirty(false);
}

void IControl::SetHighlight(bool highlighted, int colourIdx)
{
  switch (colourIdx)
  {
  case 0:
    mHighlightColor = COLOR_RED;
    break;
  case 1:
    mHighlightColor = COLOR_BLUE;
    break;
  case 2:
    mHighlightColor = COLOR_GREEN;
    break;
  case 3:
    mHighlightColor = COLOR_YELLOW;
    break;
  default:
    break;
  }
  mHighlighted = highlighted;
  SetDirty(false);
}

// Animation -----------------------------------------------------------------------

double IControl::NowMs() const
{
  return mGraphics != nullptr ? mGraphics->GetClock().NowMs() : MonotonicClock::Instance().NowMs();
}

void IControl::BeginAnimation(double durationMs)
{
  mAnimationStartMs = NowMs();
  mAnimationDurationMs = durationMs;
}

double IControl::GetAnimationFraction() const
{
  if (!mAnimationFunc) return 0.0;
  // An animation without duration is over as soon as it starts: report just
  // past the end instead of 0/0.
  if (!(mAnimationDurationMs > 0.0)) return std::nextafter(1.0, 2.0);
  return (NowMs() - mAnimationStartMs) / mAnimationDurationMs;
}

void IControl::Animate()
{
  if (mAnimationFunc) mAnimationFunc(this);
}

void IControl::SetAnimation(AnimationFunction func, double durationMs)
{
  mAnimationFunc = std::move(func);
  BeginAnimation(durationMs);
}

IControl* IControl::AddGestureRecognizer(EGestureType type, GestureFunction func)
{
  mGestureFuncs.emplace(type, std::move(func));
  if (mGraphics != nullptr) mGraphics->AddGestureRecognizer(type);
  return this;
}

} // namespace igraphics
