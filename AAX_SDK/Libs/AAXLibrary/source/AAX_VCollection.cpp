#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VCollection.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VCollection::AAX_VCollection(IACFUnknown* hostObject)
    : mHostObject(hostObject), mV1(AAX_CreateHostObject<AAX_ICollection>(
                                   hostObject, AAX_CLSID_Collection, AAX_IID_Collection)),
      mDescriptionHost(hostObject)
{
}

AAX_VCollection::~AAX_VCollection()
{
  // Descriptors go before the collection that may still refer to them.
  mDescriptors.clear();
  mPropertyMaps.clear();
}

AAX_VEffectDescriptor* AAX_VCollection::NewDescriptor()
{
  auto descriptor = std::make_unique<AAX_VEffectDescriptor>(mHostObject);
  if (!descriptor->IsValid()) return nullptr;
  mDescriptors.push_back(std::move(descriptor));
  return mDescriptors.back().get();
}

AAX_VPropertyMap* AAX_VCollection::NewPropertyMap()
{
  auto map = std::make_unique<AAX_VPropertyMap>(mHostObject);
  if (!map->IsValid()) return nullptr;
  mPropertyMaps.push_back(std::move(map));
  return mPropertyMaps.back().get();
}

AAX_Result AAX_VCollection::AddEffect(const char* effectId, const AAX_VEffectDescriptor* descriptor)
{
  if (!mV1) return AAX_ERROR_NULL_OBJECT;
  return mV1->AddEffect(effectId, descriptor ? descriptor->Object() : nullptr);
}

AAX_Result AAX_VCollection::SetManufacturerName(const char* name)
{
  return mV1 ? mV1->SetManufacturerName(name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::AddPackageName(const char* name)
{
  return mV1 ? mV1->AddPackageName(name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::SetPackageVersion(std::uint32_t version)
{
  return mV1 ? mV1->SetPackageVersion(version) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::SetProperties(const AAX_VPropertyMap* properties)
{
  return mV1 ? mV1->SetProperties(properties ? properties->Object() : nullptr)
             : AAX_ERROR_NULL_OBJECT;
}
