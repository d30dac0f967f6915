#pragma once

#include "AAX_SDK/Interfaces/AAX_IController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"

// The host controller of one instance, asked for in all five versions at
// construction. A missing first version answers -20004, later ones -20009.
// [any-thread]: stem formats from the audio thread, the rest from host threads
class AAX_VController
{
public:
  explicit AAX_VController(IACFUnknown* hostContext);
  AAX_VController(const AAX_VController&) = delete;
  AAX_VController& operator=(const AAX_VController&) = delete;
  ~AAX_VController();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }

  AAX_Result EffectID(AAX_IString* out) const;
  AAX_Result SampleRate(float* out) const;
  AAX_Result InputStemFormat(std::int32_t* out) const;
  AAX_Result OutputStemFormat(std::int32_t* out) const;
  AAX_Result SignalLatency(std::int32_t* out) const;
  AAX_Result SetSignalLatency(std::int32_t samples);
  AAX_Result PostPacket(AAX_CFieldIndex field, const void* data, std::uint32_t size);
  AAX_Result CurrentMeterValue(AAX_CTypeID meterId, float* out) const;
  AAX_Result CycleCount(std::int64_t* out) const;          // version 2
  AAX_Result TimeOfDay(std::int64_t* out) const;           // version 3
  AAX_Result HybridSignalLatency(std::int32_t* out) const; // version 4
  AAX_Result HostName(AAX_IString* out) const;             // version 5

private:
  AAX_InterfaceRef<AAX_IController> mV1;
  AAX_InterfaceRef<AAX_IControllerV2> mV2;
  AAX_InterfaceRef<AAX_IControllerV3> mV3;
  AAX_InterfaceRef<AAX_IControllerV4> mV4;
  AAX_InterfaceRef<AAX_IControllerV5> mV5;
};
