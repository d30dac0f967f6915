#pragma once

#include "AAX_SDK/Interfaces/AAX_IDescriptionHost.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VFeatureInfo.h"

#include <memory>

// The description host: what the host says about itself during description.
// -20004 for a missing first version, -20009 later.
// [main-thread, during description]
class AAX_VDescriptionHost
{
public:
  explicit AAX_VDescriptionHost(IACFUnknown* hostObject);
  AAX_VDescriptionHost(const AAX_VDescriptionHost&) = delete;
  AAX_VDescriptionHost& operator=(const AAX_VDescriptionHost&) = delete;
  ~AAX_VDescriptionHost();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }

  // The host's information on a feature, or null when it has none.
  std::unique_ptr<AAX_VFeatureInfo> AcquireFeatureInfo(const ACF_ID& feature) const;
  AAX_Result HostName(AAX_IString* out) const; // version 2

private:
  AAX_InterfaceRef<AAX_IDescriptionHost> mV1;
  AAX_InterfaceRef<AAX_IDescriptionHostV2> mV2;
};
