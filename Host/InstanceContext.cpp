#include "Host/InstanceContext.h"

namespace aaxhost
{

InstanceContext::InstanceContext(HostRef<HostObject> host, const std::string& effectId)
    : HostUnknown(host->SharedPolicy()), mHost(std::move(host)),
      mController(
          HostRef<HostController>::Adopt(NewHostObject<HostController>(Policy(), effectId))),
      mAutomation(
          HostRef<HostAutomationDelegate>::Adopt(NewHostObject<HostAutomationDelegate>(Policy()))),
      mTransport(HostRef<HostTransport>::Adopt(NewHostObject<HostTransport>(Policy())))
{
}

void* InstanceContext::FindInterface(const ACF_ID& iid)
{
  return iid == IID_IACFUnknown ? static_cast<IACFUnknown*>(this) : nullptr;
}

ACFRESULT InstanceContext::QueryInterface(const ACF_ID& iid, void** out)
{
  if (out == nullptr) return ACF_E_NOINTERFACE;
  *out = nullptr;
  if (Policy() && !Policy()->Allows(iid)) return ACF_E_NOINTERFACE;
  if (iid == IID_IACFUnknown) return HostUnknown::QueryInterface(iid, out);
  IACFUnknown* const members[] = {
      static_cast<AAX_IController*>(mController.Get()),
      static_cast<AAX_IAutomationDelegate*>(mAutomation.Get()),
      static_cast<AAX_ITransport*>(mTransport.Get()),
      static_cast<AAX_IHostFactory*>(mHost.Get()),
      mEffect,
  };
  for (IACFUnknown* member : members)
    if (member && member->QueryInterface(iid, out) == ACF_OK) return ACF_OK;
  *out = nullptr;
  return ACF_E_NOINTERFACE;
}

} // namespace aaxhost
