#include "IGraphics/Platforms/IGraphicsLinux.h"

#include "IPlug/IGEditorDelegate.h"

#include <algorithm>
#include <cmath>

namespace igraphics
{

namespace
{

IMouseState MouseState(const AAX_HostSurfaceEvent& e)
{
  IMouseState ms;
  ms.L = (e.buttons & AAX_HOST_SURFACE_BUTTON_LEFT) != 0;
  ms.R = (e.buttons & AAX_HOST_SURFACE_BUTTON_RIGHT) != 0;
  ms.S = (e.modifiers & AAX_HOST_SURFACE_MOD_SHIFT) != 0;
  ms.C = (e.modifiers & AAX_HOST_SURFACE_MOD_CONTROL) != 0;
  ms.A = (e.modifiers & AAX_HOST_SURFACE_MOD_ALT) != 0;
  return ms;
}

} // namespace

IGraphicsLinux::IGraphicsLinux(iplug::IGEditorDelegate& dlg, int w, int h, int fps, float drawScale)
    : IGraphicsNanoVG(dlg, w, h, fps, drawScale)
{
}

IGraphicsLinux::~IGraphicsLinux()
{
  DestroyEditorWindow();
}

float IGraphicsLinux::SurfaceScale() const
{
  const float scale = mSurface ? mSurface->screenScale : 1.f;
  // A scale the host left unset or garbled draws at one pixel per point.
  return std::isfinite(scale) && scale > 0.f ? scale : 1.f;
}

void* IGraphicsLinux::CreateEditorWindow(void* parent)
{
  auto* surface = static_cast<AAX_HostSurface*>(parent);
  if (surface == nullptr || surface->magic != AAX_HOST_SURFACE_MAGIC ||
      surface->version != AAX_HOST_SURFACE_VERSION)
    return nullptr;
  if (mSurface) return mSurface;
  auto context = std::make_unique<EglContext>();
  if (!context->Valid() || !context->MakeCurrent()) return nullptr;
  mContext = std::move(context);
  mSurface = surface;
  mSurface->eventCount = 0;
  mWindow = std::make_unique<WindowFramebuffer>();
  // The window framebuffer is bound when the renderer context is made: that is
  // the framebuffer every frame is copied to.
  if (mWindow->Create(std::max(1, BackingWidthPixels()), std::max(1, BackingHeightPixels())))
  {
    mWindow->Bind();
    OnDrawContextCreated();
  }
  if (Renderer() == nullptr)
  {
    mWindow.reset();
    mContext->Restore();
    mContext.reset();
    mSurface = nullptr;
    return nullptr;
  }
  ApplyScreenScale(SurfaceScale());
  if (auto* dlg = GetDelegate()) dlg->FinishEditorOpening(*this);
  const std::uint32_t periodMs = static_cast<std::uint32_t>(1000 / std::max(1, FPS()));
  mTimer = iplug::Timer::Create([this](iplug::Timer&) { Tick(); }, periodMs);
  mContext->Restore();
  return mSurface;
}

void IGraphicsLinux::DestroyEditorWindow()
{
  if (!mSurface) return;
  mTimer.reset();
  mContext->MakeCurrent();
  OnDrawContextReleased();
  mWindow.reset();
  mContext->Restore();
  mContext.reset();
  mSurface = nullptr;
}

void IGraphicsLinux::MakeWindowContextCurrent()
{
  if (mContext) mContext->MakeCurrent();
}

void IGraphicsLinux::RestorePreviousContext()
{
  if (mContext) mContext->Restore();
}

void IGraphicsLinux::ResizeDrawTarget()
{
  if (!mContext)
  {
    IGraphicsNanoVG::ResizeDrawTarget();
    return;
  }
  mContext->MakeCurrent();
  if (mWindow) mWindow->Resize(BackingWidthPixels(), BackingHeightPixels());
  IGraphicsNanoVG::ResizeDrawTarget();
  mContext->Restore();
}

void IGraphicsLinux::Tick()
{
  if (!mSurface) return;
  mContext->MakeCurrent();
  TakeSurfaceEvents();
  // A new screen scale waits while a pointer holds a control.
  if (SurfaceScale() != GetScreenScale() && mCapturedMap.empty()) ApplyScreenScale(SurfaceScale());
  IRectList rects;
  if (IsDirty(rects))
  {
    // Cleaned before drawing: a control that turns dirty while drawn shows next tick.
    MarkAllControlsClean();
    Draw(rects);
    CopyFrameToSurface();
  }
  mContext->Restore();
}

void IGraphicsLinux::TakeSurfaceEvents()
{
  const int count = std::clamp(mSurface->eventCount, 0, AAX_HOST_SURFACE_MAX_EVENTS);
  // Copied first: a handler may close the editor and with it the surface.
  std::vector<AAX_HostSurfaceEvent> events(mSurface->events, mSurface->events + count);
  mSurface->eventCount = 0;
  for (const AAX_HostSurfaceEvent& event : events)
  {
    if (!mSurface) return;
    DispatchEvent(event);
  }
}

void IGraphicsLinux::DispatchEvent(const AAX_HostSurfaceEvent& e)
{
  if (!std::isfinite(e.x) || !std::isfinite(e.y)) return;
  const IMouseState ms = MouseState(e);
  IMouseEvent point{e.x, e.y, 0.f, 0.f, ms};
  switch (e.kind)
  {
  case AAX_eHostSurfaceEvent_MouseDown:
    OnMouseDown({point});
    break;
  case AAX_eHostSurfaceEvent_MouseUp:
    OnMouseUp({point});
    break;
  case AAX_eHostSurfaceEvent_MouseMove:
    if (ms.L || ms.R)
    {
      point.dX = e.x - mLastX;
      point.dY = e.y - mLastY;
      OnMouseDrag({point});
    }
    else
      OnMouseOver(e.x, e.y, ms);
    break;
  case AAX_eHostSurfaceEvent_Wheel:
    if (std::isfinite(e.wheelDelta)) OnMouseWheel(e.x, e.y, ms, e.wheelDelta);
    break;
  case AAX_eHostSurfaceEvent_DoubleClick:
    OnMouseDoubleClick(e.x, e.y, ms);
    break;
  case AAX_eHostSurfaceEvent_KeyDown:
  case AAX_eHostSurfaceEvent_KeyUp:
  {
    char text[sizeof(e.text) + 1] = {};
    std::copy_n(e.text, sizeof(e.text), text);
    const IKeyPress key(text, e.keyCode, ms.S, ms.C, ms.A);
    if (e.kind == AAX_eHostSurfaceEvent_KeyDown)
      OnKeyDown(e.x, e.y, key);
    else
      OnKeyUp(e.x, e.y, key);
    break;
  }
  default:
    return; // unknown kinds are the host's mistake: ignored
  }
  mLastX = e.x;
  mLastY = e.y;
}

void IGraphicsLinux::CopyFrameToSurface()
{
  if (!mSurface || !mWindow) return;
  const int w = mWindow->Width();
  const int h = mWindow->Height();
  mSurface->widthPixels = w;
  mSurface->heightPixels = h;
  const std::int64_t bytes = static_cast<std::int64_t>(w) * h * 4;
  // A buffer too small for this size gets nothing; the host sees the size and can grow it.
  if (mSurface->pixels == nullptr || mSurface->pixelCapacity < bytes) return;
  mWindow->ReadTopDown(mSurface->pixels);
  ++mSurface->frameCount;
}

} // namespace igraphics
