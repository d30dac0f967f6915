#pragma once

// A deliberately literal, per-sample rendering of the drive effect's processing,
// kept as the yardstick the optimised signal path is measured against: libm for
// every curve evaluation, a 129-sample shifting delay line with all 64 symmetric
// pairs per filter call, three exponentials and the full bilinear polynomial
// expansion per model tick, and the direct-form recursion. Never used by the
// product. (Its direct-form recursion is numerically unsound at high rates; it
// is here for speed comparisons and short-run agreement checks only.)

namespace brasmire::literal
{

double Curve(double u);

class Filter
{
public:
  Filter();
  void Reset();
  double Process(double x);
  double guard = 1e-15;

private:
  double mLine[129];
};

class Model
{
public:
  void Configure(double sampleRate);
  double Tick(double x, double a, double b, double c, double d);

  double sA = 0, sB = 0, sC = 0, sD = 0;
  double w[5] = {}; // w[n-1] .. w[n-5]

private:
  double mRate = 1;
};

class DrivePath
{
public:
  void ApplyParamChange(int index, double value);
  void ResetProcessing();
  // reportedLatency is changed in place at the end of the block when it differs.
  void ProcessBlock(double** inputs, double** outputs, int frames, double sampleRate,
                    int connectedOutputs, int& reportedLatency);

  // Lets a test put an exact model in place of the direct-form one, so that a
  // long comparison is not limited by the direct form's drift.
  using ModelTick = double (*)(void* context, int channel, double x, double a, double b, double c,
                               double d);
  void OverrideModel(ModelTick tick, void* context)
  {
    mModelOverride = tick;
    mModelContext = context;
  }

  double mixAmount = 1, toneSetting = 50, driveGain = 1, outputGain = 1;
  int oversamplingFactor = 0, engaged = 1, oversamplingLatency = 0;

private:
  struct Delay
  {
    double ring[44100] = {};
    int position = 0;
    double last = 0;
    float gain = 1.0f;
    double Process(double x);
  };
  Model mModels[2];
  ModelTick mModelOverride = nullptr;
  void* mModelContext = nullptr;
  Filter mUp[2], mDown[2];
  Delay mDry[2];
};

} // namespace brasmire::literal
