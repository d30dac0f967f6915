#pragma once

#include "AAX_SDK/Interfaces/AAX_IFeatureInfo.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPropertyMap.h"

#include <memory>

// What the description host knows about one feature. -20004 without the host interface.
// [main-thread, during description]
class AAX_VFeatureInfo
{
public:
  explicit AAX_VFeatureInfo(IACFUnknown* featureObject);
  AAX_VFeatureInfo(const AAX_VFeatureInfo&) = delete;
  AAX_VFeatureInfo& operator=(const AAX_VFeatureInfo&) = delete;
  ~AAX_VFeatureInfo();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }

  AAX_Result SupportLevel(std::int32_t* out) const;
  // The feature's properties, or null.
  std::unique_ptr<AAX_VPropertyMap> AcquireProperties() const;
  // The feature's identifier, or null.
  const ACF_ID* ID() const;

private:
  AAX_InterfaceRef<AAX_IFeatureInfo> mV1;
};
