#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectDescriptor.h"
#include "Host/HostComponentDescriptor.h"
#include "Host/HostRef.h"
#include "Host/HostUnknown.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace aaxhost
{

// Records one effect as a module describes it: names, categories, its
// components, the factory procedures and properties.
// [any-thread]: records are locked
class HostEffectDescriptor final : public HostUnknown<AAX_IEffectDescriptorV2>
{
public:
  explicit HostEffectDescriptor(std::shared_ptr<const InterfacePolicy> policy);

  AAX_Result AddComponent(IACFUnknown* componentDescriptor) override;
  AAX_Result AddName(const char* name) override;
  AAX_Result AddCategory(std::uint32_t category) override;
  AAX_Result AddProcPtr(void* proc, std::int32_t procId) override;
  AAX_Result SetProperties(IACFUnknown* propertyMap) override;
  AAX_Result AddResourceInfo(std::int32_t kind, const char* path) override;

  std::vector<std::string> Names() const;
  std::vector<std::uint32_t> Categories() const;
  std::vector<HostRef<HostComponentDescriptor>> Components() const;
  // The procedure registered under procId, or null.
  void* Proc(std::int32_t procId) const;
  std::map<std::int32_t, AAX_CPropertyValue> Properties() const;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  mutable std::mutex mMutex;
  std::vector<std::string> mNames;                              // under mMutex
  std::vector<std::uint32_t> mCategories;                       // under mMutex
  std::vector<HostRef<HostComponentDescriptor>> mComponents;    // under mMutex
  std::map<std::int32_t, void*> mProcs;                         // under mMutex
  std::map<std::int32_t, AAX_CPropertyValue> mProperties;       // under mMutex
  std::vector<std::pair<std::int32_t, std::string>> mResources; // under mMutex
};

} // namespace aaxhost
