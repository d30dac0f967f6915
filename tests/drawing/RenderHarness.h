#pragma once

#include "IGraphics/Drawing/VectorRenderer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Draws with a fresh renderer into an offscreen framebuffer and reads the
// pixels back, top row first. Colours are premultiplied as in the framebuffer.
class RenderHarness
{
public:
  RenderHarness(int width, int height);
  ~RenderHarness();

  bool Ready() const { return renderer_ && target_; }
  const std::string& Failure() const { return failure_; }
  igraphics::VectorRenderer& Renderer() { return *renderer_; }

  // Clears to a premultiplied colour, draws one frame at `pixelRatio` (frame
  // size = pixel size / ratio) and reads the result back.
  void Render(const std::function<void(igraphics::VectorRenderer&)>& draw, float pixelRatio = 1.0f,
              const float clear[4] = nullptr);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Channel 0..3 (r, g, b, a) of pixel (x, y) as 0..1.
  float At(int x, int y, int channel) const;
  float Alpha(int x, int y) const { return At(x, y, 3); }
  // Sum of alpha over the whole target.
  double TotalAlpha() const;
  // Writes the pixels as a PNG (straight alpha) into the working directory.
  void WritePng(const std::string& name) const;

private:
  int width_;
  int height_;
  std::string failure_;
  std::unique_ptr<igraphics::VectorRenderer> renderer_;
  std::unique_ptr<igraphics::Framebuffer> target_;
  std::vector<std::uint8_t> pixels_;
};
