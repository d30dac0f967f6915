#include "Examples/Brasmire/DriveCurve.h"

namespace brasmire
{
namespace
{
// e^x - 1 for x in [-44, 0], accurate relative to the result also when x is tiny
// (the tanh of a quiet signal needs that: tanh(v) = -m / (2 + m), m = e^(-2v) - 1).
inline Lanes Expm1(Lanes x) noexcept
{
  constexpr double kInvLn2 = 1.4426950408889634;
  constexpr double kLn2Hi = 6.93147180369123816490e-01; // ln 2 with its low bits cut off,
  constexpr double kLn2Lo = 1.90821492927058770002e-10; // so k * kLn2Hi is exact
  // Rounds to the nearest integer k: at 1.5 * 2^52 the spacing of doubles is 1.
  constexpr double kShifter = 6755399441055744.0;
  const Lanes shifted = x * kInvLn2 + kShifter;
  const Lanes kd = shifted - kShifter;
  const Lanes r = (x - kd * kLn2Hi) - kd * kLn2Lo; // |r| <= ln2 / 2
  // Taylor series of e^r - 1 to r^14 (remainder below 1e-19 on |r| <= 0.347),
  // as r + r^2 Q(r) with Q evaluated in Estrin's scheme: without fused
  // multiply-add, Horner's chain of 13 dependent steps would dominate the curve.
  const Lanes r2 = r * r;
  const Lanes r4 = r2 * r2;
  const Lanes r8 = r4 * r4;
  const Lanes q01 = (1.0 / 2.0) + r * (1.0 / 6.0);
  const Lanes q23 = (1.0 / 24.0) + r * (1.0 / 120.0);
  const Lanes q45 = (1.0 / 720.0) + r * (1.0 / 5040.0);
  const Lanes q67 = (1.0 / 40320.0) + r * (1.0 / 362880.0);
  const Lanes q89 = (1.0 / 3628800.0) + r * (1.0 / 39916800.0);
  const Lanes q1011 = (1.0 / 479001600.0) + r * (1.0 / 6227020800.0);
  const Lanes q03 = q01 + r2 * q23;
  const Lanes q47 = q45 + r2 * q67;
  const Lanes q811 = q89 + r2 * q1011;
  const Lanes q07 = q03 + r4 * q47;
  const Lanes q812 = q811 + r4 * (1.0 / 87178291200.0);
  const Lanes p = r + r2 * (q07 + r8 * q812);
  // 2^k from the shifter's low bits (k is in -64 .. 0); for k = 0 the result is p
  // itself, so small arguments keep their full relative precision.
  const LaneMask k =
      reinterpret_cast<LaneMask>(shifted) - reinterpret_cast<LaneMask>(Broadcast(kShifter));
  const Lanes scale = reinterpret_cast<Lanes>((k + 1023) << 52);
  return scale * p + (scale - 1.0);
}

// tanh(v) for v >= 0 (including +inf): beyond 22, e^-44 is below half an ulp of 1.
inline Lanes TanhNonNegative(Lanes v) noexcept
{
  const Lanes m = Expm1(Min(v, Broadcast(22.0)) * -2.0);
  return -m / (m + 2.0);
}

// sin(w) for |w| <= 0.11 (the curve's argument never leaves that range): the
// Taylor series to w^11 leaves a remainder below 1e-18.
inline Lanes SinSmall(Lanes w) noexcept
{
  const Lanes w2 = w * w;
  const Lanes w4 = w2 * w2;
  const Lanes low = (-1.0 / 6.0) + w2 * (1.0 / 120.0);
  const Lanes high = (-1.0 / 5040.0) + w2 * (1.0 / 362880.0);
  return w + (w * w2) * ((low + w4 * high) + (w4 * w4) * (-1.0 / 39916800.0));
}

// atan(q) for every q. |q| is reduced to |t| <= tan(pi/12) with one division,
// choosing per lane among t = a, (sqrt3 a - 1) / (a + sqrt3), (sqrt3 - a) /
// (1 + sqrt3 a) and 1 / a (the identities atan(a) = pi/6 + atan(...) and
// atan(a) = pi/2 - atan(1/a)); the odd series to t^23 then leaves a remainder
// below 3e-16.
inline Lanes Atan(Lanes q) noexcept
{
  constexpr double kSixthPi = 0.52359877559829887;
  constexpr double kThirdPi = 1.0471975511965976;
  constexpr double kHalfPi = 1.5707963267948966;
  constexpr double kSqrt3 = 1.7320508075688772;
  constexpr double kTanTwelfthPi = 0.26794919243112270;
  constexpr double kCotTwelfthPi = 3.7320508075688772;
  const Lanes a = Abs(q);
  const LaneMask aboveSmall = a > kTanTwelfthPi;
  const LaneMask aboveOne = a > 1.0;
  const LaneMask aboveLarge = a > kCotTwelfthPi;
  const Lanes one = Broadcast(1.0);
  Lanes numerator = Select(aboveSmall, a * kSqrt3 - 1.0, a);
  Lanes denominator = Select(aboveSmall, a + kSqrt3, one);
  numerator = Select(aboveOne, kSqrt3 - a, numerator);
  denominator = Select(aboveOne, a * kSqrt3 + 1.0, denominator);
  numerator = Select(aboveLarge, one, numerator);
  denominator = Select(aboveLarge, a, denominator); // 1 / inf = 0 gives pi/2
  const Lanes t = numerator / denominator;
  Lanes base = Select(aboveSmall, Broadcast(kSixthPi), Lanes{});
  base = Select(aboveOne, Broadcast(kThirdPi), base);
  base = Select(aboveLarge, Broadcast(kHalfPi), base);
  const Lanes sign = Select(aboveOne, Broadcast(-1.0), one);

  const Lanes z = t * t;
  const Lanes z2 = z * z;
  const Lanes z4 = z2 * z2;
  const Lanes p01 = (1.0 / 3.0) - z * (1.0 / 5.0);
  const Lanes p23 = (1.0 / 7.0) - z * (1.0 / 9.0);
  const Lanes p45 = (1.0 / 11.0) - z * (1.0 / 13.0);
  const Lanes p67 = (1.0 / 15.0) - z * (1.0 / 17.0);
  const Lanes p89 = (1.0 / 19.0) - z * (1.0 / 21.0);
  const Lanes p03 = p01 + z2 * p23;
  const Lanes p47 = p45 + z2 * p67;
  const Lanes p810 = p89 + z2 * (1.0 / 23.0);
  const Lanes series = t - (t * z) * ((p03 + z4 * p47) + (z4 * z4) * p810);
  return CopySign(base + sign * series, q);
}
} // namespace

Lanes DriveCurve::Evaluate(Lanes u) noexcept
{
  const Lanes u2 = u * u;
  const Lanes u3 = u2 * u;
  const Lanes u7 = u3 * u3 * u;
  const Lanes tanhU = CopySign(TanhNonNegative(Abs(u)), u);
  const Lanes tanhU3 = CopySign(TanhNonNegative(Abs(u3)), u3);
  return SinSmall(tanhU3 * 0.1 + TanhNonNegative(u2) * 0.01) + tanhU - Atan(u7) * 0.01;
}

} // namespace brasmire
