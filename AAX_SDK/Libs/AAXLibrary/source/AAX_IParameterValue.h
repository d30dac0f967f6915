#pragma once

#include "AAX_SDK/Interfaces/AAX_IString.h"
#include "AAX_SDK/Interfaces/AAX_Types.h"

// An identifier with one typed value, copied out of a host parameter. Each
// typed accessor answers true only for the value's own type.
// [any-thread, one owner]
class AAX_IParameterValue
{
public:
  virtual ~AAX_IParameterValue() = default;
  // A new object with the same identifier and value; the caller owns it.
  virtual AAX_IParameterValue* Clone() const = 0;
  virtual AAX_CParamID Identifier() const = 0;
  virtual bool GetValueAsBool(bool* value) const = 0;
  virtual bool GetValueAsInt32(std::int32_t* value) const = 0;
  virtual bool GetValueAsFloat(float* value) const = 0;
  virtual bool GetValueAsDouble(double* value) const = 0;
  virtual bool GetValueAsString(AAX_IString* value) const = 0;
};
