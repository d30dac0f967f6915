// `plughost analyze` run as a user runs it: on reference systems whose
// measurements are known in closed form, and on the product module against
// its drive stage's transfer function.

#include "plughost/PlugHostFixture.h"
#include "tests/dsp/DriveStageTables.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace analysistest
{
namespace
{
using plughosttest::Here;
using plughosttest::ProcessResult;
constexpr double kPi = std::numbers::pi;

constexpr const char* kReferenceModule = ANALYSIS_REFERENCE_MODULE;

// The numbers of the JSON array that follows the given keys, each key
// searched after the previous one (enough for the report's fixed layout).
std::vector<double> Numbers(const std::string& json, const std::vector<std::string>& keys)
{
  std::size_t pos = 0;
  for (const std::string& key : keys)
  {
    pos = json.find("\"" + key + "\":", pos);
    if (pos == std::string::npos) return {};
    pos += key.size() + 3;
  }
  std::vector<double> out;
  if (json[pos] != '[')
  {
    out.push_back(std::strtod(json.c_str() + pos, nullptr));
    return out;
  }
  ++pos;
  while (pos < json.size() && json[pos] != ']')
  {
    if (json[pos] == '[') // a nested array: its first number stands for it
    {
      out.push_back(std::strtod(json.c_str() + pos + 1, nullptr));
      pos = json.find(']', pos) + 1;
    }
    else
    {
      char* end = nullptr;
      out.push_back(std::strtod(json.c_str() + pos, &end));
      if (end == json.c_str() + pos) return {}; // not an array of numbers
      pos = static_cast<std::size_t>(end - json.c_str());
    }
    if (json[pos] == ',') ++pos;
  }
  return out;
}

double Number(const std::string& json, const std::vector<std::string>& keys)
{
  const auto values = Numbers(json, keys);
  return values.empty() ? std::nan("") : values.front();
}

class AnalyzeCommand : public plughosttest::PlugHostTest
{
protected:
  std::string Reference() const { return Here(kReferenceModule); }

  // Runs a quick analysis and returns its JSON.
  std::string Analyze(const std::string& module, const std::vector<std::string>& settings,
                      const std::vector<std::string>& extra = {})
  {
    std::vector<std::string> args = {"analyze", module, "--quick", "--json", Path("a.json")};
    for (const std::string& s : settings)
    {
      args.push_back("--param");
      args.push_back(s);
    }
    args.insert(args.end(), extra.begin(), extra.end());
    const ProcessResult r = Run(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return ReadBytes("a.json");
  }
};

// The reference filter: the textbook second-order low-pass, prewarped at its cut-off.
std::complex<double> LowPass(double f, double cutoff, double rate)
{
  const double w0 = 2.0 * kPi * cutoff / rate;
  const double alpha = std::sin(w0) / (2.0 * std::sqrt(0.5));
  const double c = std::cos(w0);
  const std::complex<double> z1 = std::polar(1.0, -2.0 * kPi * f / rate);
  const std::complex<double> num = (1.0 - c) / 2.0 * (1.0 + 2.0 * z1 + z1 * z1);
  const std::complex<double> den = (1.0 + alpha) - 2.0 * c * z1 + (1.0 - alpha) * z1 * z1;
  return num / den;
}

TEST_F(AnalyzeCommand, LinearFilterGivesItsAnalyticResponse)
{
  for (const int rate : {48000, 44100})
  {
    const std::string json =
        Analyze(Reference(), {"System=0", "Cutoff=2000"}, {"--sr", std::to_string(rate)});
    const auto f = Numbers(json, {"response", "frequency_hz"});
    const auto m = Numbers(json, {"response", "magnitude_db"});
    const auto p = Numbers(json, {"response", "phase_deg"});
    ASSERT_GE(f.size(), 30u);
    ASSERT_EQ(m.size(), f.size());
    EXPECT_LT(f.front(), 22.0);
    EXPECT_GT(f.back(), 19000.0);
    for (std::size_t i = 0; i < f.size(); ++i)
    {
      const std::complex<double> h = LowPass(f[i], 2000.0, rate);
      EXPECT_NEAR(m[i], 20.0 * std::log10(std::abs(h)), 0.05) << f[i] << " Hz at " << rate;
      EXPECT_NEAR(p[i], std::arg(h) * 180.0 / kPi, 0.5) << f[i] << " Hz at " << rate;
    }
  }
}

TEST_F(AnalyzeCommand, PolynomialGivesItsAnalyticHarmonics)
{
  // y = x + 0.2 x^2 + 0.1 x^3 on A sin: H1 = A + 0.075 A^3, H2 = 0.1 A^2,
  // H3 = 0.025 A^3, DC = 0.1 A^2, nothing above.
  const std::string json = Analyze(Reference(), {"System=1"});
  for (const char* frequency : {"99.", "1001."})
  {
    const std::size_t curve = json.find("\"frequency_hz\":" + std::string(frequency));
    ASSERT_NE(curve, std::string::npos) << frequency;
    const std::string rest = json.substr(curve);
    const auto levels = Numbers(rest, {"levels_dbfs"});
    const auto thd = Numbers(rest, {"thd_percent"});
    ASSERT_FALSE(levels.empty());
    int checked = 0;
    for (std::size_t i = 0; i < levels.size(); ++i)
    {
      if (levels[i] < -20.0) continue;
      const double a = std::pow(10.0, levels[i] / 20.0);
      // The harmonics of level i: the i-th inner array of harmonics_dbfs.
      std::size_t pos = rest.find("\"harmonics_dbfs\":[") + 18;
      for (std::size_t k = 0; k < i; ++k)
        pos = rest.find(']', pos) + 2;
      const auto h = Numbers("{\"x\":" + rest.substr(pos, rest.find(']', pos) - pos + 1), {"x"});
      ASSERT_GE(h.size(), 5u);
      const double h1 = a + 0.075 * a * a * a;
      const double h2 = 0.1 * a * a;
      const double h3 = 0.025 * a * a * a;
      EXPECT_NEAR(h[0], 20.0 * std::log10(h1), 0.1) << frequency << " " << levels[i];
      EXPECT_NEAR(h[1], 20.0 * std::log10(h2), 0.1) << frequency << " " << levels[i];
      EXPECT_NEAR(h[2], 20.0 * std::log10(h3), 0.1) << frequency << " " << levels[i];
      EXPECT_LT(h[3], 20.0 * std::log10(h3) - 60.0);
      EXPECT_NEAR(thd[i], 100.0 * std::hypot(h2, h3) / h1, 0.01 * 100.0 * std::hypot(h2, h3) / h1);
      ++checked;
    }
    EXPECT_GE(checked, 4);
  }
  // The spectrum's level is -6 dBFS: its DC is 0.1 A^2.
  const double a = std::pow(10.0, -6.0 / 20.0);
  EXPECT_NEAR(Number(json, {"dc", "sine"}), 0.1 * a * a, 1e-4);
  EXPECT_NEAR(Number(json, {"spectrum", "even_db"}),
              20.0 * std::log10(0.1 * a / (1.0 + 0.075 * a * a)), 0.1);
}

TEST_F(AnalyzeCommand, PureDelayGivesItsLatency)
{
  std::string json = Analyze(Reference(), {"System=2", "Delay=300"});
  EXPECT_EQ(Number(json, {"latency", "reported_samples"}), 300);
  EXPECT_EQ(Number(json, {"latency", "measured_samples"}), 300);
  EXPECT_NE(json.find("\"matches\":true"), std::string::npos);
  EXPECT_EQ(Number(json, {"latency", "compensated_offset_samples"}), 0);
  // The same delay unreported: measured all the same, and flagged.
  json = Analyze(Reference(), {"System=2", "Delay=300", "Report=0"});
  EXPECT_EQ(Number(json, {"latency", "reported_samples"}), 0);
  EXPECT_EQ(Number(json, {"latency", "measured_samples"}), 300);
  EXPECT_NE(json.find("\"matches\":false"), std::string::npos);
  EXPECT_EQ(Number(json, {"latency", "compensated_offset_samples"}), 300);
  // A delay passes every tone at unit gain.
  for (const double m : Numbers(json, {"response", "magnitude_db"}))
    EXPECT_NEAR(m, 0.0, 1e-3);
}

TEST_F(AnalyzeCommand, AliasingSeparatesANaiveClipperFromAnOversampledOne)
{
  const std::string naive = Analyze(Reference(), {"System=3"});
  const std::string oversampled = Analyze(Reference(), {"System=4"});
  for (const char* rate : {"44100", "48000"})
  {
    const std::string run = std::string("\"sample_rate_hz\":") + rate + ",\"oversampling\"";
    const double a = Number(naive.substr(naive.find(run)), {"alias_db"});
    const double b = Number(oversampled.substr(oversampled.find(run)), {"alias_db"});
    EXPECT_LT(b, a - 10.0) << rate << " Hz: naive " << a << " dB, oversampled " << b << " dB";
    std::printf("[ measured ] %s Hz clipper aliases: naive %.1f dB, oversampled %.1f dB\n", rate, a,
                b);
  }
}

// The drive stage model's continuous-time transfer function with settled
// controls, through the bilinear transform without prewarping: s = 2 fs j tan(w / 2).
double DriveStageDb(double f, double rate, double tone)
{
  auto taper = [](double x) { return (std::exp(x) - 1.0) / (std::exp(1.0) - 1.0); };
  const double control = 0.25 + tone / 100.0;
  const double g = control;
  const double v = taper(control);
  const double level = taper(0.55);
  const double balance = 1.0 - taper(1.0 - 0.25);
  const std::complex<double> s(0.0, 2.0 * rate * std::tan(kPi * f / rate));
  std::complex<double> den = 0.0;
  std::complex<double> num = 0.0;
  for (int i = 0; i < 6; ++i)
  {
    const double* a = brasmire::test::kAlpha[i];
    den += (a[0] + a[1] * g + a[2] * v + a[3] * v * g + a[4] * v * v + a[5] * v * v * g) *
           std::pow(s, i);
    if (i >= 2)
    {
      const double* b = brasmire::test::kBeta[i - 2];
      num += balance * (b[0] + b[1] * g + b[2] * v + b[3] * v * g) * std::pow(s, i);
    }
  }
  return 20.0 * std::log10(std::abs(level * num / den));
}

TEST_F(AnalyzeCommand, BrasmireAtDriveZeroFollowsItsDriveStageModel)
{
  // The model's own table at 48 kHz, Tone 50: +0.62 dB at 100 Hz, -0.26 dB at 1 kHz.
  EXPECT_NEAR(DriveStageDb(100.0, 48000.0, 50.0), 0.62, 0.005);
  EXPECT_NEAR(DriveStageDb(1000.0, 48000.0, 0.0), -5.61, 0.005);
  EXPECT_NEAR(DriveStageDb(20000.0, 48000.0, 100.0), 8.54, 0.005);
  for (const double tone : {0.0, 50.0, 100.0})
  {
    char setting[32];
    std::snprintf(setting, sizeof setting, "Tone=%g", tone);
    const std::string json = Analyze(Bundle(), {"Drive=0", setting});
    const auto f = Numbers(json, {"response", "frequency_hz"});
    const auto m = Numbers(json, {"response", "magnitude_db"});
    ASSERT_GE(f.size(), 30u);
    double worst = 0.0;
    for (std::size_t i = 0; i < f.size(); ++i)
    {
      if (f[i] < 20.0 || f[i] > 20000.0) continue;
      const double error = m[i] - DriveStageDb(f[i], 48000.0, tone);
      EXPECT_NEAR(error, 0.0, 0.1) << f[i] << " Hz, Tone " << tone;
      worst = std::max(worst, std::fabs(error));
    }
    std::printf("[ measured ] Tone %g: response within %.4f dB of the model\n", tone, worst);
  }
}

TEST_F(AnalyzeCommand, BrasmireOversamplingLowersAliasingAtDrive24)
{
  const std::string json = Analyze(Bundle(), {"Drive=24"});
  for (const char* rate : {"44100", "48000"})
  {
    const std::string prefix = std::string("\"sample_rate_hz\":") + rate + ",\"oversampling\":";
    const double off = Number(json.substr(json.find(prefix + "\"off\"")), {"alias_db"});
    const double on = Number(json.substr(json.find(prefix + "\"on\"")), {"alias_db"});
    EXPECT_LT(on, off) << rate;
    EXPECT_NEAR(Number(json, {"difference_db", rate}), off - on, 1e-3);
    std::printf("[ measured ] %s Hz, Drive 24: aliases off %.1f dB, on %.1f dB\n", rate, off, on);
  }
  // CPU: a figure for every rate with oversampling off and on.
  for (const char* rate : {"44100", "48000", "96000", "192000"})
    for (const char* choice : {"off", "on"})
    {
      const std::string run = std::string("{\"sample_rate_hz\":") + rate + ",\"oversampling\":\"" +
                              choice + "\",\"ns_per_frame\":";
      const std::size_t at = json.find(run);
      ASSERT_NE(at, std::string::npos) << rate << " " << choice;
      EXPECT_GT(std::strtod(json.c_str() + at + run.size(), nullptr), 0.0);
    }
}

TEST_F(AnalyzeCommand, PlotsAreDrawnWhenTheSystemPythonHasMatplotlib)
{
#ifdef _WIN32
  GTEST_SKIP() << "plots are drawn by the native build";
#else
  if (std::system("/usr/bin/python3 -c 'import matplotlib, numpy' 2>/dev/null") != 0)
    GTEST_SKIP() << "no python3-matplotlib on this machine";
  const ProcessResult r =
      Run({"analyze", Reference(), "--quick", "--param", "System=3", "--plots", Path("plots")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("plots"), std::string::npos);
  for (const char* name :
       {"analysis.json", "response.png", "thd.png", "spectrum.png", "aliasing.png", "cpu.png"})
    EXPECT_TRUE(Exists(std::string("plots/") + name)) << name;
  EXPECT_EQ(ReadBytes("plots/cpu.png").substr(1, 3), "PNG");
  EXPECT_EQ(Listing().size(), 7u); // the folder and its six files, nothing temporary
#endif
}

TEST_F(AnalyzeCommand, BadInputStopsBeforeAnythingIsWritten)
{
  WriteBytes("file", "x");
  ExpectBadInput({"analyze", Reference(), "--sr", "1000"}, "--sr");
  ExpectBadInput({"analyze", Reference(), "--bogus"}, "--bogus");
  ExpectBadInput({"analyze"}, "analyze");
  ExpectBadInput({"analyze", Path("missing.aaxplugin"), "--json", Path("a.json")}, "missing");
  ExpectBadInput({"analyze", Reference(), "--param", "Sytem=1", "--json", Path("a.json")}, "Sytem");
  ExpectBadInput({"analyze", Reference(), "--param", "System=9", "--json", Path("a.json")},
                 "System");
  ExpectBadInput({"analyze", Reference(), "--json", Path("no/such/folder/a.json")}, "folder");
  ExpectBadInput({"analyze", Reference(), "--plots", Path("file")}, "not a folder");
  ExpectBadInput({"analyze", Reference(), "--plots", Path("no/such/plots")}, "parent");
}
} // namespace
} // namespace analysistest
