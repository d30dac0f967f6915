#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// Positions in ticks count 960000 ticks per quarter note.
inline constexpr std::int64_t AAX_TICKS_PER_QUARTER = 960000;

// The host's transport as seen from one render call.
class AAX_ITransport : public IACFUnknown
{
public:
  // Beats per minute. [audio-thread]
  virtual AAX_Result CurrentTempo(double* bpm) const = 0;
  virtual AAX_Result CurrentMeter(std::int32_t* numerator, std::int32_t* denominator) const = 0;
  virtual AAX_Result IsTransportPlaying(bool* playing) const = 0;
  virtual AAX_Result CurrentTickPosition(std::int64_t* ticks) const = 0;
  virtual AAX_Result CurrentLoopPosition(bool* looping, std::int64_t* startTicks,
                                         std::int64_t* endTicks) const = 0;
  virtual AAX_Result CurrentNativeSampleLocation(std::int64_t* samples) const = 0;

protected:
  ~AAX_ITransport() = default;
};

class AAX_ITransportV2 : public AAX_ITransport
{
public:
  // Bar and beat of the play position (both counted from 1). [audio-thread]
  virtual AAX_Result BarBeatPosition(std::int32_t* bars, std::int32_t* beats,
                                     std::int64_t* displayTicks) const = 0;

protected:
  ~AAX_ITransportV2() = default;
};

class AAX_ITransportV3 : public AAX_ITransportV2
{
public:
  virtual AAX_Result IsRecording(bool* recording) const = 0;

protected:
  ~AAX_ITransportV3() = default;
};
