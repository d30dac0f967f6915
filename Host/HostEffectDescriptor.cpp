#include "Host/HostEffectDescriptor.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostPropertyMap.h"
#include "Host/HostServices.h"

namespace aaxhost
{

namespace
{
constexpr std::size_t kMaxName = 256;
}

HostEffectDescriptor::HostEffectDescriptor(std::shared_ptr<const InterfacePolicy> policy)
    : HostUnknown(std::move(policy))
{
}

void* HostEffectDescriptor::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_EffectDescriptor ||
      iid == AAX_IID_EffectDescriptorV2)
    return static_cast<AAX_IEffectDescriptorV2*>(this);
  if (iid == kHostSelfEffectDescriptor) return this;
  return nullptr;
}

AAX_Result HostEffectDescriptor::AddComponent(IACFUnknown* componentDescriptor)
{
  if (componentDescriptor == nullptr) return AAX_ERROR_NULL_COMPONENT;
  HostRef<HostComponentDescriptor> component =
      QueryRef<HostComponentDescriptor>(componentDescriptor, kHostSelfComponentDescriptor);
  if (!component) return AAX_ERROR_INVALID_ARGUMENT;
  std::lock_guard lock(mMutex);
  mComponents.push_back(std::move(component));
  return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::AddName(const char* name)
{
  if (name == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  mNames.push_back(BoundedText(name, kMaxName));
  return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::AddCategory(std::uint32_t category)
{
  std::lock_guard lock(mMutex);
  mCategories.push_back(category);
  return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::AddProcPtr(void* proc, std::int32_t procId)
{
  if (proc == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  mProcs[procId] = proc;
  return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::SetProperties(IACFUnknown* propertyMap)
{
  HostRef<HostPropertyMap> map = QueryRef<HostPropertyMap>(propertyMap, kHostSelfPropertyMap);
  if (!map) return AAX_ERROR_INVALID_ARGUMENT;
  const auto values = map->Values();
  std::lock_guard lock(mMutex);
  mProperties = values;
  return AAX_SUCCESS;
}

AAX_Result HostEffectDescriptor::AddResourceInfo(std::int32_t kind, const char* path)
{
  if (path == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::lock_guard lock(mMutex);
  mResources.emplace_back(kind, BoundedText(path, 4096));
  return AAX_SUCCESS;
}

std::vector<std::string> HostEffectDescriptor::Names() const
{
  std::lock_guard lock(mMutex);
  return mNames;
}

std::vector<std::uint32_t> HostEffectDescriptor::Categories() const
{
  std::lock_guard lock(mMutex);
  return mCategories;
}

std::vector<HostRef<HostComponentDescriptor>> HostEffectDescriptor::Components() const
{
  std::lock_guard lock(mMutex);
  return mComponents;
}

void* HostEffectDescriptor::Proc(std::int32_t procId) const
{
  std::lock_guard lock(mMutex);
  const auto found = mProcs.find(procId);
  return found == mProcs.end() ? nullptr : found->second;
}

std::map<std::int32_t, AAX_CPropertyValue> HostEffectDescriptor::Properties() const
{
  std::lock_guard lock(mMutex);
  return mProperties;
}

} // namespace aaxhost
