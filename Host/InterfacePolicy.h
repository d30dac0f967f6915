#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

#include <mutex>
#include <vector>

namespace aaxhost
{

// Which interface versions this host refuses to hand out, so that a module can
// be exercised against an older or partial host. Configure it before the
// module runs; queries may come from any thread.
// [any-thread]
class InterfacePolicy
{
public:
  InterfacePolicy() = default;
  InterfacePolicy(const InterfacePolicy&) = delete;
  InterfacePolicy& operator=(const InterfacePolicy&) = delete;

  void Withhold(const ACF_ID& iid);
  void AllowAll();
  bool Allows(const ACF_ID& iid) const;

private:
  mutable std::mutex mMutex;
  std::vector<ACF_ID> mWithheld; // under mMutex
};

} // namespace aaxhost
