#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The host's automation channel for one instance. The host answers a set-value
// request by calling the effect's ApplyHostParamValue; the module never applies
// its own request.
class AAX_IAutomationDelegate : public IACFUnknown
{
public:
  virtual AAX_Result RegisterParameter(AAX_CParamID id) = 0;
  virtual AAX_Result UnregisterParameter(AAX_CParamID id) = 0;
  // normalised is in 0..1. [any-thread]
  virtual AAX_Result PostSetValueRequest(AAX_CParamID id, double normalised) const = 0;
  virtual AAX_Result PostCurrentValue(AAX_CParamID id, double normalised) const = 0;
  virtual AAX_Result PostTouchRequest(AAX_CParamID id) = 0;
  virtual AAX_Result PostReleaseRequest(AAX_CParamID id) = 0;
  virtual AAX_Result TouchState(AAX_CParamID id, bool* touched) = 0;

protected:
  ~AAX_IAutomationDelegate() = default;
};
