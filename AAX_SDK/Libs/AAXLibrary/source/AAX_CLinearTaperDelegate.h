#pragma once

#include "AAX_SDK/Libs/AAXLibrary/source/AAX_ITaperDelegate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

// Whole numbers spread evenly over 0..1, rounded to the nearest (RealPrecision
// 1: steps of one). A range of one value maps everything to it and answers 0.5.
// [any-thread, immutable]
template <typename T, std::int32_t RealPrecision = 1>
class AAX_CLinearTaperDelegate final : public AAX_ITaperDelegate<T>
{
  static_assert(std::is_integral_v<T> && RealPrecision == 1,
                "this library uses the linear taper on whole numbers only");

public:
  AAX_CLinearTaperDelegate(T minimum, T maximum) : mMin(minimum), mMax(maximum) {}

  AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate(*this); }
  T GetMaximumValue() const override { return mMax; }
  T GetMinimumValue() const override { return mMin; }
  T ConstrainRealValue(T value) const override { return Constrain(static_cast<double>(value)); }
  T NormalizedToReal(double normalised) const override
  {
    return Constrain((static_cast<double>(mMax) - static_cast<double>(mMin)) * normalised +
                     static_cast<double>(mMin));
  }
  double RealToNormalized(T value) const override
  {
    if (mMin == mMax) return 0.5;
    return (static_cast<double>(ConstrainRealValue(value)) - static_cast<double>(mMin)) /
           (static_cast<double>(mMax) - static_cast<double>(mMin));
  }

private:
  // Rounds and clamps in double, so an out-of-range or NaN input never reaches
  // an integer conversion: NaN gives the lower bound.
  T Constrain(double value) const
  {
    if (mMin == mMax) return mMin;
    const double lower = static_cast<double>(std::min(mMin, mMax));
    const double upper = static_cast<double>(std::max(mMin, mMax));
    const double rounded = std::floor(value + 0.5);
    if (!(rounded > lower)) return static_cast<T>(lower);
    if (rounded > upper) return static_cast<T>(upper);
    return static_cast<T>(rounded);
  }

  T mMin;
  T mMax;
};
