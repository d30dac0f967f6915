#include "Host/HostEventLoop.h"

#include "IPlug/RunLoop.h"

namespace aaxhost
{

int HostEventLoop::RunFor(std::uint32_t durationMs)
{
  return iplug::RunLoop::RunFor(durationMs);
}

int HostEventLoop::ProcessPending()
{
  return iplug::RunLoop::ProcessPending();
}

int HostEventLoop::TimerCount()
{
#ifdef _WIN32
  return -1;
#else
  return iplug::RunLoop::LocalTimerCount();
#endif
}

} // namespace aaxhost
