#pragma once

#include "Examples/Brasmire/SignalPathHost.h"

#include <vector>

namespace brasmire::test
{

// Records what the signal path asks of its processor.
class TestSignalPathHost final : public SignalPathHost
{
public:
  double SampleRate() const noexcept override { return sampleRate; }
  int ConnectedOutputChannels() const noexcept override { return connectedOutputs; }
  int ReportedLatency() const noexcept override { return latency; }
  void ChangeLatency(int samples) noexcept override
  {
    latency = samples;
    ++latencyChanges;
  }

  double sampleRate = 48000.0;
  int connectedOutputs = 2;
  int latency = 0;
  int latencyChanges = 0;
};

} // namespace brasmire::test
