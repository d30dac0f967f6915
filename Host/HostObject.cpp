#include "Host/HostObject.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostCollection.h"
#include "Host/HostComponentDescriptor.h"
#include "Host/HostEffectDescriptor.h"
#include "Host/HostPropertyMap.h"

namespace aaxhost
{

HostObject::HostObject(std::shared_ptr<InterfacePolicy> policy)
    : HostUnknown(policy), mPolicy(policy),
      mServices(HostRef<HostServices>::Adopt(NewHostObject<HostServices>(policy)))
{
}

void* HostObject::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_HostFactory)
    return static_cast<AAX_IHostFactory*>(this);
  if (iid == AAX_IID_DescriptionHost || iid == AAX_IID_DescriptionHostV2)
    return static_cast<AAX_IDescriptionHostV2*>(this);
  return nullptr;
}

ACFRESULT HostObject::CreateInstance(const ACF_ID& classId, IACFUnknown* outer, const ACF_ID& iid,
                                     void** out)
{
  if (out == nullptr) return ACF_E_NOINTERFACE;
  *out = nullptr;
  if (outer != nullptr) return ACF_E_NOINTERFACE; // host objects are never aggregated

  IACFUnknown* created = nullptr;
  if (classId == AAX_CLSID_HostServices)
  {
    created = mServices.Get();
    created->AddRef();
  }
  else if (classId == AAX_CLSID_Collection)
  {
    HostCollection* collection = NewHostObject<HostCollection>(mPolicy);
    std::lock_guard lock(mMutex);
    mCollections.push_back(HostRef<HostCollection>::Retain(collection));
    created = collection;
  }
  else if (classId == AAX_CLSID_EffectDescriptor)
    created = NewHostObject<HostEffectDescriptor>(mPolicy);
  else if (classId == AAX_CLSID_ComponentDescriptor)
    created = NewHostObject<HostComponentDescriptor>(mPolicy);
  else if (classId == AAX_CLSID_PropertyMap)
    created = NewHostObject<HostPropertyMap>(mPolicy);
  else
    return ACF_E_NOINTERFACE;

  {
    std::lock_guard lock(mMutex);
    bool counted = false;
    for (auto& [id, count] : mCreated)
      if (id == classId)
      {
        ++count;
        counted = true;
      }
    if (!counted) mCreated.emplace_back(classId, 1);
  }
  const ACFRESULT result = created->QueryInterface(iid, out);
  created->Release(); // the creation reference; the answer holds its own
  return result;
}

AAX_Result HostObject::AcquireFeatureInfo(const ACF_ID& feature, IACFUnknown** out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = nullptr;
  std::lock_guard lock(mMutex);
  for (const auto& info : mFeatures)
    if (*info->ID() == feature)
    {
      void* raw = nullptr;
      info->QueryInterface(IID_IACFUnknown, &raw);
      *out = static_cast<IACFUnknown*>(raw);
      return AAX_SUCCESS;
    }
  return AAX_SUCCESS;
}

AAX_Result HostObject::HostName(AAX_IString* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  out->Set(kHostName);
  return AAX_SUCCESS;
}

void HostObject::AddFeature(const ACF_ID& feature, std::int32_t supportLevel,
                            const std::map<std::int32_t, AAX_CPropertyValue>& properties)
{
  HostRef<HostPropertyMap> map;
  if (!properties.empty())
  {
    map = HostRef<HostPropertyMap>::Adopt(NewHostObject<HostPropertyMap>(mPolicy));
    for (const auto& [property, value] : properties)
      map->AddProperty(property, value);
  }
  auto info = HostRef<HostFeatureInfo>::Adopt(
      NewHostObject<HostFeatureInfo>(mPolicy, feature, supportLevel, std::move(map)));
  std::lock_guard lock(mMutex);
  mFeatures.push_back(std::move(info));
}

std::vector<HostRef<HostCollection>> HostObject::Collections() const
{
  std::lock_guard lock(mMutex);
  return mCollections;
}

int HostObject::CreatedCount(const ACF_ID& classId) const
{
  std::lock_guard lock(mMutex);
  for (const auto& [id, count] : mCreated)
    if (id == classId) return count;
  return 0;
}

} // namespace aaxhost
