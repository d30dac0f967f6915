#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectDescriptor.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VComponentDescriptor.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPropertyMap.h"

#include <memory>
#include <vector>

// A host effect descriptor, created through the host factory. Owns the
// component descriptors and property maps made for it. -20004 for a missing
// first version, -20009 later. [main-thread, during description]
class AAX_VEffectDescriptor
{
public:
  explicit AAX_VEffectDescriptor(IACFUnknown* hostObject);
  AAX_VEffectDescriptor(const AAX_VEffectDescriptor&) = delete;
  AAX_VEffectDescriptor& operator=(const AAX_VEffectDescriptor&) = delete;
  ~AAX_VEffectDescriptor();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }
  IACFUnknown* Object() const noexcept { return mV1.Get(); }

  // Owned by this wrapper; null when the host gave none.
  AAX_VComponentDescriptor* NewComponentDescriptor();
  AAX_VPropertyMap* NewPropertyMap();

  AAX_Result AddComponent(const AAX_VComponentDescriptor* component);
  AAX_Result AddName(const char* name);
  AAX_Result AddCategory(std::uint32_t category);
  AAX_Result AddProcPtr(void* proc, std::int32_t procId);
  AAX_Result SetProperties(const AAX_VPropertyMap* properties);
  AAX_Result AddResourceInfo(std::int32_t kind, const char* path); // version 2

private:
  IACFUnknown* mHostObject;
  AAX_InterfaceRef<AAX_IEffectDescriptor> mV1;
  AAX_InterfaceRef<AAX_IEffectDescriptorV2> mV2;
  std::vector<std::unique_ptr<AAX_VComponentDescriptor>> mComponents;
  std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
