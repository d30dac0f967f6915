#pragma once

#include "AAX_SDK/Interfaces/AAX_IString.h"
#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The host's per-instance controller.
class AAX_IController : public IACFUnknown
{
public:
  // The instance's effect identifier. [any-thread]
  virtual AAX_Result EffectID(AAX_IString* out) const = 0;
  // Sample rate in Hz. [any-thread]
  virtual AAX_Result SampleRate(float* out) const = 0;
  // Stem formats: high 16 bits an index, low 16 bits the channel count. [any-thread]
  virtual AAX_Result InputStemFormat(std::int32_t* out) const = 0;
  virtual AAX_Result OutputStemFormat(std::int32_t* out) const = 0;
  // Signal latency in samples; the host compensates after a change. [any-thread]
  virtual AAX_Result SignalLatency(std::int32_t* out) const = 0;
  virtual AAX_Result SetSignalLatency(std::int32_t samples) = 0;
  // Copies size bytes that the host delivers into the render-context field
  // before a later render call. [main-thread]
  virtual AAX_Result PostPacket(AAX_CFieldIndex field, const void* data, std::uint32_t size) = 0;
  // Current value of a meter of the instance. [any-thread]
  virtual AAX_Result CurrentMeterValue(AAX_CTypeID meterId, float* out) const = 0;

protected:
  ~AAX_IController() = default;
};

class AAX_IControllerV2 : public AAX_IController
{
public:
  // The host's own processing cycle count, for diagnostics. [any-thread]
  virtual AAX_Result CycleCount(std::int64_t* out) const = 0;

protected:
  ~AAX_IControllerV2() = default;
};

class AAX_IControllerV3 : public AAX_IControllerV2
{
public:
  // Time of day (samples since the host's transport origin) of the next render call. [any-thread]
  virtual AAX_Result TimeOfDay(std::int64_t* out) const = 0;

protected:
  ~AAX_IControllerV3() = default;
};

class AAX_IControllerV4 : public AAX_IControllerV3
{
public:
  // Latency of the instance's hybrid path in samples. [any-thread]
  virtual AAX_Result HybridSignalLatency(std::int32_t* out) const = 0;

protected:
  ~AAX_IControllerV4() = default;
};

class AAX_IControllerV5 : public AAX_IControllerV4
{
public:
  // The host application's name. [any-thread]
  virtual AAX_Result HostName(AAX_IString* out) const = 0;

protected:
  ~AAX_IControllerV5() = default;
};
