#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IDisplayDelegate.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

// One text for false and one for true, with shorter pairs for narrow displays.
// [any-thread, immutable after set-up]
template <typename T>
class AAX_CBinaryDisplayDelegate final : public AAX_IDisplayDelegate<T>
{
public:
  AAX_CBinaryDisplayDelegate(const char* falseText, const char* trueText)
      : mFalse(falseText ? falseText : ""), mTrue(trueText ? trueText : "")
  {
  }

  AAX_CBinaryDisplayDelegate* Clone() const override
  {
    return new AAX_CBinaryDisplayDelegate(*this);
  }

  bool ValueToString(T value, AAX_IString* text) const override
  {
    if (text == nullptr) return false;
    text->Set(value ? mTrue.c_str() : mFalse.c_str());
    return true;
  }

  bool ValueToString(T value, std::int32_t maxChars, AAX_IString* text) const override
  {
    if (text == nullptr) return false;
    const std::size_t limit = static_cast<std::size_t>(std::max(maxChars, 0));
    if (mShortened.empty() || limit >= std::max(mFalse.size(), mTrue.size()))
      return ValueToString(value, text);
    // The longest pair that fits, else the shortest pair.
    auto fit = mShortened.upper_bound(limit);
    if (fit != mShortened.begin()) --fit;
    text->Set(value ? fit->second.second.c_str() : fit->second.first.c_str());
    return true;
  }

  bool StringToValue(const AAX_IString& text, T* value) const override
  {
    if (value == nullptr) return false;
    if (mTrue == text.Get())
    {
      *value = true;
      return true;
    }
    *value = false;
    return mFalse == text.Get();
  }

  // Shorter texts for displays of at most length characters; a length given
  // again replaces its pair.
  virtual void AddShortenedStrings(const char* falseText, const char* trueText, std::int32_t length)
  {
    mShortened[static_cast<std::size_t>(std::max(length, 0))] = {falseText ? falseText : "",
                                                                 trueText ? trueText : ""};
  }

private:
  std::string mFalse;
  std::string mTrue;
  std::map<std::size_t, std::pair<std::string, std::string>> mShortened;
};
