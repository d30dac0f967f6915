#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IDisplayDelegate.h"

#include <memory>

// A display that adds to the texts of another display, which it owns.
// [any-thread, immutable after construction]
template <typename T>
class AAX_IDisplayDelegateDecorator : public AAX_IDisplayDelegate<T>
{
public:
  explicit AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& inner)
      : mInner(inner.Clone())
  {
  }
  AAX_IDisplayDelegateDecorator(const AAX_IDisplayDelegateDecorator& other)
      : AAX_IDisplayDelegate<T>(), mInner(other.mInner->Clone())
  {
  }
  AAX_IDisplayDelegateDecorator& operator=(const AAX_IDisplayDelegateDecorator&) = delete;

  bool ValueToString(T value, std::int32_t maxChars, AAX_IString* text) const override
  {
    return mInner->ValueToString(value, maxChars, text);
  }
  bool ValueToString(T value, AAX_IString* text) const override
  {
    return mInner->ValueToString(value, text);
  }
  bool StringToValue(const AAX_IString& text, T* value) const override
  {
    return mInner->StringToValue(text, value);
  }

protected:
  const AAX_IDisplayDelegate<T>& Inner() const noexcept { return *mInner; }

private:
  std::unique_ptr<AAX_IDisplayDelegate<T>> mInner;
};
