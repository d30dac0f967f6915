#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IDisplayDelegate.h"

#include <map>
#include <string>

// Texts looked up by exact value; texts read back by exact, case-sensitive match.
// [any-thread, immutable]
template <typename T>
class AAX_CStringDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
public:
  explicit AAX_CStringDisplayDelegate(const std::map<T, std::string>& texts) : mTexts(texts) {}

  AAX_CStringDisplayDelegate* Clone() const override
  {
    return new AAX_CStringDisplayDelegate(*this);
  }

  // The limit is not applied: a cut name would no longer read back.
  bool ValueToString(T value, std::int32_t, AAX_IString* text) const override
  {
    return ValueToString(value, text);
  }

  bool ValueToString(T value, AAX_IString* text) const override
  {
    if (text == nullptr) return false;
    const auto found = mTexts.find(value);
    if (found == mTexts.end())
    {
      text->Set("String Not Found");
      return false;
    }
    text->Set(found->second.c_str());
    return true;
  }

  bool StringToValue(const AAX_IString& text, T* value) const override
  {
    if (value == nullptr) return false;
    for (const auto& [key, name] : mTexts)
      if (name == text.Get())
      {
        *value = key;
        return true;
      }
    *value = T{};
    return false;
  }

private:
  std::map<T, std::string> mTexts;
};
