#pragma once

#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "Host/InterfacePolicy.h"

#include <atomic>
#include <memory>

namespace aaxhost
{

// Reference counting and interface queries for the host's own objects. A
// derived object names the interfaces it answers in FindInterface; the policy
// may withhold some of them.
// [any-thread]: the count is atomic
template <typename... Interfaces>
class HostUnknown : public Interfaces...
{
public:
  HostUnknown(const HostUnknown&) = delete;
  HostUnknown& operator=(const HostUnknown&) = delete;

  ACFRESULT QueryInterface(const ACF_ID& iid, void** out) override
  {
    if (out == nullptr) return ACF_E_NOINTERFACE;
    *out = nullptr;
    if (mPolicy && !mPolicy->Allows(iid)) return ACF_E_NOINTERFACE;
    void* found = FindInterface(iid);
    if (found == nullptr) return ACF_E_NOINTERFACE;
    AddRef();
    *out = found;
    return ACF_OK;
  }
  std::int32_t AddRef() override { return mReferences.fetch_add(1) + 1; }
  std::int32_t Release() override
  {
    const std::int32_t count = mReferences.fetch_sub(1) - 1;
    if (count == 0) delete this;
    return count;
  }

  std::int32_t ReferenceCount() const noexcept { return mReferences.load(); }

protected:
  explicit HostUnknown(std::shared_ptr<const InterfacePolicy> policy) : mPolicy(std::move(policy))
  {
  }
  virtual ~HostUnknown() = default;

  // The interface pointer for iid (already cast), or null.
  virtual void* FindInterface(const ACF_ID& iid) = 0;

  const std::shared_ptr<const InterfacePolicy>& Policy() const noexcept { return mPolicy; }

private:
  std::shared_ptr<const InterfacePolicy> mPolicy;
  std::atomic<std::int32_t> mReferences{0};
};

// Private identifiers under which host objects hand out their own concrete
// selves to the rest of the host (never to a module).
inline constexpr ACF_ID kHostSelfCollection = ACF_MakeID("B7A1E9C0-51D2-4E8A-9F03-6C2D1A7B3E01");
inline constexpr ACF_ID kHostSelfEffectDescriptor =
    ACF_MakeID("B7A1E9C0-51D2-4E8A-9F03-6C2D1A7B3E02");
inline constexpr ACF_ID kHostSelfComponentDescriptor =
    ACF_MakeID("B7A1E9C0-51D2-4E8A-9F03-6C2D1A7B3E03");
inline constexpr ACF_ID kHostSelfPropertyMap = ACF_MakeID("B7A1E9C0-51D2-4E8A-9F03-6C2D1A7B3E04");

// Creates a host object with its first reference.
template <typename T, typename... Args>
T* NewHostObject(Args&&... args)
{
  T* object = new T(std::forward<Args>(args)...);
  object->AddRef();
  return object;
}

} // namespace aaxhost
