#include "bench/dsp/LiteralDrivePath.h"

#include <cmath>
#include <cstring>

namespace brasmire::literal
{
namespace
{
const double kOdd[32] = {0.317956, -0.105047, 0.061915,  -0.043056, 0.032309,  -0.025272, 0.020254,
                         -0.01647, 0.013505,  -0.011119, 0.009163,  -0.007542, 0.006187,  -0.005051,
                         0.004099, -0.003301, 0.002635,  -0.002082, 0.001627,  -0.001255, 9.54e-4,
                         -7.13e-4, 5.24e-4,   -3.77e-4,  2.64e-4,   -1.8e-4,   1.18e-4,   -7.5e-5,
                         4.5e-5,   -2.5e-5,   1.2e-5,    -5e-6};

double Tap(int k)
{
  const int d = std::abs(k - 64);
  if (d == 0) return 0.5;
  if (d % 2 == 0) return 0.0;
  return kOdd[d / 2];
}

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
const double kBeta[4][4] = {
    {3.82016541090328e-16, 9.04395220384299e-17, -3.6175808815372e-16, 0},
    {1.2640336955479e-17, 3.13535735002827e-18, -1.19380169090727e-17, 0},
    {1.11510628344266e-21, 4.97815305108332e-21, 9.48095597433268e-24, 4.23256963139854e-23},
    {0, 0, 3.12871547152976e-25, 1.3967479783615e-24}};
} // namespace

double Curve(double u)
{
  return std::sin(0.1 * std::tanh(u * u * u) + 0.01 * std::tanh(u * u)) + std::tanh(u) -
         0.01 * std::atan(std::pow(u, 7));
}

Filter::Filter()
{
  Reset();
}

void Filter::Reset()
{
  for (double& v : mLine)
    v = 0.0;
}

double Filter::Process(double x)
{
  const double g = guard;
  guard = -g;
  std::memmove(mLine + 1, mLine, 128 * sizeof(double));
  mLine[0] = x - g;
  double y = Tap(64) * mLine[64];
  for (int k = 0; k < 64; ++k)
    y += Tap(k) * (mLine[k] + mLine[128 - k]);
  return y + g;
}

void Model::Configure(double sampleRate)
{
  mRate = std::fmin(192000.0, std::fmax(1.0, std::trunc(sampleRate)));
  if (std::isnan(sampleRate)) mRate = 1.0;
}

double Model::Tick(double x, double a, double b, double c, double d)
{
  sA = (std::exp(a) - 1) * 0.004073836948085289 + 0.993 * sA;
  sB = b * 0.007000000000000006 + 0.993 * sB;
  sC = (std::exp(c) - 1) * 0.004073836948085289 + 0.993 * sC;
  sD = (std::exp(1 - d) - 1) * 0.004073836948085289 + 0.993 * sD;
  const double g = sB, v = sC, G = sD;
  double alpha[6], beta[6] = {0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 6; ++i)
  {
    const double* k = kAlpha[i];
    alpha[i] = k[0] + k[1] * g + k[2] * v + k[3] * v * g + k[4] * v * v + k[5] * v * v * g;
  }
  for (int i = 2; i < 6; ++i)
  {
    const double* k = kBeta[i - 2];
    beta[i] = (1 - G) * (k[0] + k[1] * g + k[2] * v + k[3] * v * g);
  }
  const double cc = 2.0 * mRate;
  double A[6] = {}, B[6] = {};
  for (int i = 0; i < 6; ++i)
  {
    // (1 - z^-1)^i (1 + z^-1)^(5 - i) by repeated multiplication.
    double poly[6] = {1, 0, 0, 0, 0, 0};
    for (int f = 0; f < 5; ++f)
    {
      const double sign = f < i ? -1.0 : 1.0;
      for (int k = 5; k >= 1; --k)
        poly[k] += sign * poly[k - 1];
    }
    const double ci = std::pow(cc, i);
    for (int k = 0; k < 6; ++k)
    {
      A[k] += alpha[i] * ci * poly[k];
      B[k] += beta[i] * ci * poly[k];
    }
  }
  const double wn =
      (x - 1e-15) - (A[1] * w[0] + A[2] * w[1] + A[3] * w[2] + A[4] * w[3] + A[5] * w[4]) / A[0];
  const double y =
      sA * (B[0] * wn + B[1] * w[0] + B[2] * w[1] + B[3] * w[2] + B[4] * w[3] + B[5] * w[4]) /
          A[0] +
      1e-15;
  for (int k = 4; k > 0; --k)
    w[k] = w[k - 1];
  w[0] = wn;
  return y;
}

double DrivePath::Delay::Process(double x)
{
  if (position >= 64) position = 0;
  const double out = ring[position];
  ring[position] = gain * x;
  ++position;
  last = out;
  return out;
}

void DrivePath::ApplyParamChange(int index, double value)
{
  switch (index)
  {
  case 0:
    mixAmount = value / 100;
    break;
  case 1:
    toneSetting = value;
    break;
  case 2:
    driveGain = std::pow(10.0, value / 20);
    break;
  case 3:
    outputGain = std::pow(10.0, value / 20);
    break;
  case 4:
    if (static_cast<int>(value) == 0) oversamplingFactor = oversamplingLatency = 0;
    if (static_cast<int>(value) == 1)
    {
      oversamplingFactor = 2;
      oversamplingLatency = 64;
    }
    break;
  case 5:
    engaged = static_cast<int>(value);
    break;
  default:
    break;
  }
}

void DrivePath::ResetProcessing()
{
  for (int ch = 0; ch < 2; ++ch)
  {
    mUp[ch].Reset();
    mDown[ch].Reset();
    mDry[ch].position = 0;
    mDry[ch].last = 0;
  }
}

void DrivePath::ProcessBlock(double** inputs, double** outputs, int frames, double sampleRate,
                             int connectedOutputs, int& reportedLatency)
{
  for (Model& m : mModels)
    m.Configure(sampleRate);
  const double tone = 0.25 + toneSetting / 100;
  int wanted = 0;
  if (engaged == 0)
  {
    for (int i = 0; i < frames; ++i)
      for (int k = 0; k < connectedOutputs; ++k)
        outputs[k][i] = inputs[k][i];
  }
  else
  {
    for (int i = 0; i < frames; ++i)
    {
      const double x[2] = {inputs[0][i], inputs[1][i]};
      for (int ch = 0; ch < 2; ++ch)
      {
        double y = 0;
        const double g = driveGain;
        if (oversamplingFactor == 0)
          y = Curve(g * x[ch]) / g;
        else
          for (int j = 0; j < oversamplingFactor; ++j)
          {
            const double a = mUp[ch].Process(j == 0 ? x[ch] : 0.0);
            const double down = mDown[ch].Process(Curve(2 * g * a) / g);
            if (j == 0) y = down;
          }
        const double modelOut = mModelOverride
                                    ? mModelOverride(mModelContext, ch, y, 0.55, tone, tone, 0.25)
                                    : mModels[ch].Tick(y, 0.55, tone, tone, 0.25);
        const double wet = modelOut * outputGain;
        const double dry = oversamplingFactor == 0 ? x[ch] : mDry[ch].Process(x[ch]);
        outputs[ch][i] = (1 - mixAmount) * dry + mixAmount * wet;
      }
    }
    wanted = oversamplingLatency;
  }
  if (reportedLatency != wanted) reportedLatency = wanted;
}

} // namespace brasmire::literal
