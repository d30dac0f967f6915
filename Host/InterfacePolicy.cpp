#include "Host/InterfacePolicy.h"

#include <algorithm>

namespace aaxhost
{

void InterfacePolicy::Withhold(const ACF_ID& iid)
{
  std::lock_guard lock(mMutex);
  if (std::find(mWithheld.begin(), mWithheld.end(), iid) == mWithheld.end())
    mWithheld.push_back(iid);
}

void InterfacePolicy::AllowAll()
{
  std::lock_guard lock(mMutex);
  mWithheld.clear();
}

bool InterfacePolicy::Allows(const ACF_ID& iid) const
{
  std::lock_guard lock(mMutex);
  return std::find(mWithheld.begin(), mWithheld.end(), iid) == mWithheld.end();
}

} // namespace aaxhost
