#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// The host's record of everything a module describes. Descriptors passed in are
// host objects created through the host factory. Only during description.
// [main-thread, during description]
class AAX_ICollection : public IACFUnknown
{
public:
  // effectDescriptor: an effect descriptor object of this host. [main-thread]
  virtual AAX_Result AddEffect(const char* effectId, IACFUnknown* effectDescriptor) = 0;
  virtual AAX_Result SetManufacturerName(const char* name) = 0;
  virtual AAX_Result AddPackageName(const char* name) = 0;
  virtual AAX_Result SetPackageVersion(std::uint32_t version) = 0;
  // Properties of the whole package (a property map object of this host).
  virtual AAX_Result SetProperties(IACFUnknown* propertyMap) = 0;

protected:
  ~AAX_ICollection() = default;
};
