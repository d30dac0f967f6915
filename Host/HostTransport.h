#pragma once

#include "AAX_SDK/Interfaces/AAX_ITransport.h"
#include "Host/HostUnknown.h"

#include <mutex>

namespace aaxhost
{

// The transport as the host plays it. Positions in ticks (960000 per quarter note).
class HostTransport final : public HostUnknown<AAX_ITransportV3>
{
public:
  struct State
  {
    double tempo = 120.0;
    std::int32_t meterNumerator = 4;
    std::int32_t meterDenominator = 4;
    bool playing = false;
    bool recording = false;
    std::int64_t tickPosition = 0;
    bool looping = false;
    std::int64_t loopStartTicks = 0;
    std::int64_t loopEndTicks = 0;
    std::int64_t samplePosition = 0;
  };

  explicit HostTransport(std::shared_ptr<const InterfacePolicy> policy);

  AAX_Result CurrentTempo(double* bpm) const override;
  AAX_Result CurrentMeter(std::int32_t* numerator, std::int32_t* denominator) const override;
  AAX_Result IsTransportPlaying(bool* playing) const override;
  AAX_Result CurrentTickPosition(std::int64_t* ticks) const override;
  AAX_Result CurrentLoopPosition(bool* looping, std::int64_t* startTicks,
                                 std::int64_t* endTicks) const override;
  AAX_Result CurrentNativeSampleLocation(std::int64_t* samples) const override;
  AAX_Result BarBeatPosition(std::int32_t* bars, std::int32_t* beats,
                             std::int64_t* displayTicks) const override;
  AAX_Result IsRecording(bool* recording) const override;

  // Host side. [main-thread]
  void SetState(const State& state);
  State CurrentState() const;
  // Moves the play position on by frames at the sample rate, in samples and ticks.
  void Advance(std::int64_t frames, double sampleRate);

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  mutable std::mutex mMutex;
  State mState; // under mMutex
};

} // namespace aaxhost
