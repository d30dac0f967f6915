#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_NumberText.h"

#include <string>
#include <type_traits>

// A value as fixed-point text with Precision decimals followed by Spaces
// blanks; texts are read as decimal numbers (int displays truncate).
// [any-thread, immutable]
template <typename T, std::int32_t Precision = 2, std::int32_t Spaces = 0>
class AAX_CNumberDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
  static_assert(std::is_same_v<T, double> || std::is_same_v<T, std::int32_t>,
                "number displays show int32 or double values");

public:
  AAX_CNumberDisplayDelegate* Clone() const override
  {
    return new AAX_CNumberDisplayDelegate(*this);
  }

  bool ValueToString(T value, std::int32_t maxChars, AAX_IString* text) const override
  {
    if (text == nullptr) return false;
    std::string s = Text(value);
    aax_number_text::LimitLength(s, maxChars);
    text->Set(s.c_str());
    return true;
  }

  bool ValueToString(T value, AAX_IString* text) const override
  {
    if (text == nullptr) return false;
    text->Set(Text(value).c_str());
    return true;
  }

  bool StringToValue(const AAX_IString& text, T* value) const override
  {
    if (value == nullptr) return false;
    double number = 0.0;
    const bool read = aax_number_text::ParseDecimalPrefix(text.Get(), &number);
    if constexpr (std::is_same_v<T, double>)
      *value = number;
    else
      *value = aax_number_text::TruncateToInt32(number);
    return read;
  }

private:
  static std::string Text(T value)
  {
    std::string s = aax_number_text::Format(static_cast<double>(value), Precision);
    s.append(static_cast<std::size_t>(Spaces > 0 ? Spaces : 0), ' ');
    return s;
  }
};
