#pragma once

#include "Host/HostInstance.h"
#include "Host/Validator/RealtimeCounters.h"

namespace plughost
{

// Arms the rendering thread's counters for exactly the module's render
// procedure, so the host's own work around it is not counted.
class RealtimeProbe final : public aaxhost::HostInstance::RenderProbe
{
public:
  void Enter() noexcept override { RealtimeCounters::Arm(); }
  void Leave() noexcept override { RealtimeCounters::Disarm(); }
};

} // namespace plughost
