#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameterValue.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"

#include <cstring>
#include <type_traits>

// Longest parameter identifier plus its terminator.
inline constexpr std::size_t eParemeterDefaultMaxIdentifierSize = 32;

// An identifier and a value of type T (bool, int32 or double).
// [any-thread, one owner]
template <typename T>
class AAX_CParameterValue final : public AAX_IParameterValue
{
  static_assert(std::is_same_v<T, bool> || std::is_same_v<T, std::int32_t> ||
                    std::is_same_v<T, double>,
                "host parameter values are bool, int32 or double");

public:
  AAX_CParameterValue(AAX_CParamID identifier, T value) : mValue(value)
  {
    SetIdentifier(identifier);
  }
  AAX_CParameterValue(const AAX_CParameterValue& other)
      : AAX_IParameterValue(), mValue(other.mValue)
  {
    std::memcpy(mIdentifier, other.mIdentifier, sizeof mIdentifier);
  }
  AAX_CParameterValue& operator=(const AAX_CParameterValue&) = delete;

  AAX_IParameterValue* Clone() const override { return new AAX_CParameterValue(*this); }
  AAX_CParamID Identifier() const override { return mIdentifier; }

  bool GetValueAsBool(bool* value) const override { return Answer<bool>(value); }
  bool GetValueAsInt32(std::int32_t* value) const override { return Answer<std::int32_t>(value); }
  bool GetValueAsFloat(float*) const override { return false; }
  bool GetValueAsDouble(double* value) const override { return Answer<double>(value); }
  bool GetValueAsString(AAX_IString*) const override { return false; }

  // Identifiers of 32 characters or more keep their first 31 (reported).
  void SetIdentifier(AAX_CParamID identifier)
  {
    const char* text = identifier ? identifier : "";
    const std::size_t len = std::strlen(text);
    if (!(len < eParemeterDefaultMaxIdentifierSize))
      AAX_ReportAssertion(kCheckSource, __LINE__, "len < eParemeterDefaultMaxIdentifierSize");
    const std::size_t kept =
        len < eParemeterDefaultMaxIdentifierSize ? len : eParemeterDefaultMaxIdentifierSize - 1;
    std::memcpy(mIdentifier, text, kept);
    std::memset(mIdentifier + kept, 0, sizeof mIdentifier - kept);
  }

  T Get() const noexcept { return mValue; }
  void Set(T value) noexcept { mValue = value; }

  static constexpr const char* kCheckSource =
      "Dependencies/IPlug/AAX_SDK/Interfaces/AAX_CParameter";

private:
  template <typename U>
  bool Answer(U* out) const
  {
    if constexpr (std::is_same_v<U, T>)
    {
      if (out == nullptr) return false;
      *out = mValue;
      return true;
    }
    else
    {
      (void)out;
      return false;
    }
  }

  char mIdentifier[eParemeterDefaultMaxIdentifierSize] = {};
  T mValue;
};
