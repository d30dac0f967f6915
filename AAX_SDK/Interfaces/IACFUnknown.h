#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

// The reference-counted base of every interface shared with a host. Objects are
// never deleted through an interface: the last Release deletes them on the side
// that created them, which is why the destructor is protected and not virtual.
class IACFUnknown
{
public:
  // On success *out holds an added reference; otherwise *out is null and the
  // result is ACF_E_NOINTERFACE. [any-thread]
  virtual ACFRESULT QueryInterface(const ACF_ID& iid, void** out) = 0;
  // Both answer the new reference count. [any-thread]
  virtual std::int32_t AddRef() = 0;
  virtual std::int32_t Release() = 0;

protected:
  ~IACFUnknown() = default;
};
