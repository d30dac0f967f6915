#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The host's object factory: creates host objects (host services, collections,
// descriptors, property maps) by class ID inside the host. Obtained by a query
// on the host object with AAX_IID_HostFactory.
class AAX_IHostFactory : public IACFUnknown
{
public:
  // outer must be null (the host's objects are not aggregated). On success *out
  // holds an added reference to the iid interface of the new object. [main-thread]
  virtual ACFRESULT CreateInstance(const ACF_ID& classId, IACFUnknown* outer, const ACF_ID& iid,
                                   void** out) = 0;

protected:
  ~AAX_IHostFactory() = default;
};
