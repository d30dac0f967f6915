#include "Examples/Brasmire/DriveStageModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

using brasmire::DriveStageModel;

namespace
{
constexpr double kLevel = 0.55;
constexpr double kBalance = 0.25;

double LogTaper(double x)
{
  return (std::exp(x) - 1.0) / (std::numbers::e - 1.0);
}

// A model at `rate` whose controls have reached their resting values for
// tone control t, having heard only silence.
void Settle(DriveStageModel& model, double rate, double t)
{
  model.Configure(rate);
  model.SetControls(kLevel, t, t, kBalance);
  for (int n = 0; n < 20000; ++n)
    model.Process(0.0);
}

// Steady-state gain in dB at `frequency`: 4 s of a sine to let the slowest pole
// (0.37 Hz) die away, then the amplitude over one whole second by projection.
double MeasuredGainDb(double rate, double t, double frequency)
{
  DriveStageModel model;
  Settle(model, rate, t);
  const double w = 2.0 * std::numbers::pi * frequency / rate;
  const int settle = static_cast<int>(4 * rate);
  const int window = static_cast<int>(rate);
  double re = 0.0;
  double im = 0.0;
  for (int n = 0; n < settle + window; ++n)
  {
    const double y = model.Process(std::sin(w * n));
    if (n >= settle)
    {
      re += y * std::sin(w * n);
      im += y * std::cos(w * n);
    }
  }
  return 20.0 * std::log10(2.0 * std::hypot(re, im) / window);
}
} // namespace

TEST(DriveStageModel, ModelRateIsTheClampedIntegerPartOfTheSampleRate)
{
  DriveStageModel model;
  const struct
  {
    double in;
    double expected;
  } cases[] = {{48000.0, 48000.0},
               {44100.7, 44100.0},
               {250000.0, 192000.0},
               {192000.0, 192000.0},
               {0.5, 1.0},
               {0.0, 1.0},
               {-48000.0, 1.0},
               {std::numeric_limits<double>::quiet_NaN(), 1.0},
               {std::numeric_limits<double>::infinity(), 192000.0},
               {1e300, 192000.0}};
  for (const auto& c : cases)
  {
    model.Configure(c.in);
    EXPECT_EQ(model.ModelRate(), c.expected) << c.in;
  }
}

TEST(DriveStageModel, ControlsGlideTowardsTheirTapers)
{
  DriveStageModel model;
  model.SetControls(kLevel, 0.75, 0.75, kBalance);
  for (int n = 1; n <= 300; ++n)
  {
    model.Process(0.0);
    // One-pole smoothing from 0: target * (1 - 0.993^n).
    const double reached = 1.0 - std::pow(0.993, n);
    EXPECT_NEAR(model.SmoothedControl(0), LogTaper(kLevel) * reached, 1e-12);
    EXPECT_NEAR(model.SmoothedControl(1), 0.75 * reached, 1e-12);
    EXPECT_NEAR(model.SmoothedControl(2), LogTaper(0.75) * reached, 1e-12);
    EXPECT_NEAR(model.SmoothedControl(3), LogTaper(1.0 - kBalance) * reached, 1e-12);
  }
  for (int n = 0; n < 20000; ++n)
    model.Process(0.0);
  EXPECT_NEAR(model.SmoothedControl(0), 0.426736, 5e-7);
  EXPECT_NEAR(1.0 - model.SmoothedControl(3), 0.349932, 5e-7);
  EXPECT_NEAR(model.SmoothedControl(0) * (1.0 - model.SmoothedControl(3)), 0.149329, 5e-7);
}

TEST(DriveStageModel, ImpulseResponseOfSettledModelsAt48k)
{
  const struct
  {
    double t;
    double y[6];
  } rows[] = {
      {0.25, {0.202751622, 0.054089849, 0.053389978, 0.052540257, 0.051562858, 0.050477670}},
      {0.75, {0.968325977, 0.000176917, 0.000197664, 0.000204719, 0.000199529, 0.000183425}},
      {1.25, {2.607045524, -0.131217394, -0.125408196, -0.119852388, -0.114539002, -0.109457542}}};
  for (const auto& row : rows)
  {
    DriveStageModel model;
    Settle(model, 48000.0, row.t);
    for (int n = 0; n < 6; ++n)
    {
      const double y = model.Process(n == 0 ? 1.0 : 0.0);
      // Nine decimals printed; 1e-7 relative covers the evaluation order.
      EXPECT_NEAR(y, row.y[n], std::fmax(5e-10, 1e-7 * std::fabs(row.y[n])))
          << "tone " << row.t << " y" << n;
    }
  }
}

TEST(DriveStageModel, MagnitudeResponseOfSettledModelsAt48k)
{
  const double frequencies[] = {10, 50, 100, 300, 1000, 3000, 10000, 20000};
  const struct
  {
    double t;
    double db[8];
  } rows[] = {{0.25, {-5.34, 4.26, 4.90, 2.93, -5.61, -12.85, -14.93, -15.10}},
              {0.75, {-9.26, -0.08, 0.62, 0.28, -0.26, -0.28, -0.28, -0.28}},
              {1.25, {-25.11, -8.68, -2.66, 4.89, 8.06, 8.49, 8.54, 8.54}}};
  for (const auto& row : rows)
    for (int k = 0; k < 8; ++k)
      EXPECT_NEAR(MeasuredGainDb(48000.0, row.t, frequencies[k]), row.db[k], 0.02)
          << "tone " << row.t << " at " << frequencies[k] << " Hz";
}
