#include "tests/dsp/QuadReferenceModel.h"

#include "tests/dsp/DriveStageTables.h"

#include <cmath>

namespace brasmire::test
{

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
