#include "Host/Validator/EditorDriver.h"

#ifndef _WIN32
#include "Host/Validator/SurfaceEditorDriver.h"
#endif

namespace plughost
{

std::unique_ptr<EditorDriver> EditorDriver::Open(aaxhost::HostInstance& instance, std::string& why)
{
#ifdef _WIN32
  // A Windows view takes a window as its parent; driving one by window
  // messages is this seam's next platform.
  (void)instance;
  why = "editor not available: this host cannot yet give a Windows view a window to drive";
  return nullptr;
#else
  return SurfaceEditorDriver::Open(instance, why);
#endif
}

} // namespace plughost
