#include "Host/PlugHost/WindowDrawingCapture.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace plughost
{

namespace
{

struct WindowDc
{
  HWND window;
  HDC dc;
  ~WindowDc()
  {
    if (dc) ReleaseDC(window, dc);
  }
};

// Puts the caller's context back and deletes ours, whatever happened between.
struct OwnContext
{
  HDC previousDc = wglGetCurrentDC();
  HGLRC previous = wglGetCurrentContext();
  HGLRC own = nullptr;
  ~OwnContext()
  {
    wglMakeCurrent(previousDc, previous);
    if (own) wglDeleteContext(own);
  }
};

} // namespace

bool WindowDrawingCapture::Window(HWND window, RgbaImage* image, std::string* error)
{
  RECT area{};
  if (!IsWindowVisible(window) || !GetClientRect(window, &area) || area.right <= 0 ||
      area.bottom <= 0)
  {
    *error = "the editor window is not shown";
    return false;
  }
  const WindowDc dc{window, GetDC(window)};
  if (dc.dc == nullptr || GetPixelFormat(dc.dc) == 0)
  {
    *error = "the editor window has no pixel format to read its drawing with";
    return false;
  }
  OwnContext context;
  context.own = wglCreateContext(dc.dc);
  if (context.own == nullptr || !wglMakeCurrent(dc.dc, context.own))
  {
    *error = "cannot make an OpenGL context on the editor window";
    return false;
  }
  const int w = area.right;
  const int h = area.bottom;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4);
  // The editor draws to the back buffer and presents it; what it drew stays there.
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
  if (glGetError() != GL_NO_ERROR)
  {
    *error = "cannot read the editor window's drawing";
    return false;
  }
  // OpenGL rows run bottom-up.
  image->width = w;
  image->height = h;
  image->rgba.resize(rows.size());
  const std::size_t stride = static_cast<std::size_t>(w) * 4;
  for (int y = 0; y < h; ++y)
  {
    std::uint8_t* to = image->rgba.data() + static_cast<std::size_t>(y) * stride;
    std::memcpy(to, rows.data() + static_cast<std::size_t>(h - 1 - y) * stride, stride);
    for (std::size_t i = 3; i < stride; i += 4)
      to[i] = 255;
  }
  return true;
}

} // namespace plughost
