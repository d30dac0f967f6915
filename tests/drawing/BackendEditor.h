#pragma once

#include "BackendTestGraphics.h"
#include "OffscreenGlContext.h"

#include <gtest/gtest.h>

#include <functional>

// An editor of the back end on the shared offscreen context, drawing into a
// test window: the window's framebuffer is bound when the renderer context is
// made, as a platform layer does.
struct BackendEditor
{
  BackendEditor(int w, int h, float screenScale = 1.f, int nParams = 0)
      : delegate(nParams),
        window(static_cast<int>(w * screenScale), static_cast<int>(h * screenScale)),
        graphics(delegate, w, h)
  {
    window.Bind();
    graphics.OnDrawContextCreated();
    graphics.ApplyScreenScale(screenScale);
    graphics.ResizeDrawTarget();
  }
  ~BackendEditor() { graphics.OnDrawContextReleased(); }

  // One frame: `draw` runs with the transform reset, as for a control.
  void Frame(const std::function<void(igraphics::IGraphics&)>& draw)
  {
    graphics.StartFrame();
    graphics.PathTransformReset();
    draw(graphics);
    graphics.FinishFrame();
  }
  std::vector<std::uint8_t> Window() { return window.Read(); }
  std::vector<std::uint8_t> BackingStore()
  {
    return TestWindow::Read(*graphics.Renderer(),
                            static_cast<int>(graphics.BackingFramebuffer()->Name()),
                            graphics.BackingWidthPixels(), graphics.BackingHeightPixels());
  }
  int PixelWidth() const { return graphics.BackingWidthPixels(); }
  // Channel c (0..3) of pixel (x, y) of `pixels` as 0..255.
  int At(const std::vector<std::uint8_t>& pixels, int x, int y, int c) const
  {
    return pixels[(static_cast<std::size_t>(y) * PixelWidth() + x) * 4 + c];
  }

  TestDelegate delegate;
  TestWindow window;
  BackendTestGraphics graphics;
};

// Tests that draw on the shared offscreen context: each first makes sure it exists.
class OffscreenTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    const std::string* failure = OffscreenGlContext::Acquire();
    ASSERT_EQ(failure, nullptr) << *failure;
  }
};
