#pragma once

#include "AAX_SDK/Interfaces/AAX_IPropertyMap.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_InterfaceRef.h"

#include <memory>

// A host property map: either created through the host factory or wrapping a
// map the host handed out. -20004 for a missing first version, -20009 later.
// [main-thread, during description]
class AAX_VPropertyMap
{
public:
  // Creates a new map inside the host.
  explicit AAX_VPropertyMap(IACFUnknown* hostObject);
  // Wraps a map object the host gave (for example with a feature's information).
  static std::unique_ptr<AAX_VPropertyMap> FromObject(IACFUnknown* mapObject);
  AAX_VPropertyMap(const AAX_VPropertyMap&) = delete;
  AAX_VPropertyMap& operator=(const AAX_VPropertyMap&) = delete;
  ~AAX_VPropertyMap();

  bool IsValid() const noexcept { return static_cast<bool>(mV1); }
  // The host object, for passing back to host calls; null without one.
  IACFUnknown* Object() const noexcept { return mV1.Get(); }

  // false when not set or without a host map.
  bool GetProperty(std::int32_t property, AAX_CPropertyValue* out) const;
  AAX_Result AddProperty(std::int32_t property, AAX_CPropertyValue value);
  AAX_Result RemoveProperty(std::int32_t property);
  AAX_Result AddPropertyWithIDArray(std::int32_t property, const AAX_CTypeID* ids,
                                    std::uint32_t count); // version 2
  bool GetPropertyWithIDArray(std::int32_t property, AAX_CTypeID* ids, std::uint32_t capacity,
                              std::uint32_t* count) const; // version 3

private:
  struct Adopt
  {
  };
  AAX_VPropertyMap(Adopt, IACFUnknown* mapObject);
  void QueryLaterVersions();

  AAX_InterfaceRef<AAX_IPropertyMap> mV1;
  AAX_InterfaceRef<AAX_IPropertyMapV2> mV2;
  AAX_InterfaceRef<AAX_IPropertyMapV3> mV3;
};
