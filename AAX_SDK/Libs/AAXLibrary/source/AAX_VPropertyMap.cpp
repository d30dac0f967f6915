#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPropertyMap.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VPropertyMap::AAX_VPropertyMap(IACFUnknown* hostObject)
    : mV1(AAX_CreateHostObject<AAX_IPropertyMap>(hostObject, AAX_CLSID_PropertyMap,
                                                 AAX_IID_PropertyMap))
{
  QueryLaterVersions();
}

AAX_VPropertyMap::AAX_VPropertyMap(Adopt, IACFUnknown* mapObject)
    : mV1(AAX_QueryInterface<AAX_IPropertyMap>(mapObject, AAX_IID_PropertyMap))
{
  QueryLaterVersions();
}

std::unique_ptr<AAX_VPropertyMap> AAX_VPropertyMap::FromObject(IACFUnknown* mapObject)
{
  return std::unique_ptr<AAX_VPropertyMap>(new AAX_VPropertyMap(Adopt{}, mapObject));
}

void AAX_VPropertyMap::QueryLaterVersions()
{
  mV2 = AAX_QueryInterface<AAX_IPropertyMapV2>(mV1.Get(), AAX_IID_PropertyMapV2);
  mV3 = AAX_QueryInterface<AAX_IPropertyMapV3>(mV1.Get(), AAX_IID_PropertyMapV3);
}

AAX_VPropertyMap::~AAX_VPropertyMap() = default;

bool AAX_VPropertyMap::GetProperty(std::int32_t property, AAX_CPropertyValue* out) const
{
  return mV1 ? mV1->GetProperty(property, out) : false;
}

AAX_Result AAX_VPropertyMap::AddProperty(std::int32_t property, AAX_CPropertyValue value)
{
  return mV1 ? mV1->AddProperty(property, value) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPropertyMap::RemoveProperty(std::int32_t property)
{
  return mV1 ? mV1->RemoveProperty(property) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray(std::int32_t property, const AAX_CTypeID* ids,
                                                    std::uint32_t count)
{
  return mV2 ? mV2->AddPropertyWithIDArray(property, ids, count) : AAX_ERROR_UNIMPLEMENTED;
}

bool AAX_VPropertyMap::GetPropertyWithIDArray(std::int32_t property, AAX_CTypeID* ids,
                                              std::uint32_t capacity, std::uint32_t* count) const
{
  return mV3 ? mV3->GetPropertyWithIDArray(property, ids, capacity, count) : false;
}
