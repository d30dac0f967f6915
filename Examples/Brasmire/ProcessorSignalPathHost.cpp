#include "Examples/Brasmire/ProcessorSignalPathHost.h"

#include "IPlug/IPlugProcessor.h"

namespace brasmire
{

double ProcessorSignalPathHost::SampleRate() const noexcept
{
  return mProcessor.SampleRate();
}

int ProcessorSignalPathHost::ConnectedOutputChannels() const noexcept
{
  return mProcessor.ConnectedChannelCount(iplug::RouteDirection::Output);
}

int ProcessorSignalPathHost::ReportedLatency() const noexcept
{
  return mProcessor.Latency();
}

void ProcessorSignalPathHost::ChangeLatency(int samples) noexcept
{
  mProcessor.ChangeLatency(samples);
}

} // namespace brasmire
