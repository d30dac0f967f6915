#include "IGraphics/Platforms/WindowFramebuffer.h"

#include <algorithm>
#include <vector>

namespace igraphics
{

WindowFramebuffer::~WindowFramebuffer()
{
  if (mFramebuffer) mGl.DeleteFramebuffers(1, &mFramebuffer);
  if (mColour) mGl.DeleteRenderbuffers(1, &mColour);
}

bool WindowFramebuffer::Create(int widthPixels, int heightPixels)
{
  const char* missing = nullptr;
  if (!mGl.LoadFromPlatform(&missing)) return false;
  mGl.GenFramebuffers(1, &mFramebuffer);
  mGl.GenRenderbuffers(1, &mColour);
  return Resize(widthPixels, heightPixels);
}

bool WindowFramebuffer::Resize(int widthPixels, int heightPixels)
{
  if (!mFramebuffer || widthPixels <= 0 || heightPixels <= 0) return false;
  GLint previous = 0;
  mGl.GetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  mGl.BindRenderbuffer(GL_RENDERBUFFER, mColour);
  mGl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, widthPixels, heightPixels);
  mGl.BindRenderbuffer(GL_RENDERBUFFER, 0);
  mGl.BindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
  mGl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mColour);
  const bool complete = mGl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  mGl.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  if (complete)
  {
    mWidth = widthPixels;
    mHeight = heightPixels;
  }
  return complete;
}

void WindowFramebuffer::Bind()
{
  mGl.BindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
}

void WindowFramebuffer::ReadTopDown(std::uint8_t* rgba)
{
  GLint previous = 0;
  mGl.GetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  mGl.BindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
  mGl.PixelStorei(GL_PACK_ALIGNMENT, 1);
  mGl.ReadPixels(0, 0, mWidth, mHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  // GL's rows run bottom-up.
  const std::size_t rowBytes = static_cast<std::size_t>(mWidth) * 4;
  std::vector<std::uint8_t> row(rowBytes);
  for (int y = 0; y < mHeight / 2; ++y)
  {
    std::uint8_t* top = rgba + rowBytes * static_cast<std::size_t>(y);
    std::uint8_t* bottom = rgba + rowBytes * static_cast<std::size_t>(mHeight - 1 - y);
    std::copy_n(top, rowBytes, row.data());
    std::copy_n(bottom, rowBytes, top);
    std::copy_n(row.data(), rowBytes, bottom);
  }
  mGl.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
}

} // namespace igraphics
