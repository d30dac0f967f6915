#pragma once

#include "Host/PlugHost/PngFile.h"

#include <windows.h>

#include <string>

namespace plughost
{

// A window's OpenGL drawing as it last drew it, read back through a context of
// this host's own made current on the window's device context. For systems
// whose screen lacks child windows' OpenGL output, where ScreenCapture would
// only see the parent's background. [main-thread]
class WindowDrawingCapture
{
public:
  // The window's client area, opaque RGBA. Leaves the caller's current context
  // current. False with the reason when the window has no pixel format or no
  // context can be made or read on it.
  static bool Window(HWND window, RgbaImage* image, std::string* error);

  WindowDrawingCapture() = delete;
};

} // namespace plughost
