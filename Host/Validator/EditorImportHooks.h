#pragma once

#include "Host/PluginModule.h"

#include <string>

namespace plughost
{

// Windows: what an editor leaves behind that a host can see from outside,
// through the module's imports. wglCreateContext and wglDeleteContext report
// GL contexts to GlObjectCounts, and GetProcAddress hands out the GL object
// functions (and those wglGetProcAddress finds) wrapped to report objects;
// SetTimer and KillTimer without a window keep the module's live thread
// timers, which Windows does not list. Elsewhere the executable's own hooks
// and the host's loop see these and this does nothing. [main-thread]
class EditorImportHooks
{
public:
  // Points the module's imports at the counting thunks; false with the
  // reason appended to detail when none of them could be.
  static bool Install(aaxhost::PluginModule& module, std::string& detail);
  // Thread timers the hooked modules made and have not killed; -1 before any
  // module was hooked.
  static int ThreadTimers();

  EditorImportHooks() = delete;
};

} // namespace plughost
