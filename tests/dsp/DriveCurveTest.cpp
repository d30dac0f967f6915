#include "Examples/Brasmire/DriveCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>
#include <string>

using brasmire::DriveCurve;
using brasmire::Lanes;

namespace
{
// The curve evaluated with the standard library in extended precision.
long double ReferenceCurve(long double u)
{
  return std::sin(0.1L * std::tanh(u * u * u) + 0.01L * std::tanh(u * u)) + std::tanh(u) -
         0.01L * std::atan(std::pow(u, 7));
}
} // namespace

TEST(DriveCurve, PassesTheDocumentedPoints)
{
  EXPECT_EQ(DriveCurve::Evaluate(0.0), 0.0);
  // Printed to six decimals: half a unit of the last digit.
  EXPECT_NEAR(DriveCurve::Evaluate(1.0), 0.837418, 5e-7);
  EXPECT_NEAR(DriveCurve::Evaluate(-1.0), -0.822230, 5e-7); // not odd-symmetric
  EXPECT_NEAR(DriveCurve::Evaluate(2.0), 1.058169, 5e-7);
  EXPECT_NEAR(DriveCurve::Evaluate(10.0), 1.094070, 5e-7);
}

TEST(DriveCurve, QuietSamplesFollowTheSeriesOfTheCurve)
{
  // S(u) = u + 0.01 u^2 - (1/3 - 0.1) u^3 + O(u^5): at Drive 0 dB a sample of 1e-4
  // becomes 1.000001e-4 (the curvature term is 1e-10, a millionth of the sample).
  const double shaped = DriveCurve::Shape(Lanes{1e-4, 1e-4}, 1.0, 1.0)[0];
  const double series = 1e-4 + 0.01 * 1e-8 - (1.0 / 3.0 - 0.1) * 1e-12;
  EXPECT_NEAR(shaped, series, 1e-7 * series);
  EXPECT_NEAR(shaped, 1.000001e-4, 0.5e-10);
  // At high drive the shaped value of a quiet sample is still the sample.
  const double g = std::pow(10.0, 50.0 / 20.0);
  EXPECT_NEAR(DriveCurve::Shape(Lanes{1e-9, -1e-9}, g, 1.0 / g)[0], 1e-9, 1e-15);
  EXPECT_NEAR(DriveCurve::Shape(Lanes{1e-9, -1e-9}, g, 1.0 / g)[1], -1e-9, 1e-15);
}

TEST(DriveCurve, AgreesWithExtendedPrecisionEverywhere)
{
  // A dense sweep of the working range and a logarithmic sweep of every
  // magnitude; the two lanes get different arguments.
  double worstRelative = 0.0;
  double worstAt = 0.0;
  auto check = [&](double a, double b)
  {
    const Lanes y = DriveCurve::Evaluate(Lanes{a, b});
    const double args[2] = {a, b};
    for (int lane = 0; lane < 2; ++lane)
    {
      const long double ref = ReferenceCurve(args[lane]);
      const double scale = std::fmax(std::fabs(static_cast<double>(ref)), 1e-300);
      const double err = std::fabs(static_cast<double>(y[lane] - ref)) / scale;
      if (err > worstRelative)
      {
        worstRelative = err;
        worstAt = args[lane];
      }
    }
  };
  for (int i = -200000; i <= 200000; ++i)
    check(i * 1e-4, -i * 1.37e-4);
  for (double m = 1e-150; m < 1e150; m *= 1.01)
    check(m, -m);
  RecordProperty("worst_relative_error", std::to_string(worstRelative));
  std::printf("drive curve: worst relative error %.3g at u = %.6g\n", worstRelative, worstAt);
  EXPECT_LT(worstRelative, 2e-15) << "at u = " << worstAt;
}

TEST(DriveCurve, SaturatesFinitelyAtInfinity)
{
  const double inf = std::numeric_limits<double>::infinity();
  const Lanes y = DriveCurve::Evaluate(Lanes{inf, -inf});
  EXPECT_NEAR(y[0], std::sin(0.11) + 1.0 - 0.01 * std::numbers::pi / 2, 1e-15);
  EXPECT_NEAR(y[1], std::sin(-0.09) - 1.0 + 0.01 * std::numbers::pi / 2, 1e-15);
  const Lanes big = DriveCurve::Evaluate(Lanes{1e200, -1e200});
  EXPECT_EQ(big[0], y[0]);
  EXPECT_EQ(big[1], y[1]);
}

TEST(DriveCurve, LanesAreIndependent)
{
  for (double a : {-3.0, -0.5, 0.0, 0.25, 0.9, 1.1, 4.0})
    for (double b : {-2.0, 0.1, 0.95, 7.0})
    {
      const Lanes y = DriveCurve::Evaluate(Lanes{a, b});
      EXPECT_EQ(y[0], DriveCurve::Evaluate(a));
      EXPECT_EQ(y[1], DriveCurve::Evaluate(b));
    }
}
