#pragma once

namespace brasmire
{

// What the drive signal path needs from the processor that runs it: the sample
// rate, how many output channels the host connected, and the latency reported to
// the host. Implemented by the effect on top of its processing frame (and by test
// doubles). Called only from inside DriveSignalPath::ProcessBlock, so every
// operation is [audio-thread] and must not allocate or block.
class SignalPathHost
{
public:
  virtual ~SignalPathHost() = default;

  virtual double SampleRate() const noexcept = 0;
  virtual int ConnectedOutputChannels() const noexcept = 0;
  virtual int ReportedLatency() const noexcept = 0;
  // Reports a new latency in samples to the host (and resets the host-bypass delay).
  virtual void ChangeLatency(int samples) noexcept = 0;
};

} // namespace brasmire
