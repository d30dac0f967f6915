#pragma once

#include "Host/HostAutomationDelegate.h"
#include "Host/HostController.h"
#include "Host/HostObject.h"
#include "Host/HostRef.h"
#include "Host/HostTransport.h"

namespace aaxhost
{

// The host object an effect instance (and its view) is connected with: it
// hands out the instance's controller, automation delegate and transport, the
// host's factory and description host, and, once set, the instance's
// effect-parameters object (for the view).
class InstanceContext final : public HostUnknown<IACFUnknown>
{
public:
  InstanceContext(HostRef<HostObject> host, const std::string& effectId);

  ACFRESULT QueryInterface(const ACF_ID& iid, void** out) override;

  HostController& Controller() const noexcept { return *mController.Get(); }
  HostAutomationDelegate& Automation() const noexcept { return *mAutomation.Get(); }
  HostTransport& Transport() const noexcept { return *mTransport.Get(); }
  HostObject& Host() const noexcept { return *mHost.Get(); }

  // The effect that views reach through this context (not owned; cleared
  // before the effect goes). [main-thread]
  void SetEffect(IACFUnknown* effect) noexcept { mEffect = effect; }

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  const HostRef<HostObject> mHost;
  const HostRef<HostController> mController;
  const HostRef<HostAutomationDelegate> mAutomation;
  const HostRef<HostTransport> mTransport;
  IACFUnknown* mEffect = nullptr;
};

} // namespace aaxhost
