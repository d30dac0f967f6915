#pragma once

// Helpers shared by the input-dispatch, bubble, resizer and editor-delegate
// tests: a concrete knob, a graphics object that plays the platform's part
// when its window opens, and the host's view container wrapped as the AAX
// library wraps it.

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "Host/HostRef.h"
#include "Host/HostViewContainer.h"
#include "Host/InterfacePolicy.h"
#include "IGraphics/IKnobControlBase.h"
#include "support/FakeEditorDelegate.h"
#include "support/RecordingGraphics.h"

#include <memory>

namespace igraphics::test
{

// A knob that draws nothing: the behaviour of IKnobControlBase alone.
class TestKnob : public IKnobControlBase
{
public:
  explicit TestKnob(const IRect& bounds, int paramIdx = -1, ActionFunction action = nullptr)
      : IKnobControlBase(bounds, paramIdx)
  {
    SetActionFunction(std::move(action));
  }
  void Draw(IGraphics&) override {}
};

// What a platform layer does once its window exists: the layout, every
// control dirty, every value sent. Its "window" is a fixed non-null handle.
class OpeningGraphics : public RecordingGraphics
{
public:
  using RecordingGraphics::RecordingGraphics;

  void* CreateEditorWindow(void* parent) override
  {
    if (parent == nullptr) return nullptr;
    if (windowsOpened > windowsClosed) return &windowsOpened; // one window at a time
    ++windowsOpened;
    GetDelegate()->FinishEditorOpening(*this);
    return &windowsOpened;
  }
  void DestroyEditorWindow() override { ++windowsClosed; }

  int windowsOpened = 0;
  int windowsClosed = 0;
};

// Installs a factory that makes OpeningGraphics of 732 × 208 at scale 1, and
// remembers the last one made.
inline void InstallOpeningFactory(iplug::IGEditorDelegate& dlg, OpeningGraphics** last = nullptr)
{
  dlg.SetGraphicsFactory(
      [&dlg, last]() -> std::unique_ptr<IGraphics>
      {
        auto g = std::make_unique<OpeningGraphics>(dlg, 732, 208);
        if (last != nullptr) *last = g.get();
        return g;
      });
}

// Our host's view container, as a module's AAX library sees it.
struct HostContainer
{
  HostContainer()
      : host(aaxhost::HostRef<aaxhost::HostViewContainer>::Adopt(
            aaxhost::NewHostObject<aaxhost::HostViewContainer>(
                std::make_shared<aaxhost::InterfacePolicy>(), &parent))),
        wrapper(static_cast<AAX_IViewContainer*>(host.Get()))
  {
  }

  int parent = 0;
  aaxhost::HostRef<aaxhost::HostViewContainer> host;
  AAX_VViewContainer wrapper;
};

inline IMouseEvent Press(float x, float y, bool right = false, bool shift = false)
{
  IMouseEvent e;
  e.x = x;
  e.y = y;
  e.ms.L = !right;
  e.ms.R = right;
  e.ms.S = shift;
  return e;
}

inline IMouseEvent Move(float x, float y, float dX, float dY)
{
  IMouseEvent e;
  e.x = x;
  e.y = y;
  e.dX = dX;
  e.dY = dY;
  e.ms.L = true;
  return e;
}

} // namespace igraphics::test
