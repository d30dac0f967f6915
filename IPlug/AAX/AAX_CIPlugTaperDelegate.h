#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ITaperDelegate.h"
#include "IPlug/IParam.h"

#include <type_traits>

// The host's view of an IParam's own curve: its range, its confining (step,
// clamp, NaN to minimum) and its shape. The IParam is not owned: the instance
// that owns it outlives its host parameters. Header-only, so the AAX library
// itself stays free of the plug-in core.
// [any-thread: IParam reads are atomic or immutable after definition]
template <typename T>
class AAX_CIPlugTaperDelegate final : public AAX_ITaperDelegate<T>
{
  static_assert(std::is_same_v<T, double>, "IParam curves are taken as double values");

public:
  explicit AAX_CIPlugTaperDelegate(const iplug::IParam& param) : mParam(&param) {}

  AAX_CIPlugTaperDelegate* Clone() const override { return new AAX_CIPlugTaperDelegate(*this); }
  T GetMaximumValue() const override { return mParam->Max(); }
  T GetMinimumValue() const override { return mParam->Min(); }
  T ConstrainRealValue(T value) const override { return mParam->Confine(value); }
  T NormalizedToReal(double normalised) const override { return mParam->ValueOfNormal(normalised); }
  double RealToNormalized(T value) const override { return mParam->NormalOfValue(value); }

private:
  const iplug::IParam* mParam;
};
