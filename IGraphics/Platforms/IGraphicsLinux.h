#pragma once

#include "AAX_SDK/Interfaces/AAX_HostSurface.h"
#include "IGraphics/Drawing/IGraphicsNanoVG.h"
#include "IGraphics/Platforms/EglContext.h"
#include "IGraphics/Platforms/WindowFramebuffer.h"
#include "IPlug/Timer.h"

#include <memory>
#include <vector>

namespace igraphics
{

// The Linux platform layer: no window system, a host surface instead. The
// editor renders with its own surfaceless EGL context into a framebuffer that
// stands in for a window; on each timer tick it takes the input events the
// host queued on the surface, redraws what is dirty and copies the finished
// frame into the surface's pixel buffer. The screen scale is the surface's.
// The timer fires from the host's main-thread loop. [main-thread]
class IGraphicsLinux : public IGraphicsNanoVG
{
public:
  // [main-thread]
  IGraphicsLinux(iplug::IGEditorDelegate& dlg, int w, int h, int fps = 60, float drawScale = 1.f);
  // Closes the window if still open. [main-thread]
  ~IGraphicsLinux() override;

  // `parent` is the host's AAX_HostSurface. Null (no editor) for anything that
  // is not a surface of a known version, or when no GL context can be made.
  // This and the window operations below: [main-thread]
  void* CreateEditorWindow(void* parent) override;
  void DestroyEditorWindow() override;
  void* EditorWindowHandle() const override { return mSurface; }
  bool HasEditorWindow() const override { return mSurface != nullptr; }
  const char* PlatformName() const override { return "linux"; }
  void MakeWindowContextCurrent() override;
  void RestorePreviousContext() override;
  void ResizeDrawTarget() override;

  // One timer tick: input, screen scale, dirty regions, the copy to the
  // surface. Public so a host loop without timers can drive it. [main-thread]
  void Tick();

private:
  void TakeSurfaceEvents();
  void DispatchEvent(const AAX_HostSurfaceEvent& event);
  void CopyFrameToSurface();
  float SurfaceScale() const;

  // Main thread only.
  AAX_HostSurface* mSurface = nullptr; // the host's; valid while the window is open
  std::unique_ptr<EglContext> mContext;
  std::unique_ptr<WindowFramebuffer> mWindow;
  std::unique_ptr<iplug::Timer> mTimer;
  std::vector<std::uint8_t> mFrame;
  float mLastX = 0.f; // pointer position of the previous event, points
  float mLastY = 0.f;
};

} // namespace igraphics
