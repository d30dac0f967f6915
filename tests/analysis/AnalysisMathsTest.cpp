// The analysis maths on synthetic signals whose answers are known exactly.

#include "Host/Analysis/AliasAnalysis.h"
#include "Host/Analysis/Fft.h"
#include "Host/Analysis/FftWindow.h"
#include "Host/Analysis/HarmonicAnalysis.h"
#include "Host/Analysis/ResponseAnalysis.h"
#include "Host/Analysis/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>

namespace
{
using plughost::TestSignals;
constexpr double kPi = std::numbers::pi;

TEST(AnalysisMaths, FftAgreesWithTheDirectSum)
{
  const std::size_t n = 64;
  std::vector<std::complex<double>> data(n);
  std::uint32_t seed = 99;
  for (auto& v : data)
  {
    seed = seed * 1664525u + 1013904223u;
    const double re = static_cast<double>(seed >> 8) / 16777216.0 - 0.5;
    seed = seed * 1664525u + 1013904223u;
    v = {re, static_cast<double>(seed >> 8) / 16777216.0 - 0.5};
  }
  std::vector<std::complex<double>> direct(n);
  for (std::size_t k = 0; k < n; ++k)
    for (std::size_t t = 0; t < n; ++t)
      direct[k] += data[t] * std::polar(1.0, -2.0 * kPi * static_cast<double>(k * t) / n);
  plughost::Fft fft(n);
  fft.Transform(data);
  for (std::size_t k = 0; k < n; ++k)
    EXPECT_NEAR(std::abs(data[k] - direct[k]), 0.0, 1e-12) << k;
  EXPECT_THROW(plughost::Fft(48), std::invalid_argument);
}

TEST(AnalysisMaths, ResponseOfATwoTapAverageIsItsClosedForm)
{
  // y[n] = (x[n] + x[n-1]) / 2 on a periodic signal: H = e^(-iw/2) cos(w/2).
  const std::size_t period = 4096;
  const double rate = 48000.0;
  const auto bins = TestSignals::LogSpacedBins(20.0, 20000.0, 30, rate, period);
  ASSERT_GE(bins.size(), 20u);
  for (std::size_t i = 1; i < bins.size(); ++i)
    EXPECT_GT(bins[i], bins[i - 1]);
  const std::vector<double> x = TestSignals::Multitone(bins, 0.01, period);
  std::vector<double> y(period);
  for (std::size_t n = 0; n < period; ++n)
    y[n] = 0.5 * (x[n] + x[(n + period - 1) % period]);
  plughost::Fft fft(period);
  const auto points = plughost::ResponseAnalysis::Measure(fft, x, y, bins, rate);
  ASSERT_EQ(points.size(), bins.size());
  for (const auto& p : points)
  {
    const double w = 2.0 * kPi * p.frequency / rate;
    EXPECT_NEAR(p.magnitudeDb, 20.0 * std::log10(std::cos(w / 2.0)), 1e-9) << p.frequency;
    EXPECT_NEAR(p.phaseDegrees, -w / 2.0 * 180.0 / kPi, 1e-7) << p.frequency;
  }
}

TEST(AnalysisMaths, HarmonicsThdAndThdPlusNoiseOfAKnownMixture)
{
  const std::size_t n = 8192;
  const double rate = 48000.0;
  const std::size_t bin = TestSignals::NearestBin(1000.0, rate, n);
  // Fundamental 0.5, second harmonic 0.01, third 0.004, and a stray tone of
  // 0.002 between them that only THD+N counts.
  std::vector<double> y = TestSignals::Sine(0.5, bin, n, n, 0.3);
  const auto h2 = TestSignals::Sine(0.01, 2 * bin, n, n, 1.1);
  const auto h3 = TestSignals::Sine(0.004, 3 * bin, n, n, -0.4);
  const auto stray = TestSignals::Sine(0.002, 2 * bin + bin / 2, n, n);
  for (std::size_t i = 0; i < n; ++i)
    y[i] += h2[i] + h3[i] + stray[i] + 0.05; // and DC
  plughost::Fft fft(n);
  plughost::FftWindow window(n);
  const auto r = plughost::HarmonicAnalysis::Measure(fft, window, y.data(), bin, rate,
                                                     plughost::HarmonicAnalysis::Band{});
  ASSERT_GE(r.harmonics.size(), 3u);
  EXPECT_NEAR(r.harmonics[0], 0.5, 1e-9);
  EXPECT_NEAR(r.harmonics[1], 0.01, 1e-9);
  EXPECT_NEAR(r.harmonics[2], 0.004, 1e-9);
  EXPECT_NEAR(r.thd, std::sqrt(0.01 * 0.01 + 0.004 * 0.004) / 0.5, 1e-8);
  EXPECT_NEAR(r.thdn, std::sqrt(0.01 * 0.01 + 0.004 * 0.004 + 0.002 * 0.002) / 0.5, 1e-6);
  EXPECT_NEAR(r.dc, 0.05, 1e-12);
  EXPECT_NEAR(r.frequency, bin * rate / n, 1e-12);
}

TEST(AnalysisMaths, AliasEnergyIsWhatLiesBetweenTheHarmonics)
{
  const std::size_t n = 8192;
  const double rate = 44100.0;
  const std::size_t bin = TestSignals::NearestBin(5000.0, rate, n, true);
  ASSERT_EQ(bin % 2, 1u);
  // A fundamental, its third harmonic, and two tones off the harmonic grid,
  // as a harmonic folded back from above Nyquist would be.
  std::vector<double> y = TestSignals::Sine(0.5, bin, n, n);
  const auto h3 = TestSignals::Sine(0.1, 3 * bin, n, n);
  const auto alias1 = TestSignals::Sine(0.003, n - 5 * bin, n, n); // 5th harmonic folded
  const auto alias2 = TestSignals::Sine(0.004, bin / 2, n, n);
  for (std::size_t i = 0; i < n; ++i)
    y[i] += h3[i] + alias1[i] + alias2[i];
  plughost::Fft fft(n);
  plughost::FftWindow window(n);
  const auto step = plughost::AliasAnalysis::Measure(fft, window, y.data(), bin, rate);
  EXPECT_NEAR(step.fundamentalPower, 0.5 * 0.5 / 2.0, 1e-4 * 0.125);
  EXPECT_NEAR(step.harmonicPower, 0.1 * 0.1 / 2.0, 1e-4 * 0.005);
  const double expected = 10.0 * std::log10((0.003 * 0.003 + 0.004 * 0.004) / (0.5 * 0.5));
  EXPECT_NEAR(plughost::AliasAnalysis::StepAliasDb(step), expected, 0.01);
  EXPECT_NEAR(plughost::AliasAnalysis::AliasDb({step, step}), expected, 0.01);
  EXPECT_NEAR(step.spectrumDb[bin], 20.0 * std::log10(0.5), 1e-6);
}

TEST(AnalysisMaths, BinsAndLevels)
{
  EXPECT_EQ(TestSignals::NearestBin(1000.0, 48000.0, 48000), 1000u);
  EXPECT_EQ(TestSignals::NearestBin(1000.0, 48000.0, 48000, true), 1001u);
  EXPECT_EQ(TestSignals::NearestBin(0.0, 48000.0, 1024), 1u);
  EXPECT_EQ(TestSignals::NearestBin(30000.0, 48000.0, 1024), 511u);
  EXPECT_EQ(TestSignals::NearestBin(30000.0, 48000.0, 1024, true), 511u);
  EXPECT_NEAR(TestSignals::AmplitudeFromDb(-6.0), 0.501187, 1e-6);
  EXPECT_NEAR(TestSignals::DbFromAmplitude(0.1), -20.0, 1e-12);
  const auto s = TestSignals::Sine(1.0, 3, 12, 13);
  EXPECT_NEAR(s[1], 1.0, 1e-15); // a quarter period
  EXPECT_NEAR(s[12], s[0], 1e-15);
}
} // namespace
