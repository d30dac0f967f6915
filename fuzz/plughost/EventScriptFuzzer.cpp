// plughost's input scripts on arbitrary text: parsed whole into events with
// finite points and known kinds, or refused with a line number.
#include "Host/PlugHost/EventScript.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  plughost::EventScript script;
  std::string error;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!script.Parse(text, &error))
  {
    if (error.rfind("line ", 0) != 0 || !script.Steps().empty()) std::abort();
    return 0;
  }
  for (const auto& step : script.Steps())
  {
    if ((step.waitFrames > 0) == !step.events.empty()) std::abort();
    for (const AAX_HostSurfaceEvent& e : step.events)
      if (e.kind < AAX_eHostSurfaceEvent_MouseDown || e.kind > AAX_eHostSurfaceEvent_KeyUp ||
          !std::isfinite(e.x) || !std::isfinite(e.y) || !std::isfinite(e.wheelDelta) ||
          e.text[sizeof(e.text) - 1] != '\0')
        std::abort();
  }
  return 0;
}
