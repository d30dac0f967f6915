#pragma once

#include "AAX_SDK/Interfaces/IACFUnknown.h"

// Numbered properties of a component, effect or package.
// [main-thread, during description]
class AAX_IPropertyMap : public IACFUnknown
{
public:
  // false when the property is not set (out untouched).
  virtual bool GetProperty(std::int32_t property, AAX_CPropertyValue* out) const = 0;
  virtual AAX_Result AddProperty(std::int32_t property, AAX_CPropertyValue value) = 0;
  virtual AAX_Result RemoveProperty(std::int32_t property) = 0;

protected:
  ~AAX_IPropertyMap() = default;
};

class AAX_IPropertyMapV2 : public AAX_IPropertyMap
{
public:
  // A property whose value is a list of IDs.
  virtual AAX_Result AddPropertyWithIDArray(std::int32_t property, const AAX_CTypeID* ids,
                                            std::uint32_t count) = 0;

protected:
  ~AAX_IPropertyMapV2() = default;
};

class AAX_IPropertyMapV3 : public AAX_IPropertyMapV2
{
public:
  // Copies at most capacity IDs into ids; *count receives the full count.
  virtual bool GetPropertyWithIDArray(std::int32_t property, AAX_CTypeID* ids,
                                      std::uint32_t capacity, std::uint32_t* count) const = 0;

protected:
  ~AAX_IPropertyMapV3() = default;
};
