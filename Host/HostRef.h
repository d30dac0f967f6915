#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

#include <utility>

namespace aaxhost
{

// One counted reference to a host or module object; copies add a reference.
// [any-thread, one owner per HostRef]
template <typename T>
class HostRef
{
public:
  HostRef() = default;
  // Takes a new reference on object.
  static HostRef Retain(T* object)
  {
    if (object) object->AddRef();
    return HostRef(object);
  }
  // Adopts a reference the caller already holds.
  static HostRef Adopt(T* object) { return HostRef(object); }

  HostRef(const HostRef& other) : mPtr(other.mPtr)
  {
    if (mPtr) mPtr->AddRef();
  }
  HostRef(HostRef&& other) noexcept : mPtr(std::exchange(other.mPtr, nullptr)) {}
  HostRef& operator=(HostRef other) noexcept
  {
    std::swap(mPtr, other.mPtr);
    return *this;
  }
  ~HostRef() { Reset(); }

  void Reset() noexcept
  {
    if (T* p = std::exchange(mPtr, nullptr)) p->Release();
  }
  T* Get() const noexcept { return mPtr; }
  T* operator->() const noexcept { return mPtr; }
  explicit operator bool() const noexcept { return mPtr != nullptr; }

private:
  explicit HostRef(T* object) : mPtr(object) {}
  T* mPtr = nullptr;
};

// Asks object for iid; empty when refused.
template <typename T>
HostRef<T> QueryRef(IACFUnknown* object, const ACF_ID& iid)
{
  if (object == nullptr) return {};
  void* raw = nullptr;
  if (object->QueryInterface(iid, &raw) != ACF_OK || raw == nullptr) return {};
  return HostRef<T>::Adopt(static_cast<T*>(raw));
}

} // namespace aaxhost
