#pragma once

#include <string>

// A desktop OpenGL context without any window, on EGL's surfaceless platform
// (Mesa's software rasteriser on a machine without a GPU). One per process,
// made current on first use by the calling thread.
class OffscreenGlContext
{
public:
  // Null reason when the context is current; otherwise why it is not.
  static const std::string* Acquire();
};
