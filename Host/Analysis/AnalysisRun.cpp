#include "Host/Analysis/AnalysisRun.h"

#include "Host/Analysis/TestSignals.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace plughost
{
namespace
{
constexpr double kResponseLevelDbfsRms = -40.0; // low enough that a drive stays linear
constexpr double kAliasLevelDbfs = -6.0;
constexpr double kSpectrumLevelDbfs = -6.0;
constexpr std::size_t kFade = 256;

// Raised-cosine fades at both ends of a tone segment, so steps do not click.
void Fade(std::vector<double>& segment)
{
  const std::size_t n = std::min(kFade, segment.size() / 2);
  for (std::size_t i = 0; i < n; ++i)
  {
    const double g = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / n);
    segment[i] *= g;
    segment[segment.size() - 1 - i] *= g;
  }
}

// Appends a faded steady sine on `bin` whose last `size` samples before the
// fade-out are measured; returns where they start.
std::size_t AppendStep(std::vector<double>& signal, double amplitude, std::size_t bin,
                       std::size_t size, std::size_t settle)
{
  std::vector<double> segment =
      TestSignals::Sine(amplitude, bin, size, kFade + settle + size + kFade);
  Fade(segment);
  const std::size_t start = signal.size() + kFade + settle;
  signal.insert(signal.end(), segment.begin(), segment.end());
  return start;
}

std::vector<double> Levels(bool quick, double include)
{
  std::vector<double> levels;
  const double step = quick ? 5.0 : 2.0;
  for (double l = -40.0; l <= 0.0 + 1e-9; l += step)
    levels.push_back(l);
  if (std::find(levels.begin(), levels.end(), include) == levels.end()) levels.push_back(include);
  std::sort(levels.begin(), levels.end());
  return levels;
}
} // namespace

AnalysisRun::AnalysisRun(AnalysisBench& bench, const Options& options)
    : mBench(bench), mOptions(options)
{
}

std::vector<std::string> AnalysisRun::OversamplingChoices() const
{
  if (mBench.HasParameter(kOversamplingParam)) return {"off", "on"};
  return {"as set"};
}

std::vector<std::string> AnalysisRun::OversamplingSetting(const std::string& choice)
{
  if (choice == "off") return {std::string(kOversamplingParam) + "=0"};
  if (choice == "on") return {std::string(kOversamplingParam) + "=1"};
  return {};
}

bool AnalysisRun::Run(AnalysisResults* results, std::string* error)
{
  results->rate = mOptions.rate;
  results->quick = mOptions.quick;
  results->channels = mBench.Channels();
  results->settings = mBench.Settings();
  results->effect = mBench.EffectName();
  return MeasureResponse(&results->response, error) &&
         MeasureThd(&results->thd, &results->latency.dcSine, error) &&
         MeasureAliasing(&results->aliasing, error) && MeasureLatency(&results->latency, error) &&
         MeasureCpu(&results->cpu, error);
}

bool AnalysisRun::MeasureResponse(ResponseResults* out, std::string* error)
{
  const std::size_t period = mOptions.quick ? 32768 : 65536;
  const double rate = mOptions.rate;
  const auto bins = TestSignals::LogSpacedBins(20.0, std::min(20000.0, 0.45 * rate),
                                               mOptions.quick ? 40 : 80, rate, period);
  const double rms = TestSignals::AmplitudeFromDb(kResponseLevelDbfsRms);
  const double amplitude = rms * std::sqrt(2.0 / static_cast<double>(bins.size()));
  const std::vector<double> tone = TestSignals::Multitone(bins, amplitude, period);
  // Long enough for the slowest pole a tone stage has (below 1 Hz) to settle.
  const std::size_t settle = static_cast<std::size_t>(2.5 * rate);
  const std::size_t periods = 1 + (settle + period - 1) / period;
  std::vector<double> signal;
  for (std::size_t p = 0; p < periods; ++p)
    signal.insert(signal.end(), tone.begin(), tone.end());
  AnalysisBench::Rendered rendered;
  if (!mBench.Render(signal, mOptions.rate, {}, true, &rendered, error)) return false;
  const std::vector<double> last(rendered.output.end() - static_cast<std::ptrdiff_t>(period),
                                 rendered.output.end());
  Fft fft(period);
  out->rate = mOptions.rate;
  out->levelDbfsRms = kResponseLevelDbfsRms;
  out->points = ResponseAnalysis::Measure(fft, tone, last, bins, rate);
  return true;
}

bool AnalysisRun::MeasureThd(ThdResults* out, double* dcSine, std::string* error)
{
  const std::size_t size = mOptions.quick ? 8192 : 16384;
  const std::size_t settle = size / 2;
  const double rate = mOptions.rate;
  Fft fft(size);
  FftWindow window(size);
  out->rate = mOptions.rate;
  out->spectrumLevelDbfs = kSpectrumLevelDbfs;
  out->spectrumSize = size;
  const std::vector<double> levels = Levels(mOptions.quick, kSpectrumLevelDbfs);
  for (const double frequency : {100.0, 1000.0})
  {
    const std::size_t bin = TestSignals::NearestBin(frequency, rate, size);
    std::vector<double> signal(static_cast<std::size_t>(rate), 0.0); // settles the controls
    std::vector<std::size_t> starts;
    for (const double level : levels)
      starts.push_back(AppendStep(signal, TestSignals::AmplitudeFromDb(level), bin, size, settle));
    AnalysisBench::Rendered rendered;
    if (!mBench.Render(signal, mOptions.rate, {}, true, &rendered, error)) return false;
    ThdCurve curve;
    curve.frequency = TestSignals::BinFrequency(bin, rate, size);
    curve.levelsDbfs = levels;
    for (std::size_t i = 0; i < levels.size(); ++i)
    {
      HarmonicAnalysis::Result r = HarmonicAnalysis::Measure(
          fft, window, rendered.output.data() + starts[i], bin, rate, HarmonicAnalysis::Band{});
      if (frequency == 1000.0 && levels[i] == kSpectrumLevelDbfs)
      {
        out->spectrum = r;
        *dcSine = r.dc;
      }
      r.spectrum.clear();
      curve.results.push_back(std::move(r));
    }
    out->curves.push_back(std::move(curve));
  }
  return true;
}

bool AnalysisRun::MeasureAliasing(AliasResults* out, std::string* error)
{
  const std::size_t size = 8192;
  const std::size_t settle = 2048;
  out->levelDbfs = kAliasLevelDbfs;
  for (const int rate : {44100, 48000})
    for (const std::string& choice : OversamplingChoices())
    {
      const auto bins =
          TestSignals::LogSpacedBins(200.0, 20000.0, mOptions.quick ? 16 : 40, rate, size, true);
      std::vector<double> signal(static_cast<std::size_t>(rate), 0.0);
      std::vector<std::size_t> starts;
      for (const std::size_t bin : bins)
        starts.push_back(
            AppendStep(signal, TestSignals::AmplitudeFromDb(kAliasLevelDbfs), bin, size, settle));
      AnalysisBench::Rendered rendered;
      if (!mBench.Render(signal, rate, OversamplingSetting(choice), true, &rendered, error))
        return false;
      Fft fft(size);
      FftWindow window(size);
      AliasRun run;
      run.rate = rate;
      run.oversampling = choice;
      run.fftSize = size;
      for (std::size_t i = 0; i < bins.size(); ++i)
        run.steps.push_back(
            AliasAnalysis::Measure(fft, window, rendered.output.data() + starts[i], bins[i], rate));
      run.aliasDb = AliasAnalysis::AliasDb(run.steps);
      out->runs.push_back(std::move(run));
    }
  return true;
}

bool AnalysisRun::MeasureLatency(LatencyResults* out, std::string* error)
{
  const std::size_t lead = 1000;
  const std::size_t length = lead + static_cast<std::size_t>(mOptions.rate);
  std::vector<double> signal(length, 0.0);
  signal[lead] = 0.25;
  auto peak = [&](const std::vector<double>& y)
  {
    std::size_t best = 0;
    for (std::size_t i = 0; i < y.size(); ++i)
      if (std::fabs(y[i]) > std::fabs(y[best])) best = i;
    return static_cast<int>(best) - static_cast<int>(lead);
  };
  AnalysisBench::Rendered raw;
  if (!mBench.Render(signal, mOptions.rate, {}, false, &raw, error)) return false;
  out->reported = raw.latency;
  out->measured = peak(raw.output);
  AnalysisBench::Rendered compensated;
  if (!mBench.Render(signal, mOptions.rate, {}, true, &compensated, error)) return false;
  out->compensatedOffset = peak(compensated.output);

  AnalysisBench::Rendered silence;
  if (!mBench.Render(std::vector<double>(static_cast<std::size_t>(mOptions.rate), 0.0),
                     mOptions.rate, {}, true, &silence, error))
    return false;
  const std::size_t half = silence.output.size() / 2;
  double sum = 0.0;
  for (std::size_t i = half; i < silence.output.size(); ++i)
    sum += silence.output[i];
  out->dcSilence = sum / static_cast<double>(silence.output.size() - half);
  return true;
}

bool AnalysisRun::MeasureCpu(CpuResults* out, std::string* error)
{
  out->blockSize = 512;
  out->seconds = mOptions.quick ? 0.25 : 1.0;
  for (const int rate : {44100, 48000, 96000, 192000})
    for (const std::string& choice : OversamplingChoices())
    {
      // Noise at -12 dBFS: every path of the effect busy, nothing silent. The
      // first quarter or half second is not timed: an effect's controls may
      // still glide there, and caches are cold.
      const auto block = static_cast<std::size_t>(out->blockSize);
      const std::size_t lead =
          static_cast<std::size_t>(mOptions.quick ? rate / 4 : rate / 2) / block * block;
      const auto timed = static_cast<std::size_t>(out->seconds * rate);
      std::vector<double> signal(lead + timed);
      std::uint32_t seed = 12345;
      for (double& s : signal)
      {
        seed = seed * 1664525u + 1013904223u;
        s = 0.25 * (static_cast<double>(seed >> 8) / 8388608.0 - 1.0);
      }
      // The least of a few runs: what the effect costs with warm caches.
      double callSeconds = 0.0;
      for (int repeat = 0; repeat < (mOptions.quick ? 3 : 5); ++repeat)
      {
        AnalysisBench::Rendered rendered;
        if (!mBench.Render(signal, rate, OversamplingSetting(choice), false, &rendered, error,
                           out->blockSize, lead))
          return false;
        callSeconds =
            repeat == 0 ? rendered.callSeconds : std::min(callSeconds, rendered.callSeconds);
      }
      CpuRun run;
      run.rate = rate;
      run.oversampling = choice;
      run.nsPerFrame = 1e9 * callSeconds / static_cast<double>(timed);
      run.percentCore = 100.0 * callSeconds / out->seconds;
      out->runs.push_back(run);
    }
  return true;
}

} // namespace plughost
