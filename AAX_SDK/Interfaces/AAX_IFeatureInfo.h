#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

enum AAX_ESupportLevel : std::int32_t
{
  AAX_eSupportLevel_Unknown = 0,
  AAX_eSupportLevel_Unsupported = 1,
  AAX_eSupportLevel_Supported = 2,
};

// How far a host supports one feature.
// [main-thread, during description]
class AAX_IFeatureInfo : public IACFUnknown
{
public:
  virtual AAX_Result SupportLevel(std::int32_t* out) const = 0;
  // *out receives the feature's property map (added reference) or null.
  virtual AAX_Result AcquireProperties(IACFUnknown** out) const = 0;
  virtual const ACF_ID* ID() const = 0;

protected:
  ~AAX_IFeatureInfo() = default;
};
