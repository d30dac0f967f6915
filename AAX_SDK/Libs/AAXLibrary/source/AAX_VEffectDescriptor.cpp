#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VEffectDescriptor.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

AAX_VEffectDescriptor::AAX_VEffectDescriptor(IACFUnknown* hostObject)
    : mHostObject(hostObject),
      mV1(AAX_CreateHostObject<AAX_IEffectDescriptor>(hostObject, AAX_CLSID_EffectDescriptor,
                                                      AAX_IID_EffectDescriptor)),
      mV2(AAX_QueryInterface<AAX_IEffectDescriptorV2>(mV1.Get(), AAX_IID_EffectDescriptorV2))
{
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor() = default;

AAX_VComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
  auto component = std::make_unique<AAX_VComponentDescriptor>(mHostObject);
  if (!component->IsValid()) return nullptr;
  mComponents.push_back(std::move(component));
  return mComponents.back().get();
}

AAX_VPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
  auto map = std::make_unique<AAX_VPropertyMap>(mHostObject);
  if (!map->IsValid()) return nullptr;
  mPropertyMaps.push_back(std::move(map));
  return mPropertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent(const AAX_VComponentDescriptor* component)
{
  if (!mV1) return AAX_ERROR_NULL_OBJECT;
  return mV1->AddComponent(component ? component->Object() : nullptr);
}

AAX_Result AAX_VEffectDescriptor::AddName(const char* name)
{
  return mV1 ? mV1->AddName(name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddCategory(std::uint32_t category)
{
  return mV1 ? mV1->AddCategory(category) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr(void* proc, std::int32_t procId)
{
  return mV1 ? mV1->AddProcPtr(proc, procId) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::SetProperties(const AAX_VPropertyMap* properties)
{
  return mV1 ? mV1->SetProperties(properties ? properties->Object() : nullptr)
             : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo(std::int32_t kind, const char* path)
{
  return mV2 ? mV2->AddResourceInfo(kind, path) : AAX_ERROR_UNIMPLEMENTED;
}
