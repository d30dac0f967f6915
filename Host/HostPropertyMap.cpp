#include "Host/HostPropertyMap.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"

#include <algorithm>

namespace aaxhost
{

HostPropertyMap::HostPropertyMap(std::shared_ptr<const InterfacePolicy> policy)
    : HostUnknown(std::move(policy))
{
}

void* HostPropertyMap::FindInterface(const ACF_ID& iid)
{
  if (iid == IID_IACFUnknown || iid == AAX_IID_PropertyMap || iid == AAX_IID_PropertyMapV2 ||
      iid == AAX_IID_PropertyMapV3)
    return static_cast<AAX_IPropertyMapV3*>(this);
  if (iid == kHostSelfPropertyMap) return this;
  return nullptr;
}

bool HostPropertyMap::GetProperty(std::int32_t property, AAX_CPropertyValue* out) const
{
  std::lock_guard lock(mMutex);
  const auto found = mValues.find(property);
  if (found == mValues.end()) return false;
  if (out) *out = found->second;
  return true;
}

AAX_Result HostPropertyMap::AddProperty(std::int32_t property, AAX_CPropertyValue value)
{
  std::lock_guard lock(mMutex);
  mValues[property] = value;
  return AAX_SUCCESS;
}

AAX_Result HostPropertyMap::RemoveProperty(std::int32_t property)
{
  std::lock_guard lock(mMutex);
  mValues.erase(property);
  mIDArrays.erase(property);
  return AAX_SUCCESS;
}

AAX_Result HostPropertyMap::AddPropertyWithIDArray(std::int32_t property, const AAX_CTypeID* ids,
                                                   std::uint32_t count)
{
  if (ids == nullptr && count != 0) return AAX_ERROR_NULL_ARGUMENT;
  if (count > kMaxIDs) return AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW;
  std::lock_guard lock(mMutex);
  mIDArrays[property].assign(ids, ids + count);
  return AAX_SUCCESS;
}

bool HostPropertyMap::GetPropertyWithIDArray(std::int32_t property, AAX_CTypeID* ids,
                                             std::uint32_t capacity, std::uint32_t* count) const
{
  std::lock_guard lock(mMutex);
  const auto found = mIDArrays.find(property);
  if (found == mIDArrays.end()) return false;
  const auto& list = found->second;
  if (ids) std::copy_n(list.begin(), std::min<std::size_t>(capacity, list.size()), ids);
  if (count) *count = static_cast<std::uint32_t>(list.size());
  return true;
}

std::map<std::int32_t, AAX_CPropertyValue> HostPropertyMap::Values() const
{
  std::lock_guard lock(mMutex);
  return mValues;
}

std::map<std::int32_t, std::vector<AAX_CTypeID>> HostPropertyMap::IDArrays() const
{
  std::lock_guard lock(mMutex);
  return mIDArrays;
}

} // namespace aaxhost
