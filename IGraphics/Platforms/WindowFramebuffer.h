#pragma once

#include "IGraphics/Drawing/GlFunctions.h"

#include <cstdint>

namespace igraphics
{

// What stands in for a window's framebuffer in a context without a window: a
// framebuffer object with one colour renderbuffer, the target the backing
// store is copied to at the end of each frame. Its name stays the same across
// resizes. Made, used and destroyed with its context current. [main-thread]
class WindowFramebuffer
{
public:
  WindowFramebuffer() = default;
  ~WindowFramebuffer();
  WindowFramebuffer(const WindowFramebuffer&) = delete;
  WindowFramebuffer& operator=(const WindowFramebuffer&) = delete;

  // Loads GL and makes the framebuffer; false when the context cannot.
  bool Create(int widthPixels, int heightPixels);
  bool Resize(int widthPixels, int heightPixels);
  void Bind();
  unsigned Name() const { return mFramebuffer; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }
  // Copies the pixels, top row first, into `rgba` (Width × Height × 4 bytes).
  void ReadTopDown(std::uint8_t* rgba);

private:
  GlFunctions mGl;
  unsigned mFramebuffer = 0;
  unsigned mColour = 0;
  int mWidth = 0;
  int mHeight = 0;
};

} // namespace igraphics
