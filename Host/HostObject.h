#pragma once

#include "AAX_SDK/Interfaces/AAX_IDescriptionHost.h"
#include "AAX_SDK/Interfaces/AAX_IHostFactory.h"
#include "Host/HostFeatureInfo.h"
#include "Host/HostRef.h"
#include "Host/HostServices.h"
#include "Host/HostUnknown.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace aaxhost
{

class HostCollection;

// The host object a module receives at start-up and registration: the object
// factory (host services, collections, descriptors and property maps by class
// ID) and the description host. All objects it makes share its policy, and
// every host-services object it hands out is the one HostServices, so traces
// and reports from a module end up in one place.
// [any-thread]: records are locked
class HostObject final : public HostUnknown<AAX_IHostFactory, AAX_IDescriptionHostV2>
{
public:
  explicit HostObject(
      std::shared_ptr<InterfacePolicy> policy = std::make_shared<InterfacePolicy>());

  ACFRESULT CreateInstance(const ACF_ID& classId, IACFUnknown* outer, const ACF_ID& iid,
                           void** out) override;
  AAX_Result AcquireFeatureInfo(const ACF_ID& feature, IACFUnknown** out) const override;
  AAX_Result HostName(AAX_IString* out) const override;

  // Announces a feature with a support level and, optionally, properties.
  void AddFeature(const ACF_ID& feature, std::int32_t supportLevel,
                  const std::map<std::int32_t, AAX_CPropertyValue>& properties = {});

  HostServices& Services() const noexcept { return *mServices.Get(); }
  InterfacePolicy& Interfaces() const noexcept { return *mPolicy; }
  std::shared_ptr<InterfacePolicy> SharedPolicy() const noexcept { return mPolicy; }
  // The collections made by the factory, in creation order.
  std::vector<HostRef<HostCollection>> Collections() const;
  // How many objects the factory made for a class.
  int CreatedCount(const ACF_ID& classId) const;

  static constexpr const char* kHostName = "Brasmire plughost";

protected:
  void* FindInterface(const ACF_ID& iid) override;

private:
  const std::shared_ptr<InterfacePolicy> mPolicy;
  const HostRef<HostServices> mServices;
  mutable std::mutex mMutex;
  std::vector<HostRef<HostCollection>> mCollections; // under mMutex
  std::vector<std::pair<ACF_ID, int>> mCreated;      // under mMutex
  std::vector<HostRef<HostFeatureInfo>> mFeatures;   // under mMutex
};

} // namespace aaxhost
