#include "IGraphics/IGraphics.h"

#include "IGraphics/Controls/IFPSDisplayControl.h"
#include "IPlug/IGEditorDelegate.h"

#include <algorithm>
#include <cmath>

namespace igraphics
{

namespace
{

bool UsableScale(float scale)
{
  return std::isfinite(scale) && scale > 0.f;
}

} // namespace

IGraphics::IGraphics(iplug::IGEditorDelegate& dlg, int w, int h, int fps, float drawScale)
    : mWidth(w), mHeight(h), mFPS(fps), mDrawScale(UsableScale(drawScale) ? drawScale : 1.f),
      mMinScale(0.5f * mDrawScale), mMaxScale(2.f * mDrawScale), mDelegate(dlg),
      mClock(&MonotonicClock::Instance())
{
  SharedBitmapCache().Retain();
}

IGraphics::~IGraphics()
{
  // The delegate may be half destroyed when it deletes this object: gestures
  // still open were ended by whoever closed the editor, or are dropped here.
  mCaptureGestures.clear();
  mPromptGestures.clear();
  // Controls go first, while everything they might reach still exists.
  ClearAllControls();
  SharedBitmapCache().Release();
}

void IGraphics::SetParamHighlight(int paramIdx, bool highlighted, int colourIdx)
{
  ForEachControlOfParam(paramIdx, [&](IControl* c) { c->SetHighlight(highlighted, colourIdx); });
}

void IGraphics::StartFrame()
{
  const double nowMs = mClock->NowMs();
  if (mPerfDisplay && mPrevTimestampMs >= 0.0)
    mPerfDisplay->Update((nowMs - mPrevTimestampMs) / 1000.0);
  mPrevTimestampMs = nowMs;
}

// Controls ------------------------------------------------------------------------

void IGraphics::RunAttachHooks(IControl& control)
{
  control.SetDelegate(mDelegate);
  control.SetGraphics(this);
  control.OnInit();
  control.OnResize();
  control.OnScaleChanged();
}

IControl* IGraphics::AttachControl(std::unique_ptr<IControl> control, int tag, const char* group)
{
  if (!control) return nullptr;
  if (tag >= 0)
  {
    // Refused: the control is deleted here rather than leaked.
    if (mCtrlTags.count(tag) != 0) return nullptr;
    mCtrlTags[tag] = control.get();
  }
  IControl* raw = control.get();
  RunAttachHooks(*raw);
  raw->SetGroup(group);
  mControls.push_back(std::move(control));
  raw->OnAdded();
  return raw;
}

void IGraphics::AttachBackground(std::unique_ptr<IControl> control)
{
  if (!control) return;
  IControl* raw = control.get();
  RunAttachHooks(*raw);
  mControls.insert(mControls.begin(), std::move(control));
  if (mMouseOver) mMouseOverIdx = GetControlIdx(mMouseOver);
  raw->OnAdded();
}

void IGraphics::ShowFrameRateDisplay(bool enable)
{
  if (enable && !mPerfDisplay)
  {
    mPerfDisplay =
        std::make_unique<IFPSDisplayControl>(IRect(10.f, 10.f, 210.f, 60.f), "Frame Time");
    RunAttachHooks(*mPerfDisplay);
  }
  else if (!enable && mPerfDisplay)
  {
    if (ControlIsCaptured(mPerfDisplay.get())) ReleaseAllCaptures();
    mPerfDisplay.reset();
    mMouseOver = nullptr;
    mMouseOverIdx = -1;
  }
  MarkAllControlsDirty();
}

IFPSDisplayControl* IGraphics::GetFrameRateDisplay() const
{
  return mPerfDisplay.get();
}

void IGraphics::ForgetControl(IControl* control)
{
  if (ControlIsCaptured(control)) ReleaseAllCaptures();
  if (mMouseOver == control)
  {
    mMouseOver = nullptr;
    mMouseOverIdx = -1;
  }
  if (mInTextEntry == control) mInTextEntry = nullptr;
  if (mInPopupMenu == control)
  {
    EndPromptGestures();
    mInPopupMenu = nullptr;
  }
  for (auto it = mCtrlTags.begin(); it != mCtrlTags.end();)
    it = it->second == control ? mCtrlTags.erase(it) : std::next(it);
  const int idx = GetControlIdx(control);
  if (idx >= 0) mControls.erase(mControls.begin() + idx);
  if (mMouseOver) mMouseOverIdx = GetControlIdx(mMouseOver);
}

void IGraphics::RemoveControl(int idx)
{
  IControl* control = GetControl(idx);
  if (control == nullptr) return;
  ForgetControl(control);
  MarkAllControlsDirty();
}

void IGraphics::RemoveControl(IControl* control)
{
  RemoveControl(GetControlIdx(control));
}

void IGraphics::RemoveControlByTag(int tag)
{
  RemoveControl(GetControlWithTag(tag));
}

void IGraphics::RemoveControls(int fromIdx)
{
  fromIdx = std::max(fromIdx, 0);
  for (int i = NControls() - 1; i >= fromIdx; --i)
    ForgetControl(GetControl(i));
  MarkAllControlsDirty();
}

void IGraphics::ClearAllControls()
{
  EndAllCaptureGestures();
  EndPromptGestures();
  mCapturedMap.clear();
  ShowCursorIfHidden();
  mMouseOver = nullptr;
  mMouseOverIdx = -1;
  mInTextEntry = nullptr;
  mInPopupMenu = nullptr;
  mCtrlTags.clear();
  mPerfDisplay.reset();
  mCornerResizer.reset();
  mTextEntryControl.reset();
  mPopupControl.reset();
  mBubbleControls.clear();
  mControls.clear();
}

IControl* IGraphics::GetControl(int idx) const
{
  if (idx < 0 || idx >= NControls()) return nullptr;
  return mControls[static_cast<std::size_t>(idx)].get();
}

IControl* IGraphics::GetControlWithTag(int tag) const
{
  const auto it = mCtrlTags.find(tag);
  return it == mCtrlTags.end() ? nullptr : it->second;
}

int IGraphics::GetControlIdx(const IControl* control) const
{
  if (control == nullptr) return -1;
  for (int i = 0; i < NControls(); ++i)
    if (mControls[static_cast<std::size_t>(i)].get() == control) return i;
  return -1;
}

int IGraphics::GetControlTag(const IControl* control) const
{
  for (const auto& [tag, c] : mCtrlTags)
    if (c == control) return tag;
  return -1;
}

void IGraphics::ForEachListedControl(const ControlFunc& func)
{
  // By index: a function may not remove controls, but may append some.
  for (int i = 0; i < NControls(); ++i)
    func(GetControl(i));
}

void IGraphics::ForEachControl(const ControlFunc& func)
{
  ForEachListedControl(func);
  if (mPerfDisplay) func(mPerfDisplay.get());
  if (mCornerResizer) func(mCornerResizer.get());
  if (mTextEntryControl) func(mTextEntryControl.get());
  if (mPopupControl) func(mPopupControl.get());
  for (std::size_t i = 0; i < mBubbleControls.size(); ++i)
    func(mBubbleControls[i].get());
}

void IGraphics::ForEachControlOfParam(int paramIdx, const ControlFunc& func)
{
  ForEachListedControl(
      [&](IControl* c)
      {
        if (c->IsLinkedToParam(paramIdx) >= 0) func(c);
      });
}

void IGraphics::ForEachControlInGroup(const char* group, const ControlFunc& func)
{
  if (group == nullptr || *group == '\0') return;
  const std::string wanted(group);
  ForEachListedControl(
      [&](IControl* c)
      {
        if (wanted == c->GetGroup()) func(c);
      });
}

void IGraphics::HideControlsOfParam(int paramIdx, bool hide)
{
  ForEachControlOfParam(paramIdx, [hide](IControl* c) { c->Hide(hide); });
}

void IGraphics::DisableControlsOfParam(int paramIdx, bool disable)
{
  ForEachControlOfParam(paramIdx, [disable](IControl* c) { c->SetDisabled(disable); });
}

void IGraphics::SyncLinkedControls(IControl* source, int valIdx)
{
  if (source == nullptr) return;
  const double value = source->GetValue(valIdx);
  const int paramIdx = source->GetParamIndex(valIdx);
  ForEachControl(
      [&](IControl* c)
      {
        if (c == source) return;
        const int slot = c->IsLinkedToParam(paramIdx);
        if (slot >= 0) c->UpdateValueFromParam(value, slot);
      });
}

void IGraphics::SetControlBounds(int idx, const IRect& bounds)
{
  IControl* c = GetControl(idx);
  if (c == nullptr) return;
  c->SetTargetAndDrawRECTs(bounds);
  if (!c->IsHidden()) MarkAllControlsDirty();
}

void IGraphics::SetControlPosition(int idx, float x, float y)
{
  IControl* c = GetControl(idx);
  if (c == nullptr) return;
  c->SetPosition(x, y);
  if (!c->IsHidden()) MarkAllControlsDirty();
}

void IGraphics::SetControlSize(int idx, float w, float h)
{
  IControl* c = GetControl(idx);
  if (c == nullptr) return;
  c->SetSize(w, h);
  if (!c->IsHidden()) MarkAllControlsDirty();
}

void IGraphics::MarkAllControlsDirty()
{
  ForEachControl([](IControl* c) { c->SetDirty(false); });
}

void IGraphics::MarkAllControlsClean()
{
  ForEachControl([](IControl* c) { c->SetClean(); });
}

// Dirty regions and drawing -----------------------------------------------------------

bool IGraphics::IsDirty(IRectList& rects)
{
  if (mFrameTickFunc) mFrameTickFunc();
  ForEachControl([](IControl* c) { c->Animate(); });
  bool dirty = false;
  ForEachControl(
      [&](IControl* c)
      {
        if (c->IsDirty())
        {
          // The margin takes in anti-aliased edges that spill past the bounds.
          rects.Add(c->GetRECT().GetPadded(0.75f));
          dirty = true;
        }
      });
  return dirty;
}

void IGraphics::Draw(IRectList& rects)
{
  if (rects.Empty()) return;
  const float scale = GetPixelScale();
  StartFrame();

  auto drawAll = [&](const IRect& region)
  { ForEachControl([&](IControl* c) { DrawControl(c, region, scale); }); };

  if (mSingleRegionDrawing)
  {
    const IRect bounds = rects.Bounds();
    if (!bounds.Empty()) drawAll(bounds.GetPixelSnapped(scale));
  }
  else
  {
    rects.PixelSnap(scale);
    rects.RemoveOverlaps();
    for (int i = 0; i < rects.Size(); ++i)
      drawAll(rects.Get(i));
  }

  FinishFrame();
}

void IGraphics::DrawControl(IControl* control, const IRect& region, float scale)
{
  if (control == nullptr) return;
  // The background is drawn even when hidden: something must cover the area.
  if (control->IsHidden() && control != GetBackground()) return;
  const IRect area = control->GetRECT().GetPadded(0.75f).GetPixelSnapped(scale);
  const IRect clip = region.Intersect(area);
  if (clip.W() <= 0.f || clip.H() <= 0.f) return;

  PathTransformReset();
  PathReset();
  ClipToRect(clip);
  mClipRECT = clip;

  control->Draw(*this);
  control->DrawHighlight(*this);
  CompleteRegion(clip);
}

void IGraphics::SetSingleRegionDrawing(bool single)
{
  mSingleRegionDrawing = single;
  MarkAllControlsDirty();
}

// Size and scale ----------------------------------------------------------------------

void IGraphics::ResizeHostView(bool platformMustFollow)
{
  const int w = static_cast<int>(static_cast<int>(mWidth * mDrawScale) * mScreenScale);
  const int h = static_cast<int>(static_cast<int>(mHeight * mDrawScale) * mScreenScale);
  const bool hostResized = mDelegate.ResizeFromEditor(w, h, platformMustFollow);
  PlatformResize(hostResized);
}

void IGraphics::Resize(int w, int h, float scale, bool needsPlatformResize)
{
  if (!UsableScale(scale)) return;
  const int minW = mDelegate.GetMinWidth();
  const int maxW = mDelegate.GetMaxWidth();
  const int minH = mDelegate.GetMinHeight();
  const int maxH = mDelegate.GetMaxHeight();
  // Limits apply once the plug-in has set them; without any, only a size
  // that cannot be drawn is refused.
  if (maxW > 0 && maxH > 0)
  {
    if (w < minW || w > maxW || h < minH || h > maxH)
    {
      w = std::clamp(w, minW, maxW);
      h = std::clamp(h, minH, maxH);
    }
  }
  if (w <= 0 || h <= 0) return;
  scale = std::clamp(scale, mMinScale, mMaxScale);
  if (w == mWidth && h == mHeight && scale == mDrawScale) return;

  ReleaseAllCaptures();
  mDrawScale = scale;
  mWidth = w;
  mHeight = h;
  if (mCornerResizer) mCornerResizer->OnScaleChanged();

  ResizeHostView(needsPlatformResize);
  ForEachControl([](IControl* c) { c->OnResize(); });
  ForEachControl([](IControl* c) { c->SetDirty(false); });
  ResizeDrawTarget();
  if (mLayoutOnResize) mDelegate.RunLayout(this);
}

void IGraphics::ApplyScreenScale(float scale)
{
  if (!UsableScale(scale)) return;
  mScreenScale = scale;
  ResizeHostView(true);
  ForEachControl([](IControl* c) { c->OnScaleChanged(); });
  MarkAllControlsDirty();
  ResizeDrawTarget();
}

void IGraphics::SetClock(const IClock* clock)
{
  mClock = clock != nullptr ? clock : &MonotonicClock::Instance();
  mPrevTimestampMs = -1.0;
}

// Pointer capture ----------------------------------------------------------------------

void IGraphics::CaptureControl(std::int64_t touchId, IControl* control)
{
  if (control == nullptr)
    ReleaseCapture(touchId);
  else
    mCapturedMap[touchId] = control;
}

void IGraphics::ReleaseCapture(std::int64_t touchId)
{
  EndCaptureGestures(touchId);
  mCapturedMap.erase(touchId);
}

void IGraphics::ShowCursorIfHidden()
{
  if (mCursorHidden) SetCursorHidden(false);
}

void IGraphics::ReleaseAllCaptures()
{
  EndAllCaptureGestures();
  mCapturedMap.clear();
  ShowCursorIfHidden();
}

bool IGraphics::ControlIsCaptured(const IControl* control) const
{
  return NCapturedTouches(control) > 0;
}

IControl* IGraphics::GetCapturedControl(std::int64_t touchId) const
{
  const auto it = mCapturedMap.find(touchId);
  return it == mCapturedMap.end() ? nullptr : it->second;
}

int IGraphics::NCapturedTouches(const IControl* control) const
{
  if (control == nullptr) return 0;
  int n = 0;
  for (const auto& [touch, c] : mCapturedMap)
    n += c == control ? 1 : 0;
  return n;
}

// Platform operations: the headless core keeps the state a platform would ---------

void IGraphics::CursorPositionInPoints(float& x, float& y) const
{
  x = mCursorX;
  y = mCursorY;
}

void IGraphics::SetCursorHidden(bool hide, bool lock)
{
  if (hide == mCursorHidden) return;
  if (hide)
  {
    mHiddenCursorX = mCursorX;
    mHiddenCursorY = mCursorY;
    mCursorHidden = true;
    mCursorLocked = lock && !mPenInput;
  }
  else
  {
    if (mCursorLocked) WarpCursorTo(mHiddenCursorX, mHiddenCursorY);
    mCursorHidden = false;
    mCursorLocked = false;
  }
}

void IGraphics::WarpCursorTo(float x, float y)
{
  mCursorX = x;
  mCursorY = y;
}

CursorShape IGraphics::SetCursorShape(CursorShape shape)
{
  const CursorShape previous = mCursorShape;
  mCursorShape = shape;
  return previous;
}

void* IGraphics::CreateEditorWindow(void* parent)
{
  (void)parent;
  return nullptr;
}

bool IGraphics::ReadClipboardText(std::string& text)
{
  text.clear();
  return false;
}

bool IGraphics::WriteClipboardText(const char* text)
{
  (void)text;
  return false;
}

int IGraphics::ShowModalMessage(const char* text, const char* caption, int type,
                                MessageCompletion completion)
{
  (void)text;
  (void)caption;
  (void)type;
  (void)completion;
  return 0;
}

void IGraphics::ChooseFile(std::string& fileName, std::string& dir, int action,
                           const char* extensions, FileCompletion completion)
{
  // Without a window there is no dialog: nothing is chosen.
  (void)dir;
  (void)action;
  (void)extensions;
  (void)completion;
  fileName.clear();
}

void IGraphics::ChooseFolder(std::string& dir, FileCompletion completion)
{
  (void)completion;
  dir.clear();
}

bool IGraphics::ChooseColour(IColor& colour, const char* prompt, ColourCompletion completion)
{
  (void)colour;
  (void)prompt;
  (void)completion;
  return false;
}

bool IGraphics::OpenWebAddress(const char* url, const char* title, const char* confirmText,
                               const char* errorText)
{
  (void)url;
  (void)title;
  (void)confirmText;
  (void)errorText;
  return false;
}

bool IGraphics::ShowInFileExplorer(const char* path, bool select)
{
  (void)path;
  (void)select;
  return false;
}

std::unique_ptr<PlatformFont> IGraphics::MakePlatformFont(const char* fontId,
                                                          const char* familyName, int style)
{
  (void)fontId;
  (void)familyName;
  (void)style;
  return nullptr;
}

void IGraphics::KeepTextEntryFont(const char* fontId, PlatformFont& font)
{
  (void)fontId;
  (void)font;
}

void IGraphics::OpenNativeTextEntry(int paramIdx, const ITextStyle& style, const IRect& bounds,
                                    int maxLength, const char* initialText)
{
  (void)paramIdx;
  (void)style;
  (void)bounds;
  (void)maxLength;
  (void)initialText;
}

IPopupMenu* IGraphics::ShowNativePopupMenu(IPopupMenu& menu, const IRect& bounds)
{
  (void)menu;
  (void)bounds;
  return nullptr;
}

void IGraphics::AddGestureRecognizer(EGestureType type)
{
  if (std::find(mRegisteredGestures.begin(), mRegisteredGestures.end(), type) ==
      mRegisteredGestures.end())
    mRegisteredGestures.push_back(type);
}

} // namespace igraphics
