#pragma once

#include "AAX_SDK/Interfaces/AAX_IPropertyMap.h"
#include "Host/HostUnknown.h"

#include <map>
#include <mutex>
#include <vector>

namespace aaxhost
{

// A property map made through the host factory during description.
// [any-thread]: values are locked
class HostPropertyMap final : public HostUnknown<AAX_IPropertyMapV3>
{
public:
  explicit HostPropertyMap(std::shared_ptr<const InterfacePolicy> policy);

  bool GetProperty(std::int32_t property, AAX_CPropertyValue* out) const override;
  AAX_Result AddProperty(std::int32_t property, AAX_CPropertyValue value) override;
  AAX_Result RemoveProperty(std::int32_t property) override;
  AAX_Result AddPropertyWithIDArray(std::int32_t property, const AAX_CTypeID* ids,
                                    std::uint32_t count) override;
  bool GetPropertyWithIDArray(std::int32_t property, AAX_CTypeID* ids, std::uint32_t capacity,
                              std::uint32_t* count) const override;

  std::map<std::int32_t, AAX_CPropertyValue> Values() const;
  std::map<std::int32_t, std::vector<AAX_CTypeID>> IDArrays() const;

  // Longest ID list a module may hand over.
  static constexpr std::uint32_t kMaxIDs = 1024;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  mutable std::mutex mMutex;
  std::map<std::int32_t, AAX_CPropertyValue> mValues;         // under mMutex
  std::map<std::int32_t, std::vector<AAX_CTypeID>> mIDArrays; // under mMutex
};

} // namespace aaxhost
