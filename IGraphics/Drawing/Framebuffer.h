#pragma once

#include <memory>

namespace igraphics
{

class GlBackend;

// An offscreen render target: a framebuffer object with a colour texture and a
// stencil renderbuffer. Its texture is a renderer image (rows bottom-up,
// premultiplied), so it can be drawn with an image pattern. Made by
// VectorRenderer::CreateFramebuffer; destroy it on the thread of its GL context
// and never while a frame still draws from its image. Outliving the renderer is
// safe: its GL objects then went with the context.
class Framebuffer
{
public:
  ~Framebuffer();
  Framebuffer(const Framebuffer&) = delete;
  Framebuffer& operator=(const Framebuffer&) = delete;

  int Image() const { return image_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The GL framebuffer object's name.
  unsigned Name() const { return framebuffer_; }

private:
  friend class VectorRenderer;
  Framebuffer(std::weak_ptr<GlBackend> backend, unsigned framebuffer, unsigned renderbuffer,
              int image, int width, int height);

  std::weak_ptr<GlBackend> backend_;
  unsigned framebuffer_;
  unsigned renderbuffer_;
  int image_;
  int width_;
  int height_;
};

} // namespace igraphics
