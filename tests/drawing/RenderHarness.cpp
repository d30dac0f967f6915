#include "RenderHarness.h"

#include "OffscreenGlContext.h"

#include <stb_image_write.h>

#include <algorithm>

using namespace igraphics;

RenderHarness::RenderHarness(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height * 4, 0)
{
  if (const std::string* failure = OffscreenGlContext::Acquire())
  {
    failure_ = *failure;
    return;
  }
  renderer_ = VectorRenderer::Create(VectorRenderer::kEdgeAntialias, &failure_);
  if (!renderer_) return;
  target_ = renderer_->CreateFramebuffer(width, height, 0);
  if (!target_) failure_ = "cannot create the offscreen framebuffer";
}

RenderHarness::~RenderHarness()
{
  target_.reset();
  renderer_.reset();
}

void RenderHarness::Render(const std::function<void(VectorRenderer&)>& draw, float pixelRatio,
                           const float clear[4])
{
  VectorRenderer& r = *renderer_;
  r.BindFramebuffer(*target_);
  r.SetViewport(0, 0, width_, height_);
  if (clear)
    r.ClearTarget(clear[0], clear[1], clear[2], clear[3]);
  else
    r.ClearTarget(0, 0, 0, 0);
  r.BeginFrame(width_ / pixelRatio, height_ / pixelRatio, pixelRatio);
  draw(r);
  r.EndFrame();
  std::vector<std::uint8_t> bottomUp(pixels_.size());
  r.ReadPixels(0, 0, width_, height_, bottomUp.data());
  const std::size_t row = static_cast<std::size_t>(width_) * 4;
  for (int y = 0; y < height_; ++y)
    std::copy_n(bottomUp.data() + (height_ - 1 - y) * row, row, pixels_.data() + y * row);
  r.BindFramebufferObject(0);
}

float RenderHarness::At(int x, int y, int channel) const
{
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0.0f;
  return pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4 + channel] / 255.0f;
}

double RenderHarness::TotalAlpha() const
{
  double sum = 0.0;
  for (std::size_t i = 3; i < pixels_.size(); i += 4)
    sum += pixels_[i] / 255.0;
  return sum;
}

void RenderHarness::WritePng(const std::string& name) const
{
  std::vector<std::uint8_t> straight(pixels_);
  for (std::size_t i = 0; i < straight.size(); i += 4)
  {
    const int a = straight[i + 3];
    for (int c = 0; c < 3; ++c)
      straight[i + c] = static_cast<std::uint8_t>(a ? std::min(255, straight[i + c] * 255 / a) : 0);
  }
  const std::string file = name + ".png";
  stbi_write_png(file.c_str(), width_, height_, 4, straight.data(), width_ * 4);
}
