#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"

#include "AAX_SDK/Interfaces/AAX_UIDs.h"

namespace
{
std::atomic<std::int32_t> gObjectCount{0};
}

std::int32_t CACFUnknown::ObjectCount() noexcept
{
  return gObjectCount.load();
}

CACFUnknown::CACFUnknown(IACFUnknown* outer) : mInner(*this), mOuter(outer ? outer : &mInner)
{
  gObjectCount.fetch_add(1);
}

CACFUnknown::~CACFUnknown()
{
  gObjectCount.fetch_sub(1);
}

ACFRESULT CACFUnknown::InternalQueryInterface(const ACF_ID& iid, void** out)
{
  if (out == nullptr) return ACF_E_NOINTERFACE;
  if (iid == IID_IACFUnknown)
  {
    *out = &mInner;
    mInner.AddRef();
    return ACF_OK;
  }
  *out = nullptr;
  return ACF_E_NOINTERFACE;
}

std::int32_t CACFUnknown::InternalAddRef()
{
  return mRefCount.fetch_add(1) + 1;
}

std::int32_t CACFUnknown::InternalRelease()
{
  const std::int32_t count = mRefCount.fetch_sub(1) - 1;
  if (count == 0)
  {
    FinalRelease();
    DeleteThis();
  }
  return count;
}
