#pragma once

// Maps a parameter's plain values to normalised values in 0..1 and back.
// [any-thread, immutable after construction]
class AAX_ITaperDelegateBase
{
public:
  virtual ~AAX_ITaperDelegateBase() = default;
};

template <typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
  // A new copy; the caller owns it.
  virtual AAX_ITaperDelegate* Clone() const = 0;
  virtual T GetMaximumValue() const = 0;
  virtual T GetMinimumValue() const = 0;
  virtual T ConstrainRealValue(T value) const = 0;
  virtual T NormalizedToReal(double normalised) const = 0;
  virtual double RealToNormalized(T value) const = 0;
};
