#pragma once

#include "Examples/Brasmire/SignalPathHost.h"

namespace iplug
{
class IPlugProcessor;
}

namespace brasmire
{

// Connects the drive signal path to the processing frame it runs in: the
// frame's sample rate, connected output channels and reported latency, and its
// (virtual) ChangeLatency, so a host adapter's override tells the host.
// [audio-thread], like the signal path that calls it.
class ProcessorSignalPathHost final : public SignalPathHost
{
public:
  explicit ProcessorSignalPathHost(iplug::IPlugProcessor& processor) noexcept
      : mProcessor(processor)
  {
  }
  ProcessorSignalPathHost(const ProcessorSignalPathHost&) = delete;
  ProcessorSignalPathHost& operator=(const ProcessorSignalPathHost&) = delete;

  double SampleRate() const noexcept override;
  int ConnectedOutputChannels() const noexcept override;
  int ReportedLatency() const noexcept override;
  void ChangeLatency(int samples) noexcept override;

private:
  iplug::IPlugProcessor& mProcessor;
};

} // namespace brasmire
