#pragma once

#include "AAX_SDK/Interfaces/AAX_IAutomationDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"

// The host's automation delegate of one instance; -20004 when the host has none.
// [any-thread except audio]
class AAX_VAutomationDelegate
{
public:
  explicit AAX_VAutomationDelegate(IACFUnknown* hostContext);
  AAX_VAutomationDelegate(const AAX_VAutomationDelegate&) = delete;
  AAX_VAutomationDelegate& operator=(const AAX_VAutomationDelegate&) = delete;
  ~AAX_VAutomationDelegate();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }

  AAX_Result RegisterParameter(AAX_CParamID id);
  AAX_Result UnregisterParameter(AAX_CParamID id);
  AAX_Result PostSetValueRequest(AAX_CParamID id, double normalised) const;
  AAX_Result PostCurrentValue(AAX_CParamID id, double normalised) const;
  AAX_Result PostTouchRequest(AAX_CParamID id);
  AAX_Result PostReleaseRequest(AAX_CParamID id);
  AAX_Result TouchState(AAX_CParamID id, bool* touched);

private:
  AAX_InterfaceRef<AAX_IAutomationDelegate> mV1;
};
