#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ITaperDelegate.h"

// false at 0, true at 1: any normalised value above 0 is true.
// [any-thread, immutable]
template <typename T>
class AAX_CBinaryTaperDelegate final : public AAX_ITaperDelegate<T>
{
public:
  AAX_CBinaryTaperDelegate* Clone() const override { return new AAX_CBinaryTaperDelegate(*this); }
  T GetMaximumValue() const override { return true; }
  T GetMinimumValue() const override { return false; }
  T ConstrainRealValue(T value) const override { return value; }
  T NormalizedToReal(double normalised) const override { return normalised > 0.0; }
  double RealToNormalized(T value) const override { return value ? 1.0 : 0.0; }
};
