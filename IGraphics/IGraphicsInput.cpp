// Input dispatch: hit testing, pointer capture, the gestures a press starts
// towards the host, the host view container's claim on parameter clicks,
// context menus, keys, gestures, the value bubble and the corner resizer.

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "IGraphics/Controls/IBubbleControl.h"
#include "IGraphics/Controls/ICornerResizerControl.h"
#include "IGraphics/Controls/IFPSDisplayControl.h"
#include "IGraphics/IGraphics.h"
#include "IPlug/IGEditorDelegate.h"
#include "IPlug/IPlugLogger.h"

#include <cmath>
#include <cstdio>

namespace igraphics
{

namespace
{

// Modifier bits of the host's parameter mouse-down.
constexpr std::uint32_t kHostShift = 1;
constexpr std::uint32_t kHostAlt = 4;
constexpr std::uint32_t kHostControl = 8;
constexpr std::uint32_t kHostRightButton = 16;

// Bubbles are shared out in turn across every editor of the process. [main-thread]
int gBubbleCounter = 0;

bool UsableScale(float scale)
{
  return std::isfinite(scale) && scale > 0.f;
}

} // namespace

// Special controls --------------------------------------------------------------------

void IGraphics::AddCornerResizer(int mode, bool layoutOnResize, const IColor& colour,
                                 const IColor& mouseOverColour, const IColor& dragColour,
                                 float size)
{
  if (mCornerResizer) return; // the first one stays
  const float w = static_cast<float>(mWidth);
  const float h = static_cast<float>(mHeight);
  auto resizer = std::make_unique<ICornerResizerControl>(
      IRect(w - size + 1.f, h - size + 1.f, w - 1.f, h - 1.f), size, colour, mouseOverColour,
      dragColour);
  RunAttachHooks(*resizer);
  mCornerResizer = std::move(resizer);
  mResizerMode = mode;
  mLayoutOnResize = layoutOnResize;
}

void IGraphics::AddBubbleControl(const ITextStyle& style)
{
  auto bubble = std::make_unique<IBubbleControl>(style);
  RunAttachHooks(*bubble);
  mBubbleControls.push_back(std::move(bubble));
}

IControl* IGraphics::GetBubble(int idx) const
{
  if (idx < 0 || idx >= NBubbles()) return nullptr;
  return mBubbleControls[static_cast<std::size_t>(idx)].get();
}

// Gestures towards the host -----------------------------------------------------------

void IGraphics::EndCaptureGestures(std::int64_t touchId)
{
  const auto it = mCaptureGestures.find(touchId);
  if (it == mCaptureGestures.end()) return;
  // Taken out first: ending a gesture may re-enter the dispatch.
  const std::vector<int> params = std::move(it->second);
  mCaptureGestures.erase(it);
  for (const int paramIdx : params)
    mDelegate.EndParamGestureFromEditor(paramIdx);
}

void IGraphics::EndAllCaptureGestures()
{
  while (!mCaptureGestures.empty())
    EndCaptureGestures(mCaptureGestures.begin()->first);
}

void IGraphics::EndPromptGestures()
{
  const std::vector<int> params = std::move(mPromptGestures);
  mPromptGestures.clear();
  for (const int paramIdx : params)
    mDelegate.EndParamGestureFromEditor(paramIdx);
}

// Hit testing --------------------------------------------------------------------------

int IGraphics::FindControlIndexAt(float x, float y, bool mouseOver)
{
  if (mouseOver && !mEnableMouseOver) return -1;
  // The background never receives mouse-over.
  const int last = mouseOver ? 1 : 0;
  for (int i = NControls() - 1; i >= last; --i)
  {
    IControl* c = GetControl(i);
    if (c->IsHidden() || c->GetIgnoreMouse()) continue;
    if (c->IsDisabled() && !(mouseOver ? c->GetMOWhenGrayed() : c->GetMEWhenGrayed())) continue;
    if (c->IsHit(x, y)) return i;
  }
  return -1;
}

IControl* IGraphics::FindControlAt(float x, float y, bool capture, bool mouseOver,
                                   std::int64_t touchId)
{
  if (IControl* captured = GetCapturedControl(touchId)) return captured;

  IControl* found = nullptr;
  int idx = -1;
  if (mPopupControl && mPopupControl->CapturesAllInput())
    found = mPopupControl.get();
  else if (mTextEntryControl && mTextEntryControl->CapturesAllInput())
    found = mTextEntryControl.get();
  else if (mCornerResizer && mCornerResizer->GetRECT().Contains(x, y))
    found = mCornerResizer.get();
  else if (mPerfDisplay && mPerfDisplay->GetRECT().Contains(x, y))
    found = mPerfDisplay.get();
  else
  {
    idx = FindControlIndexAt(x, y, mouseOver);
    found = GetControl(idx);
  }

  if (capture && found != nullptr)
  {
    if (mEnableMultiTouch && ControlIsCaptured(found) && !found->GetWantsMultiTouch())
      return nullptr;
    CaptureControl(touchId, found);
  }
  if (mouseOver) mMouseOverIdx = idx;
  return found;
}

// Pointer events ----------------------------------------------------------------------------

void IGraphics::OnMouseDown(const std::vector<IMouseEvent>& points)
{
  if (points.size() == 1)
  {
    mMouseDownX = points[0].x;
    mMouseDownY = points[0].y;
  }

  for (const IMouseEvent& point : points)
  {
    const float x = point.x;
    const float y = point.y;
    const IMouseState& mod = point.ms;
    mCursorX = x;
    mCursorY = y;
    IControl* control = FindControlAt(x, y, true, false, mod.touchID);
    if (control == nullptr) continue;

    const int valIdx = control->ValueIndexAt(x, y);
    int paramIdx = control->GetParamIndex(valIdx >= 0 ? valIdx : 0);
    // An index the plug-in does not have is nobody's parameter: it must never
    // reach the host as some other identifier.
    if (paramIdx >= 0 && mDelegate.GetParam(paramIdx) == nullptr) paramIdx = -1;

    if (GetViewContainer() != nullptr && paramIdx >= 0)
    {
      std::uint32_t mask = 0;
      if (GetViewContainer()->Modifiers(&mask) != 0) mask = 0;
      if (mod.S) mask |= kHostShift;
      if (mod.A) mask |= kHostAlt;
      if (mod.C) mask |= kHostControl;
      if (mod.R) mask |= kHostRightButton;
      char id[16];
      std::snprintf(id, sizeof id, "%i", paramIdx + 1);
      if (GetViewContainer()->HandleParameterMouseDown(id, mask) == 0)
      {
        // The host took the click (to show automation, for example).
        ReleaseAllCaptures();
        return;
      }
    }

    if (mod.R && paramIdx >= 0)
    {
      ReleaseAllCaptures();
      mPromptPopupMenu.Clear();
      control->BuildContextMenu(mPromptPopupMenu);
      if (mPromptPopupMenu.NItems() > 0)
        OpenPopupMenu(control, mPromptPopupMenu, IRect(x, y, x, y), -1, true);
      return;
    }

    std::vector<int>& begun = mCaptureGestures[mod.touchID];
    for (int v = 0; v < control->NVals(); ++v)
    {
      const int linked = control->GetParamIndex(v);
      if (linked < 0 || mDelegate.GetParam(linked) == nullptr) continue;
      mDelegate.BeginParamGestureFromEditor(linked);
      begun.push_back(linked);
    }
    if (begun.empty()) mCaptureGestures.erase(mod.touchID);

    control->OnMouseDown(x, y, mod);
  }
}

void IGraphics::OnMouseUp(const std::vector<IMouseEvent>& points)
{
  if (!mCapturedMap.empty())
  {
    for (const IMouseEvent& point : points)
    {
      IControl* control = GetCapturedControl(point.ms.touchID);
      if (control == nullptr) continue;
      control->OnMouseUp(point.x, point.y, point.ms);
      // The control may have released its capture itself (a prompt, a resize).
      ReleaseCapture(point.ms.touchID);
    }
  }

  if (mResizingInProcess)
  {
    mResizingInProcess = false;
    if (mResizerMode == 0)
    {
      ForEachControl([](IControl* c) { c->OnScaleChanged(); });
      MarkAllControlsDirty();
    }
  }

  if (points.size() == 1 && !points[0].ms.IsTouch())
    OnMouseOver(points[0].x, points[0].y, points[0].ms);
}

void IGraphics::ResizeByDrag(float x, float y)
{
  if (mResizerMode == 1)
  {
    Resize(static_cast<int>(x), static_cast<int>(y), mDrawScale, true);
    return;
  }
  // The scale follows the pointer relative to where the drag began; a drag
  // that began on an edge (0) or before any press (-1) gives no ratio.
  float scale = 0.f;
  if (mMouseDownY > 0.f) scale = mDrawScale * y / mMouseDownY;
  if (mMouseDownX > 0.f)
  {
    const float byX = mDrawScale * x / mMouseDownX;
    scale = UsableScale(scale) ? std::min(scale, byX) : byX;
  }
  if (UsableScale(scale)) Resize(mWidth, mHeight, scale, true);
}

void IGraphics::OnMouseDrag(const std::vector<IMouseEvent>& points)
{
  if (mResizingInProcess && points.size() == 1)
  {
    ResizeByDrag(points[0].x, points[0].y);
    return;
  }
  if (mCapturedMap.empty()) return;
  // A native text entry owns the keyboard and pointer while it is open.
  if (mInTextEntry != nullptr && !mTextEntryControl) return;

  for (const IMouseEvent& point : points)
  {
    IControl* control = GetCapturedControl(point.ms.touchID);
    if (control == nullptr) continue;
    if (mTextEntryControl && mInTextEntry != nullptr && control != mTextEntryControl.get())
      continue;
    if (point.dX == 0.f && point.dY == 0.f) continue;
    mCursorX = point.x;
    mCursorY = point.y;
    control->OnMouseDrag(point.x, point.y, point.dX, point.dY, point.ms);
  }
}

bool IGraphics::OnMouseDoubleClick(float x, float y, const IMouseState& mod)
{
  IControl* control = FindControlAt(x, y, true, false, 0);
  if (control == nullptr) return false;
  if (control->GetDblAsSingleClick())
  {
    IMouseEvent point;
    point.x = x;
    point.y = y;
    point.ms = mod;
    OnMouseDown({point});
  }
  else
  {
    control->OnMouseDoubleClick(x, y, mod);
    ReleaseAllCaptures();
  }
  return true;
}

bool IGraphics::OnMouseOver(float x, float y, const IMouseState& mod)
{
  mCursorX = x;
  mCursorY = y;
  IControl* control = FindControlAt(x, y, false, true, 0);
  if (control != mMouseOver)
  {
    if (mMouseOver != nullptr) mMouseOver->OnMouseOut();
    mMouseOver = control;
  }
  if (control != nullptr) control->OnMouseOver(x, y, mod);
  return control != nullptr;
}

void IGraphics::OnMouseOut()
{
  SetCursorShape(CursorShape::ARROW);
  ForEachControl([](IControl* c) { c->OnMouseOut(); });
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
}

void IGraphics::OnMouseWheel(float x, float y, const IMouseState& mod, float delta)
{
  if (IControl* control = FindControlAt(x, y, false, false, 0))
    control->OnMouseWheel(x, y, mod, delta);
}

bool IGraphics::OnKeyDown(float x, float y, const IKeyPress& key)
{
  iplug::LogTrace("IGraphics::OnKeyDown", __LINE__, "x:%0.2f, y:%0.2f, key:%s", x, y, key.utf8);
  IControl* control = FindControlAt(x, y, false, false, 0);
  if (control != nullptr && control != GetBackground() && control->OnKeyDown(x, y, key))
    return true;
  return mKeyHandler ? mKeyHandler(key, false) : false;
}

bool IGraphics::OnKeyUp(float x, float y, const IKeyPress& key)
{
  iplug::LogTrace("IGraphics::OnKeyUp", __LINE__, "x:%0.2f, y:%0.2f, key:%s", x, y, key.utf8);
  IControl* control = FindControlAt(x, y, false, false, 0);
  if (control != nullptr && control != GetBackground() && control->OnKeyUp(x, y, key)) return true;
  return mKeyHandler ? mKeyHandler(key, true) : false;
}

void IGraphics::OnDrop(const char* text, float x, float y)
{
  if (IControl* control = FindControlAt(x, y, false, false, 0)) control->OnDrop(text ? text : "");
}

void IGraphics::OnTouchCancel(const std::vector<IMouseEvent>& points)
{
  for (const IMouseEvent& point : points)
  {
    IControl* control = GetCapturedControl(point.ms.touchID);
    if (control == nullptr) continue;
    control->OnTouchCancel(point.x, point.y, point.ms);
    ReleaseCapture(point.ms.touchID);
  }
}

// Gestures --------------------------------------------------------------------------------

void IGraphics::OnGestureEvent(const IGestureEvent& info)
{
  IControl* control = FindControlAt(info.x, info.y, false, false, 0);
  if (control != nullptr && control->HasGestures() && !control->GetAnimating())
  {
    control->OnGesture(info.x, info.y, info);
    return;
  }
  for (std::size_t i = 0; i < mGestureRegions.size(); ++i)
  {
    if (!mGestureRegions[i].Contains(info.x, info.y)) continue;
    const auto func = mGestureRegionFuncs.find(static_cast<int>(i));
    if (func != mGestureRegionFuncs.end() && func->second) func->second(nullptr, info);
    return;
  }
}

void IGraphics::AddGestureRegion(const IRect& bounds, EGestureType type, GestureFunction func)
{
  mGestureRegions.push_back(bounds);
  AddGestureRecognizer(type);
  mGestureRegionFuncs[static_cast<int>(mGestureRegions.size()) - 1] = std::move(func);
}

void IGraphics::RemoveGestureRegions()
{
  mGestureRegions.clear();
  mGestureRegionFuncs.clear();
}

// Value bubble ------------------------------------------------------------------------------

void IGraphics::ShowValueBubble(IControl* caller, float x, float y, const char* text,
                                Orientation direction, const IRect& minimumContentBounds,
                                std::int64_t touchId)
{
  if (mBubbleControls.empty() || caller == nullptr) return;

  IBubbleControl* bubble = nullptr;
  if (mEnableMultiTouch)
  {
    if (NCapturedTouches(caller) == 1)
    {
      for (const auto& c : mBubbleControls)
      {
        auto* candidate = static_cast<IBubbleControl*>(c.get());
        if (candidate->GetTouchId() == touchId &&
            candidate->GetState() != IBubbleControl::State::Hidden)
          bubble = candidate;
      }
    }
    if (bubble == nullptr)
    {
      const int n = NBubbles();
      gBubbleCounter = (gBubbleCounter + 1) % n;
      bubble = static_cast<IBubbleControl*>(
          mBubbleControls[static_cast<std::size_t>(gBubbleCounter % n)].get());
    }
  }
  else
  {
    bubble = static_cast<IBubbleControl*>(mBubbleControls.front().get());
  }
  bubble->Show(caller, x, y, text, direction, minimumContentBounds, touchId);
}

} // namespace igraphics
