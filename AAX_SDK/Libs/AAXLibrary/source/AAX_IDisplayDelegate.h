#pragma once

#include "AAX_SDK/Interfaces/AAX_IString.h"

#include <cstdint>

// Turns a parameter's plain values into texts and back.
// [any-thread, immutable after construction]
class AAX_IDisplayDelegateBase
{
public:
  virtual ~AAX_IDisplayDelegateBase() = default;
};

template <typename T>
class AAX_IDisplayDelegate : public AAX_IDisplayDelegateBase
{
public:
  // A new copy; the caller owns it.
  virtual AAX_IDisplayDelegate* Clone() const = 0;
  // maxChars < 0 counts as 0. false when the value has no text.
  virtual bool ValueToString(T value, std::int32_t maxChars, AAX_IString* text) const = 0;
  virtual bool ValueToString(T value, AAX_IString* text) const = 0;
  // false (and value untouched or 0, as the delegate says) when text cannot be read.
  virtual bool StringToValue(const AAX_IString& text, T* value) const = 0;
};
