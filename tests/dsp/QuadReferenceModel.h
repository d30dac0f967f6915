#pragma once

// The drive stage model read literally (direct-form coefficients by polynomial
// multiplication, direct-form recursion) but evaluated in 128-bit floating
// point, whose 113-bit significand absorbs the cancellation that ruins the
// direct form in 64 bits. The smoothed controls are the same 64-bit sequence the
// model computes, so the comparison isolates the filter arithmetic.
// Slow (software floating point): for accuracy tests only.

namespace brasmire::test
{

class QuadReferenceModel
{
public:
  explicit QuadReferenceModel(double sampleRate);
  double Tick(double x, double a, double b, double c, double d);

private:
  using Quad = __float128;
  Quad mRate;
  double mSmoothed[4] = {};
  Quad mHistory[5] = {};
};

} // namespace brasmire::test
