#pragma once

#include "AAX_SDK/Interfaces/AAX_IHostFactory.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"

#include <utility>

// Holds one reference to a host interface and releases it when destroyed.
// [any-thread, one owner]
template <typename T>
class AAX_InterfaceRef
{
public:
  AAX_InterfaceRef() = default;
  // Adopts a reference the caller already holds.
  explicit AAX_InterfaceRef(T* adopted) noexcept : mPtr(adopted) {}
  AAX_InterfaceRef(const AAX_InterfaceRef&) = delete;
  AAX_InterfaceRef& operator=(const AAX_InterfaceRef&) = delete;
  AAX_InterfaceRef(AAX_InterfaceRef&& other) noexcept : mPtr(std::exchange(other.mPtr, nullptr)) {}
  AAX_InterfaceRef& operator=(AAX_InterfaceRef&& other) noexcept
  {
    if (this != &other)
    {
      Reset();
      mPtr = std::exchange(other.mPtr, nullptr);
    }
    return *this;
  }
  ~AAX_InterfaceRef() { Reset(); }

  void Reset() noexcept
  {
    if (T* p = std::exchange(mPtr, nullptr)) p->Release();
  }

  // Like Reset, but lets an exception from the host's Release reach the caller
  // (the reference counts as given back either way).
  void ReleaseNow()
  {
    if (T* p = std::exchange(mPtr, nullptr)) p->Release();
  }

  T* Get() const noexcept { return mPtr; }
  T* operator->() const noexcept { return mPtr; }
  explicit operator bool() const noexcept { return mPtr != nullptr; }

private:
  T* mPtr = nullptr;
};

// Asks object for the interface iid; empty when object is null or refuses.
template <typename T>
AAX_InterfaceRef<T> AAX_QueryInterface(IACFUnknown* object, const ACF_ID& iid)
{
  if (object == nullptr) return {};
  void* raw = nullptr;
  if (object->QueryInterface(iid, &raw) != ACF_OK || raw == nullptr) return {};
  return AAX_InterfaceRef<T>(static_cast<T*>(raw));
}

// Creates an object inside the host through the factory that hostObject
// answers, and asks it for iid. Empty when any step fails.
template <typename T>
AAX_InterfaceRef<T> AAX_CreateHostObject(IACFUnknown* hostObject, const ACF_ID& classId,
                                         const ACF_ID& iid)
{
  AAX_InterfaceRef<AAX_IHostFactory> factory =
      AAX_QueryInterface<AAX_IHostFactory>(hostObject, AAX_IID_HostFactory);
  if (!factory) return {};
  void* raw = nullptr;
  if (factory->CreateInstance(classId, nullptr, iid, &raw) != ACF_OK || raw == nullptr) return {};
  return AAX_InterfaceRef<T>(static_cast<T*>(raw));
}
