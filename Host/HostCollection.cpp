#include "Host/HostCollection.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostPropertyMap.h"
#include "Host/HostServices.h"

namespace aaxhost
{

namespace
{
constexpr std::size_t kMaxText = 256;
}

HostCollection::HostCollection(std::shared_ptr<const InterfacePolicy> policy)
    : HostUnknown(std::move(policy))
{
}

void* HostCollection::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_Collection || iid == AAX_IID_PluginDefinition)
    return static_cast<AAX_ICollection*>(this);
  if (iid == kHostSelfCollection) return this;
  return nullptr;
}

AAX_Result HostCollection::AddEffect(const char* effectId, IACFUnknown* effectDescriptor)
{
  if (effectId == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const std::string id = BoundedText(effectId, kMaxText);
  if (id.empty()) return AAX_ERROR_INVALID_ARGUMENT;
  HostRef<HostEffectDescriptor> descriptor =
      QueryRef<HostEffectDescriptor>(effectDescriptor, kHostSelfEffectDescriptor);
  if (!descriptor) return AAX_ERROR_NULL_OBJECT;
  if (descriptor->Names().empty()) return AAX_ERROR_EMPTY_EFFECT_NAME;
  if (descriptor->Components().empty()) return AAX_ERROR_NO_COMPONENTS;
  std::lock_guard lock(mMutex);
  for (const Effect& effect : mEffects)
    if (effect.id == id) return AAX_ERROR_DUPLICATE_EFFECT_ID;
  mEffects.push_back({id, std::move(descriptor)});
  return AAX_SUCCESS;
}

AAX_Result HostCollection::SetManufacturerName(const char* name)
{
  if (name == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  mManufacturer = BoundedText(name, kMaxText);
  return AAX_SUCCESS;
}

AAX_Result HostCollection::AddPackageName(const char* name)
{
  if (name == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  mPackageNames.push_back(BoundedText(name, kMaxText));
  return AAX_SUCCESS;
}

AAX_Result HostCollection::SetPackageVersion(std::uint32_t version)
{
  std::lock_guard lock(mMutex);
  mPackageVersion = version;
  return AAX_SUCCESS;
}

AAX_Result HostCollection::SetProperties(IACFUnknown* propertyMap)
{
  HostRef<HostPropertyMap> map = QueryRef<HostPropertyMap>(propertyMap, kHostSelfPropertyMap);
  if (!map) return AAX_ERROR_INVALID_ARGUMENT;
  const auto values = map->Values();
  std::lock_guard lock(mMutex);
  mProperties = values;
  return AAX_SUCCESS;
}

std::vector<HostCollection::Effect> HostCollection::Effects() const
{
  std::lock_guard lock(mMutex);
  return mEffects;
}

std::string HostCollection::ManufacturerName() const
{
  std::lock_guard lock(mMutex);
  return mManufacturer;
}

std::vector<std::string> HostCollection::PackageNames() const
{
  std::lock_guard lock(mMutex);
  return mPackageNames;
}

std::uint32_t HostCollection::PackageVersion() const
{
  std::lock_guard lock(mMutex);
  return mPackageVersion;
}

} // namespace aaxhost
