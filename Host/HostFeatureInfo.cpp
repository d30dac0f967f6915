#include "Host/HostFeatureInfo.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

namespace aaxhost
{

HostFeatureInfo::HostFeatureInfo(std::shared_ptr<const InterfacePolicy> policy,
                                 const ACF_ID& feature, std::int32_t supportLevel,
                                 HostRef<HostPropertyMap> properties)
    : HostUnknown(std::move(policy)), mFeature(feature), mSupportLevel(supportLevel),
      mProperties(std::move(properties))
{
}

void* HostFeatureInfo::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_FeatureInfo)
    return static_cast<AAX_IFeatureInfo*>(this);
  return nullptr;
}

AAX_Result HostFeatureInfo::SupportLevel(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = mSupportLevel;
  return AAX_SUCCESS;
}

AAX_Result HostFeatureInfo::AcquireProperties(IACFUnknown** out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = nullptr;
  if (!mProperties) return AAX_SUCCESS;
  void* raw = nullptr;
  const ACFRESULT result = mProperties->QueryInterface(IID_IACFUnknown, &raw);
  *out = static_cast<IACFUnknown*>(raw);
  return result == ACF_OK ? AAX_SUCCESS : AAX_ERROR_NULL_OBJECT;
}

} // namespace aaxhost
