#include "Host/Validator/EditorDriver.h"

#ifdef _WIN32
#include "Host/Validator/WindowEditorDriver.h"
#else
#include "Host/Validator/SurfaceEditorDriver.h"
#endif

namespace plughost
{

std::unique_ptr<EditorDriver> EditorDriver::Open(aaxhost::HostInstance& instance, std::string& why)
{
#ifdef _WIN32
  return WindowEditorDriver::Open(instance, why);
#else
  return SurfaceEditorDriver::Open(instance, why);
#endif
}

} // namespace plughost
