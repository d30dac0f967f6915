#pragma once

#include "AAX_SDK/Interfaces/AAX_ITransport.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"

// The host transport of one instance, in three versions; -20004 for a missing
// first version, -20009 for later ones.
// [audio-thread, during a render call]
class AAX_VTransport
{
public:
  explicit AAX_VTransport(IACFUnknown* hostContext);
  AAX_VTransport(const AAX_VTransport&) = delete;
  AAX_VTransport& operator=(const AAX_VTransport&) = delete;
  ~AAX_VTransport();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }

  AAX_Result CurrentTempo(double* bpm) const;
  AAX_Result CurrentMeter(std::int32_t* numerator, std::int32_t* denominator) const;
  AAX_Result IsTransportPlaying(bool* playing) const;
  AAX_Result CurrentTickPosition(std::int64_t* ticks) const;
  AAX_Result CurrentLoopPosition(bool* looping, std::int64_t* startTicks,
                                 std::int64_t* endTicks) const;
  AAX_Result CurrentNativeSampleLocation(std::int64_t* samples) const;
  AAX_Result BarBeatPosition(std::int32_t* bars, std::int32_t* beats,
                             std::int64_t* displayTicks) const; // version 2
  AAX_Result IsRecording(bool* recording) const;                // version 3

private:
  AAX_InterfaceRef<AAX_ITransport> mV1;
  AAX_InterfaceRef<AAX_ITransportV2> mV2;
  AAX_InterfaceRef<AAX_ITransportV3> mV3;
};
