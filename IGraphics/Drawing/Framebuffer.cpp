#include "IGraphics/Drawing/Framebuffer.h"

#include "IGraphics/Drawing/GlBackend.h"

namespace igraphics
{

Framebuffer::Framebuffer(std::weak_ptr<GlBackend> backend, unsigned framebuffer,
                         unsigned renderbuffer, int image, int width, int height)
    : backend_(std::move(backend)), framebuffer_(framebuffer), renderbuffer_(renderbuffer),
      image_(image), width_(width), height_(height)
{
}

Framebuffer::~Framebuffer()
{
  const std::shared_ptr<GlBackend> backend = backend_.lock();
  if (!backend) return;
  GlFunctions& gl = backend->Gl();
  // A target deleted while bound would leave GL drawing nowhere; fall back to 0.
  GLint bound = 0;
  gl.GetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
  if (static_cast<unsigned>(bound) == framebuffer_) gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
  const GLuint fbo = framebuffer_;
  const GLuint rbo = renderbuffer_;
  gl.DeleteFramebuffers(1, &fbo);
  gl.DeleteRenderbuffers(1, &rbo);
  backend->DeleteTexture(image_);
}

} // namespace igraphics
