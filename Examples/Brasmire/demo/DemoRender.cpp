// Renders a short synthesised piece (a strummed plucked-string chord over a
// kick and snare pattern) through the drive effect at three settings and writes
// each result as a 24-bit WAV file. Usage: brasmire_demo OUTPUT_FOLDER
#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveSignalPath.h"

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace
{
constexpr int kRate = 48000;
constexpr double kSeconds = 6.0;
constexpr int kBlock = 512;

struct Stereo
{
  std::vector<double> left;
  std::vector<double> right;
};

// A deterministic noise source, so every run renders the same files.
class Noise
{
public:
  double Next()
  {
    mState = mState * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(mState >> 11) / 4503599627370496.0 - 1.0;
  }

private:
  unsigned long long mState = 0x2545F4914F6CDD1Dull;
};

// Karplus-Strong: a noise burst circulating in a delay line one period long,
// averaged (low-passed) on every pass, decays like a plucked string.
void AddPluck(Stereo& out, double startSeconds, double frequency, double level, double pan,
              Noise& noise)
{
  const int period = std::max(2, static_cast<int>(std::lround(kRate / frequency)));
  std::vector<double> line(static_cast<std::size_t>(period));
  for (double& v : line)
    v = noise.Next();
  const std::size_t start = static_cast<std::size_t>(startSeconds * kRate);
  std::size_t index = 0;
  for (std::size_t n = start; n < out.left.size(); ++n)
  {
    const std::size_t next = (index + 1) % line.size();
    const double y = line[index];
    line[index] = 0.4985 * (line[index] + line[next]);
    index = next;
    out.left[n] += level * (1.0 - pan) * y;
    out.right[n] += level * pan * y;
  }
}

void AddKick(Stereo& out, double startSeconds, double level)
{
  const std::size_t start = static_cast<std::size_t>(startSeconds * kRate);
  double phase = 0.0;
  for (std::size_t n = start; n < out.left.size() && n < start + kRate / 2; ++n)
  {
    const double t = static_cast<double>(n - start) / kRate;
    const double frequency = 45.0 + 110.0 * std::exp(-t * 30.0); // the pitch drop of a kick
    phase += 2.0 * std::numbers::pi * frequency / kRate;
    const double y = level * std::exp(-t * 9.0) * std::sin(phase);
    out.left[n] += y;
    out.right[n] += y;
  }
}

void AddSnare(Stereo& out, double startSeconds, double level, Noise& noise)
{
  const std::size_t start = static_cast<std::size_t>(startSeconds * kRate);
  double low = 0.0;
  for (std::size_t n = start; n < out.left.size() && n < start + kRate / 4; ++n)
  {
    const double t = static_cast<double>(n - start) / kRate;
    const double raw = noise.Next();
    low += 0.3 * (raw - low);
    const double body = 0.5 * std::sin(2.0 * std::numbers::pi * 190.0 * t) * std::exp(-t * 35.0);
    const double y = level * ((raw - low) * std::exp(-t * 22.0) + body);
    out.left[n] += y;
    out.right[n] += y;
  }
}

Stereo Synthesise()
{
  const std::size_t frames = static_cast<std::size_t>(kSeconds * kRate);
  Stereo s{std::vector<double>(frames, 0.0), std::vector<double>(frames, 0.0)};
  Noise noise;
  // A minor chord strummed down twice, then a higher voicing.
  const double chord[] = {110.0, 164.81, 220.0, 261.63, 329.63};
  const double high[] = {220.0, 329.63, 440.0, 523.25};
  for (double strum : {0.0, 1.5})
    for (int k = 0; k < 5; ++k)
      AddPluck(s, strum + 0.025 * k, chord[k], 0.3, 0.3 + 0.1 * k, noise);
  for (int k = 0; k < 4; ++k)
    AddPluck(s, 3.0 + 0.02 * k, high[k], 0.25, 0.7 - 0.1 * k, noise);
  for (double beat = 0.0; beat < kSeconds - 0.5; beat += 0.75)
  {
    AddKick(s, beat, 0.6);
    AddSnare(s, beat + 0.375, 0.35, noise);
  }
  // Peak at -6 dBFS.
  double peak = 0.0;
  for (std::size_t n = 0; n < frames; ++n)
    peak = std::max({peak, std::fabs(s.left[n]), std::fabs(s.right[n])});
  const double scale = 0.5 / peak;
  for (std::size_t n = 0; n < frames; ++n)
  {
    s.left[n] *= scale;
    s.right[n] *= scale;
  }
  return s;
}

class DemoHost final : public brasmire::SignalPathHost
{
public:
  double SampleRate() const noexcept override { return kRate; }
  int ConnectedOutputChannels() const noexcept override { return 2; }
  int ReportedLatency() const noexcept override { return latency; }
  void ChangeLatency(int samples) noexcept override { latency = samples; }
  int latency = 0;
};

struct Setting
{
  const char* file;
  const char* description;
  double drive;
  double oversampling;
};

bool Render(const Stereo& in, const Setting& setting, const std::string& folder)
{
  auto path = std::make_unique<brasmire::DriveSignalPath>();
  path->ApplyParamChange(brasmire::ParamDrive, setting.drive);
  path->ApplyParamChange(brasmire::ParamOversampling, setting.oversampling);
  DemoHost host;
  const std::size_t frames = in.left.size();
  Stereo out{std::vector<double>(frames), std::vector<double>(frames)};

  const auto begin = std::chrono::steady_clock::now();
  for (std::size_t pos = 0; pos < frames; pos += kBlock)
  {
    const int n = static_cast<int>(std::min<std::size_t>(kBlock, frames - pos));
    const double* inputs[2] = {in.left.data() + pos, in.right.data() + pos};
    double* outputs[2] = {out.left.data() + pos, out.right.data() + pos};
    path->ProcessBlock(inputs, outputs, n, host);
  }
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

  double peak = 0.0;
  double sumSquares = 0.0;
  std::vector<double> interleaved(2 * frames);
  for (std::size_t n = 0; n < frames; ++n)
  {
    peak = std::max({peak, std::fabs(out.left[n]), std::fabs(out.right[n])});
    sumSquares += out.left[n] * out.left[n] + out.right[n] * out.right[n];
    interleaved[2 * n] = out.left[n];
    interleaved[2 * n + 1] = out.right[n];
  }
  const double rms = std::sqrt(sumSquares / (2.0 * static_cast<double>(frames)));

  const std::string file = folder + "/" + setting.file;
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 2;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;
  SNDFILE* sf = sf_open(file.c_str(), SFM_WRITE, &info);
  if (!sf)
  {
    std::fprintf(stderr, "brasmire_demo: cannot write %s: %s\n", file.c_str(),
                 sf_strerror(nullptr));
    return false;
  }
  sf_command(sf, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  const sf_count_t written =
      sf_writef_double(sf, interleaved.data(), static_cast<sf_count_t>(frames));
  const int closed = sf_close(sf);
  if (written != static_cast<sf_count_t>(frames) || closed != 0)
  {
    std::fprintf(stderr, "brasmire_demo: writing %s failed\n", file.c_str());
    return false;
  }
  std::printf(
      "%-33s %-30s peak %6.2f dBFS  RMS %6.2f dBFS  latency %2d samples  %6.0f x real time\n",
      file.c_str(), setting.description, 20.0 * std::log10(peak), 20.0 * std::log10(rms),
      host.latency, kSeconds / elapsed);
  return true;
}
} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: brasmire_demo OUTPUT_FOLDER\n");
    return 2;
  }
  const Stereo in = Synthesise();
  const Setting settings[] = {
      {"clean.wav", "Drive 0 dB, oversampling off", 0.0, 0.0},
      {"drive24.wav", "Drive 24 dB, oversampling off", 24.0, 0.0},
      {"drive40-oversampled.wav", "Drive 40 dB, oversampling on", 40.0, 1.0}};
  std::printf("Brasmire demo: %.0f s of synthesised plucked strings and drums, 48 kHz stereo, "
              "Mix 100 %%, Tone 50 %%, Output 0 dB\n",
              kSeconds);
  for (const Setting& s : settings)
    if (!Render(in, s, argv[1])) return 1;
  return 0;
}
