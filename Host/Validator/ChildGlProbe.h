#pragma once

#include <windows.h>

#include <string>

namespace plughost
{

// Whether this system brings a child window's OpenGL output to the screen:
// a small child window of the host's own, cleared to a colour no editor
// background has through a GL context of its own, read back from the screen.
// Some emulated systems show only the parent's background there, and then no
// picture of a GL editor can be taken from the screen. [main-thread]
class ChildGlProbe
{
public:
  // True when the cleared colour reached the screen; else false with what
  // was seen. The probe's window exists only during the call; the caller's
  // current GL context is current again afterwards.
  static bool ReachesScreen(HWND parent, std::string& why);

  ChildGlProbe() = delete;
};

} // namespace plughost
