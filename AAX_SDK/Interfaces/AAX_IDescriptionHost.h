#pragma once

#include "AAX_SDK/Interfaces/AAX_IString.h"
#include "AAX_SDK/Interfaces/IACFUnknown.h"

// What a host tells a module during description about itself.
// [main-thread, during description]
class AAX_IDescriptionHost : public IACFUnknown
{
public:
  // *out receives a feature-information object (added reference), or null when
  // the host does not know the feature.
  virtual AAX_Result AcquireFeatureInfo(const ACF_ID& feature, IACFUnknown** out) const = 0;

protected:
  ~AAX_IDescriptionHost() = default;
};

class AAX_IDescriptionHostV2 : public AAX_IDescriptionHost
{
public:
  virtual AAX_Result HostName(AAX_IString* out) const = 0;

protected:
  ~AAX_IDescriptionHostV2() = default;
};
