#pragma once

#include "Host/PlugHost/PngFile.h"

#include <windows.h>

#include <string>

namespace plughost
{

// What the screen shows of a window, as a user sees it: read from the screen's
// device context, so whatever covers the window or lies off the screen is not
// the window's. [main-thread]
class ScreenCapture
{
public:
  // The window's whole area, opaque RGBA. False with the reason when the
  // window is not entirely on the screen or the screen cannot be read.
  static bool Window(HWND window, RgbaImage* image, std::string* error);

  ScreenCapture() = delete;
};

} // namespace plughost
