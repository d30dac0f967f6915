#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IDisplayDelegateDecorator.h"

#include <string>

// Another display's text followed directly by a unit ("-3.00dB"); reads texts
// with or without the unit.
// [any-thread, immutable]
template <typename T>
class AAX_CUnitDisplayDelegateDecorator final : public AAX_IDisplayDelegateDecorator<T>
{
public:
  AAX_CUnitDisplayDelegateDecorator(const AAX_IDisplayDelegate<T>& inner, const char* unit)
      : AAX_IDisplayDelegateDecorator<T>(inner), mUnit(unit ? unit : "")
  {
  }

  AAX_CUnitDisplayDelegateDecorator* Clone() const override
  {
    return new AAX_CUnitDisplayDelegateDecorator(*this);
  }

  bool ValueToString(T value, AAX_IString* text) const override
  {
    if (text == nullptr || !this->Inner().ValueToString(value, text)) return false;
    text->Set((std::string(text->Get()) + mUnit).c_str());
    return true;
  }

  bool ValueToString(T value, std::int32_t maxChars, AAX_IString* text) const override
  {
    if (text == nullptr || !this->Inner().ValueToString(value, maxChars, text)) return false;
    std::string s = text->Get();
    const std::int64_t room =
        static_cast<std::int64_t>(maxChars) - static_cast<std::int64_t>(s.size());
    if (static_cast<std::int64_t>(s.size()) < maxChars &&
        room >= static_cast<std::int64_t>(mUnit.size()))
    {
      s += mUnit;
      text->Set(s.c_str());
    }
    return true;
  }

  bool StringToValue(const AAX_IString& text, T* value) const override
  {
    const std::string s = text.Get();
    if (mUnit.size() < s.size() && s.compare(s.size() - mUnit.size(), mUnit.size(), mUnit) == 0)
      return this->Inner().StringToValue(AAX_CString(s.substr(0, s.size() - mUnit.size()).c_str()),
                                         value);
    return this->Inner().StringToValue(text, value);
  }

private:
  std::string mUnit;
};
