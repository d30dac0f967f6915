#pragma once

#include "AAX_SDK/Interfaces/AAX_ICollection.h"
#include "Host/HostEffectDescriptor.h"
#include "Host/HostRef.h"
#include "Host/HostUnknown.h"

#include <mutex>
#include <string>
#include <vector>

namespace aaxhost
{

// Records a module's whole description. It is also the plug-in definition the
// module hands back from registration. An effect is accepted only with a
// unique, non-empty identifier, at least one name and at least one component.
// [any-thread]: records are locked
class HostCollection final : public HostUnknown<AAX_ICollection>
{
public:
  struct Effect
  {
    std::string id;
    HostRef<HostEffectDescriptor> descriptor;
  };

  explicit HostCollection(std::shared_ptr<const InterfacePolicy> policy);

  AAX_Result AddEffect(const char* effectId, IACFUnknown* effectDescriptor) override;
  AAX_Result SetManufacturerName(const char* name) override;
  AAX_Result AddPackageName(const char* name) override;
  AAX_Result SetPackageVersion(std::uint32_t version) override;
  AAX_Result SetProperties(IACFUnknown* propertyMap) override;

  std::vector<Effect> Effects() const;
  std::string ManufacturerName() const;
  std::vector<std::string> PackageNames() const;
  std::uint32_t PackageVersion() const;

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  mutable std::mutex mMutex;
  std::vector<Effect> mEffects;                           // under mMutex
  std::string mManufacturer;                              // under mMutex
  std::vector<std::string> mPackageNames;                 // under mMutex
  std::uint32_t mPackageVersion = 0;                      // under mMutex
  std::map<std::int32_t, AAX_CPropertyValue> mProperties; // under mMutex
};

} // namespace aaxhost
