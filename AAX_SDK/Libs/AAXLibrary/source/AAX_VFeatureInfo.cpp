#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VFeatureInfo.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VFeatureInfo::AAX_VFeatureInfo(IACFUnknown* featureObject)
    : mV1(AAX_QueryInterface<AAX_IFeatureInfo>(featureObject, AAX_IID_FeatureInfo))
{
}

AAX_VFeatureInfo::~AAX_VFeatureInfo() = default;

AAX_Result AAX_VFeatureInfo::SupportLevel(std::int32_t* out) const
{
  return mV1 ? mV1->SupportLevel(out) : AAX_ERROR_NULL_OBJECT;
}

std::unique_ptr<AAX_VPropertyMap> AAX_VFeatureInfo::AcquireProperties() const
{
  if (!mV1) return nullptr;
  IACFUnknown* raw = nullptr;
  if (mV1->AcquireProperties(&raw) != AAX_SUCCESS || raw == nullptr) return nullptr;
  AAX_InterfaceRef<IACFUnknown> object(raw);
  auto map = AAX_VPropertyMap::FromObject(object.Get());
  if (!map->IsValid()) return nullptr;
  return map;
}

const ACF_ID* AAX_VFeatureInfo::ID() const
{
  return mV1 ? mV1->ID() : nullptr;
}
