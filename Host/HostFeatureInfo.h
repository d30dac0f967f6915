#pragma once

#include "AAX_SDK/Interfaces/AAX_IFeatureInfo.h"
#include "Host/HostPropertyMap.h"
#include "Host/HostRef.h"
#include "Host/HostUnknown.h"

namespace aaxhost
{

// What this host says about one feature during description.
// [any-thread]: immutable after construction
class HostFeatureInfo final : public HostUnknown<AAX_IFeatureInfo>
{
public:
  HostFeatureInfo(std::shared_ptr<const InterfacePolicy> policy, const ACF_ID& feature,
                  std::int32_t supportLevel, HostRef<HostPropertyMap> properties);

  AAX_Result SupportLevel(std::int32_t* out) const override;
  AAX_Result AcquireProperties(IACFUnknown** out) const override;
  const ACF_ID* ID() const override { return &mFeature; }

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  const ACF_ID mFeature;
  const std::int32_t mSupportLevel;
  const HostRef<HostPropertyMap> mProperties;
};

} // namespace aaxhost
