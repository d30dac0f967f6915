// The Linux platform layer: a host surface as the native parent, the editor's
// own EGL context, input from the surface's queue and frames copied into it.

#include "BackendTestGraphics.h"
#include "OffscreenGlContext.h"

#include "IGraphics/IKnobControlBase.h"
#include "IGraphics/Platforms/IGraphicsLinux.h"

#include <EGL/egl.h>
#include <gtest/gtest.h>

#include <memory>

using namespace igraphics;

namespace
{

using LinuxGraphics = IGraphicsLinux;

class FillControl final : public IControl
{
public:
  FillControl(const IRect& bounds, const IColor& colour) : IControl(bounds), mColour(colour) {}
  void Draw(IGraphics& g) override { g.FillRect(mColour, mRECT); }

private:
  IColor mColour;
};

// A knob drawn as a bar whose height follows its value.
class BarKnob final : public IKnobControlBase
{
public:
  using IKnobControlBase::IKnobControlBase;
  void Draw(IGraphics& g) override
  {
    g.FillRect(COLOR_BLACK, mRECT);
    g.FillRect(COLOR_RED, IRect(mRECT.L, mRECT.B - mRECT.H() * static_cast<float>(GetValue()),
                                mRECT.R, mRECT.B));
  }
};

struct Surface
{
  explicit Surface(float scale = 1.f, std::int64_t capacity = 1 << 22)
      : storage(static_cast<std::size_t>(capacity))
  {
    s.magic = AAX_HOST_SURFACE_MAGIC;
    s.version = AAX_HOST_SURFACE_VERSION;
    s.screenScale = scale;
    s.pixels = storage.data();
    s.pixelCapacity = capacity;
  }
  void Push(int kind, float x, float y, int buttons = 0)
  {
    AAX_HostSurfaceEvent& e = s.events[s.eventCount++];
    e = AAX_HostSurfaceEvent{};
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.buttons = buttons;
  }
  const std::uint8_t* Pixel(int x, int y) const
  {
    return &storage[(static_cast<std::size_t>(y) * s.widthPixels + x) * 4];
  }
  AAX_HostSurface s{};
  std::vector<std::uint8_t> storage;
};

class LinuxPlatform : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const std::string* failure = OffscreenGlContext::Acquire();
    ASSERT_EQ(failure, nullptr) << *failure;
    delegate.SetLayoutFunction(
        [](IGraphics* g)
        {
          g->AttachControl(std::make_unique<FillControl>(IRect(0, 0, 100, 50), COLOR_BLUE));
          g->AttachControl(std::make_unique<FillControl>(IRect(10, 10, 20, 20), COLOR_GREEN));
        });
  }

  TestDelegate delegate{4};
};

} // namespace

TEST_F(LinuxPlatform, OpensOnAHostSurfaceAndCopiesEachDrawnFrameIntoIt)
{
  const EGLContext before = eglGetCurrentContext();
  Surface surface;
  LinuxGraphics g(delegate, 100, 50);
  ASSERT_NE(g.CreateEditorWindow(&surface.s), nullptr);
  EXPECT_EQ(eglGetCurrentContext(), before); // the caller's context is back
  EXPECT_EQ(g.NControls(), 2);
  g.Tick();
  EXPECT_EQ(surface.s.frameCount, 1);
  EXPECT_EQ(surface.s.widthPixels, 100);
  EXPECT_EQ(surface.s.heightPixels, 50);
  EXPECT_EQ(surface.Pixel(50, 40)[2], 255); // blue background
  EXPECT_EQ(surface.Pixel(15, 15)[1], 255); // green square, top-left: rows run top down
  EXPECT_EQ(surface.Pixel(15, 15)[2], 0);
  // Nothing dirty: no new frame.
  g.Tick();
  EXPECT_EQ(surface.s.frameCount, 1);
  EXPECT_EQ(eglGetCurrentContext(), before);
}

TEST_F(LinuxPlatform, ScreenScaleComesFromTheSurface)
{
  Surface surface(2.f);
  LinuxGraphics g(delegate, 100, 50);
  ASSERT_NE(g.CreateEditorWindow(&surface.s), nullptr);
  EXPECT_EQ(g.GetScreenScale(), 2.f);
  g.Tick();
  EXPECT_EQ(surface.s.widthPixels, 200);
  EXPECT_EQ(surface.Pixel(35, 35)[1], 255); // (10..20 points) × 2
  surface.s.screenScale = 1.5f;
  g.Tick();
  EXPECT_EQ(g.GetScreenScale(), 1.5f);
  EXPECT_EQ(surface.s.widthPixels, 150);
  EXPECT_EQ(surface.s.heightPixels, 75);
  EXPECT_EQ(surface.s.frameCount, 2);
  // Unset or garbled scales draw at 1.
  surface.s.screenScale = -3.f;
  g.Tick();
  EXPECT_EQ(g.GetScreenScale(), 1.f);
}

TEST_F(LinuxPlatform, RefusesWhatIsNotAHostSurfaceAndABufferTooSmallGetsOnlyTheSize)
{
  LinuxGraphics g(delegate, 100, 50);
  EXPECT_EQ(g.CreateEditorWindow(nullptr), nullptr);
  Surface wrong;
  wrong.s.magic = 0;
  EXPECT_EQ(g.CreateEditorWindow(&wrong.s), nullptr);
  Surface future;
  future.s.version = AAX_HOST_SURFACE_VERSION + 1;
  EXPECT_EQ(g.CreateEditorWindow(&future.s), nullptr);
  EXPECT_FALSE(g.HasEditorWindow());

  Surface small(1.f, 100);
  ASSERT_NE(g.CreateEditorWindow(&small.s), nullptr);
  g.Tick();
  EXPECT_EQ(small.s.widthPixels, 100);
  EXPECT_EQ(small.s.frameCount, 0);
  g.DestroyEditorWindow();
  EXPECT_FALSE(g.HasEditorWindow());
  EXPECT_EQ(g.RendererHandle(), nullptr);
}

TEST_F(LinuxPlatform, AScriptedDragTurnsTheKnobAndTheHostSeesTheGesture)
{
  BarKnob* knob = nullptr;
  delegate.SetLayoutFunction(
      [&](IGraphics* g)
      {
        auto made =
            std::make_unique<BarKnob>(IRect(569, 47, 685, 163), 3, Orientation::Vertical, 4.0);
        knob = made.get();
        g->AttachControl(std::move(made));
      });
  Surface surface;
  LinuxGraphics g(delegate, 732, 208);
  ASSERT_NE(g.CreateEditorWindow(&surface.s), nullptr);
  ASSERT_NE(knob, nullptr);
  knob->SetValue(0.5);
  g.Tick();
  // Down at the knob's centre, up 58 points in two moves, release:
  // 58 / 116 of the height at gearing 4 is +0.125.
  surface.Push(AAX_eHostSurfaceEvent_MouseDown, 627, 105, AAX_HOST_SURFACE_BUTTON_LEFT);
  surface.Push(AAX_eHostSurfaceEvent_MouseMove, 627, 75, AAX_HOST_SURFACE_BUTTON_LEFT);
  surface.Push(AAX_eHostSurfaceEvent_MouseMove, 627, 47, AAX_HOST_SURFACE_BUTTON_LEFT);
  surface.Push(AAX_eHostSurfaceEvent_MouseUp, 627, 47, AAX_HOST_SURFACE_BUTTON_LEFT);
  g.Tick();
  EXPECT_EQ(surface.s.eventCount, 0);
  EXPECT_NEAR(knob->GetValue(), 0.625, 1e-9);
  ASSERT_GE(delegate.calls.size(), 3u);
  EXPECT_EQ(delegate.calls.front(), "begin 3");
  EXPECT_EQ(delegate.calls.back(), "end 3");
  for (std::size_t i = 1; i + 1 < delegate.calls.size(); ++i)
    EXPECT_EQ(delegate.calls[i], "value 3");
  ASSERT_FALSE(delegate.values.empty());
  EXPECT_NEAR(delegate.values.back(), 0.625, 1e-9);
  // The bar shows it: red from the bottom up to 62.5 % of the knob.
  const int redTop = static_cast<int>(163 - 116 * 0.625);
  EXPECT_EQ(surface.Pixel(627, redTop + 2)[0], 255);
  EXPECT_EQ(surface.Pixel(627, redTop - 2)[0], 0);
}
