#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CParameterValue.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameter.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VAutomationDelegate.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>

// A host parameter whose plain value has type T (bool, int32 or double): the
// taper converts between plain and normalised values, the display between
// plain values and texts. Setting a value is a request to the host; the host's
// decision arrives through UpdateNormalizedValue, which alone changes the value.
// [any-thread except audio; the owning parameter set serialises calls]
template <typename T>
class AAX_CParameter final : public AAX_IParameter
{
public:
  AAX_CParameter(AAX_CParamID identifier, const char* name, T defaultValue,
                 const AAX_ITaperDelegate<T>& taper, const AAX_IDisplayDelegate<T>& display,
                 bool automatable)
      : mName(name ? name : ""), mAutomatable(automatable), mTaper(taper.Clone()),
        mDisplay(display.Clone()), mValue(identifier, T{}), mDefault(defaultValue)
  {
    if (mSteps == 0)
    {
      if (mType == 0)
        mSteps = 2;
      else if (mType == 1)
        mSteps = 128;
      else
        AAX_ReportAssertion(kCheckSource, __LINE__, "0");
    }
    // Stored directly, so the host's first decision is always posted back.
    mValue.Set(mTaper->ConstrainRealValue(mDefault));
  }
  AAX_CParameter(const AAX_CParameter&) = delete;
  AAX_CParameter& operator=(const AAX_CParameter&) = delete;

  ~AAX_CParameter() override
  {
    if (mDelegate) mDelegate->UnregisterParameter(Identifier());
  }

  AAX_IParameterValue* CloneValue() const override { return new AAX_CParameterValue<T>(mValue); }
  AAX_CParamID Identifier() const override { return mValue.Identifier(); }
  void SetName(const AAX_IString& name) override { mName = name; }
  const AAX_IString& Name() const override { return mName; }

  void AddShortenedName(const AAX_IString& name) override
  {
    mShortenedNames[static_cast<std::int32_t>(name.Length())] = AAX_CString(name.Get());
  }

  const AAX_IString& ShortenedName(std::int32_t maxChars) const override
  {
    if (maxChars < 0 || maxChars >= static_cast<std::int32_t>(mName.Length()) ||
        mShortenedNames.empty())
      return mName;
    // The longest one that fits, else the shortest of all.
    auto fit = mShortenedNames.upper_bound(maxChars);
    if (fit == mShortenedNames.begin()) return fit->second;
    return std::prev(fit)->second;
  }

  void ClearShortenedNames() override { mShortenedNames.clear(); }
  bool Automatable() const override { return mAutomatable; }

  void SetAutomationDelegate(AAX_VAutomationDelegate* delegate) override
  {
    if (mDelegate) mDelegate->UnregisterParameter(Identifier());
    mDelegate = delegate;
    if (mDelegate) mDelegate->RegisterParameter(Identifier());
  }

  void Touch() override
  {
    if (mDelegate) mDelegate->PostTouchRequest(Identifier());
  }
  void Release() override
  {
    if (mDelegate) mDelegate->PostReleaseRequest(Identifier());
  }

  void SetNormalizedValue(double normalised) override
  {
    SetValue(mTaper->NormalizedToReal(normalised));
  }
  double GetNormalizedValue() const override { return mTaper->RealToNormalized(mValue.Get()); }
  void SetNormalizedDefaultValue(double normalised) override
  {
    mDefault = mTaper->ConstrainRealValue(mTaper->NormalizedToReal(normalised));
  }
  double GetNormalizedDefaultValue() const override { return mTaper->RealToNormalized(mDefault); }
  void SetToDefaultValue() override { SetValue(mDefault); }

  void SetNumberOfSteps(std::uint32_t steps) override
  {
    if (!(0 < steps))
    {
      AAX_ReportAssertion(kCheckSource, __LINE__, "0 < numSteps");
      return;
    }
    mSteps = steps;
  }
  std::uint32_t GetNumberOfSteps() const override { return mSteps; }
  std::uint32_t GetStepValue() const override
  {
    return GetStepValueFromNormalizedValue(GetNormalizedValue());
  }
  double GetNormalizedValueFromStep(std::uint32_t step) const override
  {
    if (mSteps < 2) return 0.0;
    return std::clamp(static_cast<double>(step) / static_cast<double>(mSteps - 1), 0.0, 1.0);
  }
  std::uint32_t GetStepValueFromNormalizedValue(double normalised) const override
  {
    if (mSteps < 2) return 0;
    const double last = static_cast<double>(mSteps - 1);
    const double step = normalised * last + 0.5;
    // NaN compares false both ways: it lands on step 0 instead of an undefined conversion.
    if (!(step > 0.0)) return 0;
    return static_cast<std::uint32_t>(std::min(step, last));
  }
  void SetStepValue(std::uint32_t step) override
  {
    if (mSteps >= 2) SetNormalizedValue(GetNormalizedValueFromStep(step));
  }

  bool GetValueString(std::int32_t maxChars, AAX_IString* text) const override
  {
    return text && mDisplay->ValueToString(mValue.Get(), maxChars, text);
  }
  bool GetValueString(AAX_IString* text) const override
  {
    return text && mDisplay->ValueToString(mValue.Get(), text);
  }

  bool GetNormalizedValueFromBool(bool value, double* normalised) const override
  {
    return NormalOf(value, normalised);
  }
  bool GetNormalizedValueFromInt32(std::int32_t value, double* normalised) const override
  {
    return NormalOf(value, normalised);
  }
  bool GetNormalizedValueFromFloat(float value, double* normalised) const override
  {
    return NormalOf(value, normalised);
  }
  bool GetNormalizedValueFromDouble(double value, double* normalised) const override
  {
    return NormalOf(value, normalised);
  }
  bool GetNormalizedValueFromString(const AAX_IString& text, double* normalised) const override
  {
    T value{};
    if (normalised == nullptr || !mDisplay->StringToValue(text, &value)) return false;
    *normalised = mTaper->RealToNormalized(value);
    return true;
  }

  bool GetBoolFromNormalizedValue(double normalised, bool* value) const override
  {
    return PlainOf(normalised, value);
  }
  bool GetInt32FromNormalizedValue(double normalised, std::int32_t* value) const override
  {
    return PlainOf(normalised, value);
  }
  bool GetFloatFromNormalizedValue(double normalised, float* value) const override
  {
    return PlainOf(normalised, value);
  }
  bool GetDoubleFromNormalizedValue(double normalised, double* value) const override
  {
    return PlainOf(normalised, value);
  }

  bool GetStringFromNormalizedValue(double normalised, std::int32_t maxChars,
                                    AAX_IString* text) const override
  {
    if (text == nullptr) return false;
    const T value = mTaper->NormalizedToReal(normalised);
    return mDisplay->ValueToString(value, maxChars, text) && InRange(value);
  }
  bool GetStringFromNormalizedValue(double normalised, AAX_IString* text) const override
  {
    if (text == nullptr) return false;
    const T value = mTaper->NormalizedToReal(normalised);
    return mDisplay->ValueToString(value, text) && InRange(value);
  }

  bool SetValueFromString(const AAX_IString& text) override
  {
    T value{};
    if (!mDisplay->StringToValue(text, &value)) return false;
    SetValue(value);
    return true;
  }

  bool GetValueAsBool(bool* value) const override { return mValue.GetValueAsBool(value); }
  bool GetValueAsInt32(std::int32_t* value) const override { return mValue.GetValueAsInt32(value); }
  bool GetValueAsFloat(float* value) const override { return mValue.GetValueAsFloat(value); }
  bool GetValueAsDouble(double* value) const override { return mValue.GetValueAsDouble(value); }
  bool GetValueAsString(AAX_IString* value) const override { return GetValueString(value); }

  bool SetValueWithBool(bool value) override { return SetTyped(value); }
  bool SetValueWithInt32(std::int32_t value) override { return SetTyped(value); }
  bool SetValueWithFloat(float value) override { return SetTyped(value); }
  bool SetValueWithDouble(double value) override { return SetTyped(value); }
  bool SetValueWithString(const AAX_IString& value) override
  {
    // Host texts are already UTF-8 here; bound them like any foreign text.
    const std::string text(value.Get(),
                           std::min<std::size_t>(value.Length(), AAX_CString::kMaxForeignLength));
    return SetValueFromString(AAX_CString(text.c_str()));
  }

  void SetType(std::int32_t type) override { mType = type; }
  std::int32_t GetType() const override { return mType; }
  void SetOrientation(std::int32_t orientation) override { mOrientation = orientation; }
  std::int32_t GetOrientation() const override { return mOrientation; }

  void SetTaperDelegate(const AAX_ITaperDelegateBase& taper, bool preserveValue) override
  {
    const auto* typed = dynamic_cast<const AAX_ITaperDelegate<T>*>(&taper);
    if (typed == nullptr)
    {
      AAX_ReportAssertion(kCheckSource, __LINE__, "taper of the parameter's value type");
      return;
    }
    const double normalisedBefore = GetNormalizedValue();
    mTaper.reset(typed->Clone());
    mForceUpdate = true;
    if (preserveValue)
      SetValue(mValue.Get());
    else
      UpdateNormalizedValue(normalisedBefore);
  }

  void SetDisplayDelegate(const AAX_IDisplayDelegateBase& display) override
  {
    const auto* typed = dynamic_cast<const AAX_IDisplayDelegate<T>*>(&display);
    if (typed == nullptr)
    {
      AAX_ReportAssertion(kCheckSource, __LINE__, "display of the parameter's value type");
      return;
    }
    mDisplay.reset(typed->Clone());
    if (mDelegate) mDelegate->PostCurrentValue(Identifier(), GetNormalizedValue());
  }

  AAX_Result UpdateNormalizedValue(double normalised) override
  {
    const T value = mTaper->NormalizedToReal(normalised);
    if (!mForceUpdate && value == mValue.Get()) return 0;
    mValue.Set(value);
    mForceUpdate = false;
    return mDelegate ? mDelegate->PostCurrentValue(Identifier(), normalised) : 0;
  }

  static constexpr const char* kCheckSource = AAX_CParameterValue<T>::kCheckSource;

private:
  // The request path: the host decides, then calls back with its value.
  void SetValue(T value)
  {
    const double normalised = mTaper->RealToNormalized(value);
    if (mDelegate)
    {
      mDelegate->PostTouchRequest(Identifier());
      mDelegate->PostSetValueRequest(Identifier(), normalised);
      mDelegate->PostReleaseRequest(Identifier());
    }
    else
    {
      mForceUpdate = true;
      UpdateNormalizedValue(normalised);
    }
  }

  template <typename U>
  bool SetTyped(U value)
  {
    if constexpr (std::is_same_v<U, T>)
    {
      SetValue(value);
      return true;
    }
    else
    {
      (void)value;
      return false;
    }
  }

  template <typename U>
  bool NormalOf(U value, double* normalised) const
  {
    if constexpr (std::is_same_v<U, T>)
    {
      if (normalised == nullptr) return false;
      *normalised = mTaper->RealToNormalized(value);
      return true;
    }
    else
    {
      (void)value;
      (void)normalised;
      return false;
    }
  }

  template <typename U>
  bool PlainOf(double normalised, U* value) const
  {
    if constexpr (std::is_same_v<U, T>)
    {
      if (value == nullptr) return false;
      *value = mTaper->NormalizedToReal(normalised);
      return true;
    }
    else
    {
      (void)normalised;
      (void)value;
      return false;
    }
  }

  bool InRange(T value) const
  {
    return !(value < mTaper->GetMinimumValue()) && !(mTaper->GetMaximumValue() < value);
  }

  AAX_CString mName;
  std::map<std::int32_t, AAX_CString> mShortenedNames;
  bool mAutomatable;
  std::uint32_t mSteps = 0;
  std::int32_t mType = 1;
  std::int32_t mOrientation = 0;
  std::unique_ptr<AAX_ITaperDelegate<T>> mTaper;
  std::unique_ptr<AAX_IDisplayDelegate<T>> mDisplay;
  AAX_VAutomationDelegate* mDelegate = nullptr; // not owned
  bool mForceUpdate = true;
  AAX_CParameterValue<T> mValue;
  T mDefault;
};
