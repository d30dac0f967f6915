#pragma once

#include "AAX_SDK/Interfaces/AAX_IString.h"
#include "AAX_SDK/Interfaces/AAX_Types.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameterValue.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ITaperDelegate.h"

class AAX_VAutomationDelegate;

// One value the host can see or automate. Owned by the effect's parameter set;
// not reference-counted. Setting a value asks the host (touch, set-value
// request, release); the host's decision comes back through
// UpdateNormalizedValue. Without an automation delegate values apply at once.
// [any-thread except audio; the owner serialises calls]
class AAX_IParameter
{
public:
  virtual ~AAX_IParameter() = default;

  // The caller owns the copy.
  virtual AAX_IParameterValue* CloneValue() const = 0;
  virtual AAX_CParamID Identifier() const = 0;
  virtual void SetName(const AAX_IString& name) = 0;
  virtual const AAX_IString& Name() const = 0;
  // Kept by length; a name of a length already present replaces it.
  virtual void AddShortenedName(const AAX_IString& name) = 0;
  virtual const AAX_IString& ShortenedName(std::int32_t maxChars) const = 0;
  virtual void ClearShortenedNames() = 0;
  virtual bool Automatable() const = 0;
  // Not owned; null detaches.
  virtual void SetAutomationDelegate(AAX_VAutomationDelegate* delegate) = 0;
  virtual void Touch() = 0;
  virtual void Release() = 0;

  virtual void SetNormalizedValue(double normalised) = 0;
  virtual double GetNormalizedValue() const = 0;
  virtual void SetNormalizedDefaultValue(double normalised) = 0;
  virtual double GetNormalizedDefaultValue() const = 0;
  virtual void SetToDefaultValue() = 0;

  virtual void SetNumberOfSteps(std::uint32_t steps) = 0;
  virtual std::uint32_t GetNumberOfSteps() const = 0;
  virtual std::uint32_t GetStepValue() const = 0;
  virtual double GetNormalizedValueFromStep(std::uint32_t step) const = 0;
  virtual std::uint32_t GetStepValueFromNormalizedValue(double normalised) const = 0;
  virtual void SetStepValue(std::uint32_t step) = 0;

  virtual bool GetValueString(std::int32_t maxChars, AAX_IString* text) const = 0;
  virtual bool GetValueString(AAX_IString* text) const = 0;

  virtual bool GetNormalizedValueFromBool(bool value, double* normalised) const = 0;
  virtual bool GetNormalizedValueFromInt32(std::int32_t value, double* normalised) const = 0;
  virtual bool GetNormalizedValueFromFloat(float value, double* normalised) const = 0;
  virtual bool GetNormalizedValueFromDouble(double value, double* normalised) const = 0;
  virtual bool GetNormalizedValueFromString(const AAX_IString& text, double* normalised) const = 0;
  virtual bool GetBoolFromNormalizedValue(double normalised, bool* value) const = 0;
  virtual bool GetInt32FromNormalizedValue(double normalised, std::int32_t* value) const = 0;
  virtual bool GetFloatFromNormalizedValue(double normalised, float* value) const = 0;
  virtual bool GetDoubleFromNormalizedValue(double normalised, double* value) const = 0;
  virtual bool GetStringFromNormalizedValue(double normalised, std::int32_t maxChars,
                                            AAX_IString* text) const = 0;
  virtual bool GetStringFromNormalizedValue(double normalised, AAX_IString* text) const = 0;
  virtual bool SetValueFromString(const AAX_IString& text) = 0;

  virtual bool GetValueAsBool(bool* value) const = 0;
  virtual bool GetValueAsInt32(std::int32_t* value) const = 0;
  virtual bool GetValueAsFloat(float* value) const = 0;
  virtual bool GetValueAsDouble(double* value) const = 0;
  virtual bool GetValueAsString(AAX_IString* value) const = 0;
  virtual bool SetValueWithBool(bool value) = 0;
  virtual bool SetValueWithInt32(std::int32_t value) = 0;
  virtual bool SetValueWithFloat(float value) = 0;
  virtual bool SetValueWithDouble(double value) = 0;
  virtual bool SetValueWithString(const AAX_IString& value) = 0;

  // 0 discrete, 1 continuous.
  virtual void SetType(std::int32_t type) = 0;
  virtual std::int32_t GetType() const = 0;
  virtual void SetOrientation(std::int32_t orientation) = 0;
  virtual std::int32_t GetOrientation() const = 0;

  // Both clone what they are given. A taper of another value type is refused
  // (reported) and the current one kept.
  virtual void SetTaperDelegate(const AAX_ITaperDelegateBase& taper, bool preserveValue) = 0;
  virtual void SetDisplayDelegate(const AAX_IDisplayDelegateBase& display) = 0;

  // The host's decision for the value; posts it back to the host unless it
  // changes nothing. Answers the automation delegate's result (0 without one).
  virtual AAX_Result UpdateNormalizedValue(double normalised) = 0;
};
