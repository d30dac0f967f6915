#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VDescriptionHost.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VDescriptionHost::AAX_VDescriptionHost(IACFUnknown* hostObject)
    : mV1(AAX_QueryInterface<AAX_IDescriptionHost>(hostObject, AAX_IID_DescriptionHost)),
      mV2(AAX_QueryInterface<AAX_IDescriptionHostV2>(hostObject, AAX_IID_DescriptionHostV2))
{
}

AAX_VDescriptionHost::~AAX_VDescriptionHost() = default;

std::unique_ptr<AAX_VFeatureInfo>
AAX_VDescriptionHost::AcquireFeatureInfo(const ACF_ID& feature) const
{
  if (!mV1) return nullptr;
  IACFUnknown* raw = nullptr;
  if (mV1->AcquireFeatureInfo(feature, &raw) != AAX_SUCCESS || raw == nullptr) return nullptr;
  AAX_InterfaceRef<IACFUnknown> object(raw);
  auto info = std::make_unique<AAX_VFeatureInfo>(object.Get());
  if (!info->IsValid()) return nullptr;
  return info;
}

AAX_Result AAX_VDescriptionHost::HostName(AAX_IString* out) const
{
  return mV2 ? mV2->HostName(out) : AAX_ERROR_UNIMPLEMENTED;
}
