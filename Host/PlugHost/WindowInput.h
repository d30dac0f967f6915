#pragma once

#include "Host/PlugHost/ScriptedPointer.h"
#include "Host/PlugHost/WindowMessage.h"

#include <windows.h>

namespace plughost
{

// Posts one message where Windows would deliver it: mouse input to the window
// holding the capture or else to the deepest one under the pointer, the wheel
// with screen coordinates, keys to the window with the keyboard focus.
// `editor` is the editor's window, whose client pixels the message's point
// is in. [main-thread]
void PostWindowMessage(HWND editor, const WindowMessage& message, ScriptedPointer& hand);

// The display's screen scale (its dots per inch over 96) as this process sees
// it once it has declared itself aware of the display's density, which it does
// here before any window exists, as a DAW declares it in its manifest. [main-thread]
float DisplayScreenScale();

} // namespace plughost
