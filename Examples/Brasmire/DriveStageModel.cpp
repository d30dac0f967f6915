#include "Examples/Brasmire/DriveStageModel.h"

#include <cmath>

namespace brasmire
{
namespace
{
constexpr double kPole = 0.993;
constexpr double kLogTaperStep = 0.004073836948085289; // (1 - 0.993) / (e - 1) in doubles
constexpr double kLinearStep = 0.007000000000000006;   // 1 - 0.993 in doubles
constexpr double kOffset = 1e-15; // keeps the recursion away from subnormal numbers

// Denominator constants: row i is s^i, columns multiply 1, g, v, v g, v^2, v^2 g.
constexpr double kAlpha[6][6] = {
    {1.9800486833307e-14, 4.47731702996255e-16, -1.79092681198507e-15, 0, 0, 0},
    {9.0405118880631e-15, 2.17433013297586e-16, -8.02072270975021e-16, 1.43274144958859e-18,
     -7.88007797273431e-18, 0},
    {2.11634084296759e-16, 1.06676709273061e-17, -1.20975771318889e-17, 6.46718086584193e-19,
     -3.5517024634217e-18, -1.71928973950331e-21},
    {9.91476091194117e-19, 1.35947153733298e-19, 3.61411045630047e-20, 1.1971949023265e-20,
     -6.34628335775761e-20, -7.74300291562855e-22},
    {5.48949166690919e-22, 2.53400645910856e-22, 4.20355484320569e-23, 1.75403443289893e-23,
     -4.64382847564717e-23, -1.35724773709656e-23},
    {7.1293532719245e-26, 8.20453012907325e-26, 7.1293532719245e-27, 8.20453012907325e-27,
     -6.83302711463583e-27, -6.88164549832021e-27}};

// Numerator constants for s^2 .. s^5 before the factor (1 - G); columns 1, g, v, v g.
constexpr double kBeta[4][4] = {
    {3.82016541090328e-16, 9.04395220384299e-17, -3.6175808815372e-16, 0},
    {1.2640336955479e-17, 3.13535735002827e-18, -1.19380169090727e-17, 0},
    {1.11510628344266e-21, 4.97815305108332e-21, 9.48095597433268e-24, 4.23256963139854e-23},
    {0, 0, 3.12871547152976e-25, 1.3967479783615e-24}};

// Coefficient of u^j in u^i (2 - u)^(5 - i): C(5 - i, j - i) 2^(5 - j) (-1)^(j - i).
constexpr double DeltaExpansion(int j, int i)
{
  if (j < i) return 0.0;
  double binomial = 1.0;
  for (int r = 0; r < j - i; ++r)
    binomial = binomial * (5 - i - r) / (r + 1);
  double power = 1.0;
  for (int r = 0; r < 5 - j; ++r)
    power *= 2.0;
  return ((j - i) % 2 == 0 ? 1.0 : -1.0) * binomial * power;
}
} // namespace

void DriveStageModel::Clear() noexcept
{
  for (double& s : mSmoothed)
    s = 0.0;
  for (double& s : mState)
    s = 0.0;
  mCoefficientsValid = false;
}

void DriveStageModel::Configure(double sampleRate) noexcept
{
  double rate = 1.0;
  if (sampleRate >= 192000.0)
    rate = 192000.0;
  else if (sampleRate >= 1.0) // false for NaN
    rate = std::trunc(sampleRate);
  if (rate == mModelRate) return;
  mModelRate = rate;
  const double c = 2.0 * rate;
  double power = 1.0;
  for (double& p : mBilinearPowers)
  {
    p = power;
    power *= c;
  }
  mCoefficientsValid = false;
}

void DriveStageModel::SetControls(double a, double b, double c, double d) noexcept
{
  if (mControlsValid && a == mControls[0] && b == mControls[1] && c == mControls[2] &&
      d == mControls[3])
    return;
  mControls[0] = a;
  mControls[1] = b;
  mControls[2] = c;
  mControls[3] = d;
  mTargetsStep[0] = (std::exp(a) - 1.0) * kLogTaperStep;
  mTargetsStep[1] = b * kLinearStep;
  mTargetsStep[2] = (std::exp(c) - 1.0) * kLogTaperStep;
  mTargetsStep[3] = (std::exp(1.0 - d) - 1.0) * kLogTaperStep;
  mControlsValid = true;
}

void DriveStageModel::UpdateCoefficients() noexcept
{
  const double g = mSmoothed[1];
  const double v = mSmoothed[2];
  const double balance = 1.0 - mSmoothed[3];
  const double vg = v * g;
  const double vv = v * v;
  const double vvg = vv * g;

  // Continuous-time coefficients scaled by c^i (the bilinear substitution).
  double alpha[6];
  for (int i = 0; i < 6; ++i)
  {
    const double* k = kAlpha[i];
    alpha[i] =
        (k[0] + k[1] * g + k[2] * v + k[3] * vg + k[4] * vv + k[5] * vvg) * mBilinearPowers[i];
  }
  double beta[6] = {0.0, 0.0};
  for (int i = 2; i < 6; ++i)
  {
    const double* k = kBeta[i - 2];
    beta[i] = balance * (k[0] + k[1] * g + k[2] * v + k[3] * vg) * mBilinearPowers[i];
  }

  // Expand in powers of u: a_j = sum_i alpha_i [u^j] u^i (2 - u)^(5 - i).
  double a[6];
  double b[6];
  double a0 = 0.0;
  for (int j = 0; j < 6; ++j)
  {
    a[j] = 0.0;
    b[j] = 0.0;
    for (int i = 0; i <= j; ++i)
    {
      a[j] += DeltaExpansion(j, i) * alpha[i];
      b[j] += DeltaExpansion(j, i) * beta[i];
    }
    a0 += a[j]; // the z^0 coefficient is A at u = 1
  }

  double partial = 0.0;
  for (int m = 0; m < 5; ++m)
  {
    partial += a[m] / a0;
    mFeedback[m] = partial;
  }
  const double outputScale = mSmoothed[0] / a0;
  for (int j = 2; j < 6; ++j)
    mFeedforward[j - 2] = outputScale * b[j];

  for (int k = 0; k < 4; ++k)
    mCoefficientsFor[k] = mSmoothed[k];
  mCoefficientsValid = true;
}

double DriveStageModel::Process(double x) noexcept
{
  for (int k = 0; k < 4; ++k)
    mSmoothed[k] = mTargetsStep[k] + kPole * mSmoothed[k];
  // The smoothing is monotone in floating point, so each control reaches an exact
  // fixed point; from then on the coefficients are reused.
  if (!mCoefficientsValid || mSmoothed[0] != mCoefficientsFor[0] ||
      mSmoothed[1] != mCoefficientsFor[1] || mSmoothed[2] != mCoefficientsFor[2] ||
      mSmoothed[3] != mCoefficientsFor[3])
    UpdateCoefficients();

  // sum_j n_j Δ^j w[n] = x with Δ^j w[n] = Δ^j w[n-1] + Δ^(j+1) w[n]: solve for the
  // highest difference, then integrate down to w.
  double* s = mState;
  const double d5 =
      (x - kOffset) - (mFeedback[0] * s[0] + mFeedback[1] * s[1] + mFeedback[2] * s[2] +
                       mFeedback[3] * s[3] + mFeedback[4] * s[4]);
  const double d4 = s[4] + d5;
  const double d3 = s[3] + d4;
  const double d2 = s[2] + d3;
  const double d1 = s[1] + d2;
  s[0] += d1;
  s[1] = d1;
  s[2] = d2;
  s[3] = d3;
  s[4] = d4;
  return (mFeedforward[0] * d2 + mFeedforward[1] * d3 + mFeedforward[2] * d4 +
          mFeedforward[3] * d5) +
         kOffset;
}

} // namespace brasmire
