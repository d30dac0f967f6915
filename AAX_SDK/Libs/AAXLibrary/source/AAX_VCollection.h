#pragma once

#include "AAX_SDK/Interfaces/AAX_ICollection.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VDescriptionHost.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VEffectDescriptor.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPropertyMap.h"

#include <memory>
#include <vector>

// The host's collection for one description pass, created through the host
// factory; owns the effect descriptors and property maps made for it.
// -20004 without the host interface. [main-thread, during description]
class AAX_VCollection
{
public:
  explicit AAX_VCollection(IACFUnknown* hostObject);
  AAX_VCollection(const AAX_VCollection&) = delete;
  AAX_VCollection& operator=(const AAX_VCollection&) = delete;
  ~AAX_VCollection();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }
  IACFUnknown* Object() const noexcept { return mV1.Get(); }

  // Owned by this wrapper; null when the host gave none.
  AAX_VEffectDescriptor* NewDescriptor();
  AAX_VPropertyMap* NewPropertyMap();

  AAX_Result AddEffect(const char* effectId, const AAX_VEffectDescriptor* descriptor);
  AAX_Result SetManufacturerName(const char* name);
  AAX_Result AddPackageName(const char* name);
  AAX_Result SetPackageVersion(std::uint32_t version);
  AAX_Result SetProperties(const AAX_VPropertyMap* properties);

  // Never null; invalid when the host has no description host.
  const AAX_VDescriptionHost* DescriptionHost() const noexcept { return &mDescriptionHost; }

private:
  IACFUnknown* mHostObject;
  AAX_InterfaceRef<AAX_ICollection> mV1;
  AAX_VDescriptionHost mDescriptionHost;
  std::vector<std::unique_ptr<AAX_VEffectDescriptor>> mDescriptors;
  std::vector<std::unique_ptr<AAX_VPropertyMap>> mPropertyMaps;
};
