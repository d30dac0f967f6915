#include "tests/dsp/QuadReferenceModel.h"

#include <cmath>

namespace brasmire::test
{
namespace
{
// Denominator: rows s^0 .. s^5; columns 1, g, v, v g, v^2, v^2 g.
const double kAlpha[6][6] = {
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
// Numerator: rows s^2 .. s^5; columns 1, g, v, v g.
const double kBeta[4][4] = {
    {3.82016541090328e-16, 9.04395220384299e-17, -3.6175808815372e-16, 0},
    {1.2640336955479e-17, 3.13535735002827e-18, -1.19380169090727e-17, 0},
    {1.11510628344266e-21, 4.97815305108332e-21, 9.48095597433268e-24, 4.23256963139854e-23},
    {0, 0, 3.12871547152976e-25, 1.3967479783615e-24}};
} // namespace

QuadReferenceModel::QuadReferenceModel(double sampleRate)
{
  double rate = 1.0;
  if (sampleRate >= 192000.0)
    rate = 192000.0;
  else if (sampleRate >= 1.0)
    rate = std::trunc(sampleRate);
  mRate = rate;
}

double QuadReferenceModel::Tick(double x, double a, double b, double c, double d)
{
  mSmoothed[0] = (std::exp(a) - 1) * 0.004073836948085289 + 0.993 * mSmoothed[0];
  mSmoothed[1] = b * 0.007000000000000006 + 0.993 * mSmoothed[1];
  mSmoothed[2] = (std::exp(c) - 1) * 0.004073836948085289 + 0.993 * mSmoothed[2];
  mSmoothed[3] = (std::exp(1 - d) - 1) * 0.004073836948085289 + 0.993 * mSmoothed[3];
  const Quad g = mSmoothed[1];
  const Quad v = mSmoothed[2];
  const Quad balance = 1 - static_cast<Quad>(mSmoothed[3]);
  const Quad cc = 2 * mRate;

  Quad A[6] = {};
  Quad B[6] = {};
  Quad ci = 1;
  for (int i = 0; i < 6; ++i)
  {
    const double* ka = kAlpha[i];
    const Quad alpha = static_cast<Quad>(ka[0]) + static_cast<Quad>(ka[1]) * g +
                       static_cast<Quad>(ka[2]) * v + static_cast<Quad>(ka[3]) * v * g +
                       static_cast<Quad>(ka[4]) * v * v + static_cast<Quad>(ka[5]) * v * v * g;
    Quad beta = 0;
    if (i >= 2)
    {
      const double* kb = kBeta[i - 2];
      beta = balance * (static_cast<Quad>(kb[0]) + static_cast<Quad>(kb[1]) * g +
                        static_cast<Quad>(kb[2]) * v + static_cast<Quad>(kb[3]) * v * g);
    }
    // (1 - z^-1)^i (1 + z^-1)^(5 - i), multiplied out factor by factor.
    Quad poly[6] = {1, 0, 0, 0, 0, 0};
    for (int f = 0; f < 5; ++f)
    {
      const Quad sign = f < i ? -1 : 1;
      for (int k = 5; k >= 1; --k)
        poly[k] += sign * poly[k - 1];
    }
    for (int k = 0; k < 6; ++k)
    {
      A[k] += alpha * ci * poly[k];
      B[k] += beta * ci * poly[k];
    }
    ci *= cc;
  }
  const Quad w = (static_cast<Quad>(x) - static_cast<Quad>(1e-15)) -
                 (A[1] * mHistory[0] + A[2] * mHistory[1] + A[3] * mHistory[2] +
                  A[4] * mHistory[3] + A[5] * mHistory[4]) /
                     A[0];
  const Quad y = static_cast<Quad>(mSmoothed[0]) *
                     (B[0] * w + B[1] * mHistory[0] + B[2] * mHistory[1] + B[3] * mHistory[2] +
                      B[4] * mHistory[3] + B[5] * mHistory[4]) /
                     A[0] +
                 static_cast<Quad>(1e-15);
  for (int k = 4; k > 0; --k)
    mHistory[k] = mHistory[k - 1];
  mHistory[0] = w;
  return static_cast<double>(y);
}

} // namespace brasmire::test
