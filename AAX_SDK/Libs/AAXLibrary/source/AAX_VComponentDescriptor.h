#pragma once

#include "AAX_SDK/Interfaces/AAX_IComponentDescriptor.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPropertyMap.h"

#include <memory>
#include <vector>

// A host component descriptor, created through the host factory. Owns the
// property maps made for it. -20004 for a missing first version, -20009 later.
// [main-thread, during description]
class AAX_VComponentDescriptor
{
public:
  explicit AAX_VComponentDescriptor(IACFUnknown* hostObject);
  AAX_VComponentDescriptor(const AAX_VComponentDescriptor&) = delete;
  AAX_VComponentDescriptor& operator=(const AAX_VComponentDescriptor&) = delete;
  ~AAX_VComponentDescriptor();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }
  IACFUnknown* Object() const noexcept { return mV1.Get(); }

  // A new property map owned by this wrapper, or null when the host gave none.
  AAX_VPropertyMap* NewPropertyMap();

  AAX_Result Clear();
  AAX_Result AddAudioIn(AAX_CFieldIndex field);
  AAX_Result AddAudioOut(AAX_CFieldIndex field);
  AAX_Result AddAudioBufferLength(AAX_CFieldIndex field);
  AAX_Result AddSampleRate(AAX_CFieldIndex field);
  AAX_Result AddClock(AAX_CFieldIndex field);
  AAX_Result AddSideChainIn(AAX_CFieldIndex field);
  AAX_Result AddMeters(AAX_CFieldIndex field, const AAX_CTypeID* meterIds, std::uint32_t count);
  AAX_Result AddAuxOutputStem(AAX_CFieldIndex field, std::int32_t stemFormat, const char* name);
  AAX_Result AddPrivateData(AAX_CFieldIndex field, std::int32_t size, std::int32_t options);
  AAX_Result AddDataInPort(AAX_CFieldIndex field, std::uint32_t size, std::int32_t options);
  AAX_Result AddMIDINode(AAX_CFieldIndex field, std::int32_t kind, const char* name,
                         std::uint32_t mask);
  AAX_Result AddProcessProc(AAX_RenderProc proc, const AAX_VPropertyMap* properties);
  AAX_Result AddTemporaryData(AAX_CFieldIndex field, std::uint32_t size); // version 2
  AAX_Result AddOfflineProcessProc(AAX_RenderProc proc,
                                   const AAX_VPropertyMap* properties); // version 3

private:
  IACFUnknown* mHostObject;
  AAX_InterfaceRef<AAX_IComponentDescriptor> mV1;
  AAX_InterfaceRef<AAX_IComponentDescriptorV2> mV2;
  AAX_InterfaceRef<AAX_IComponentDescriptorV3> mV3;
  std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
