// Synthesises the demo's input, a short piece (a strummed plucked-string chord
// over a kick and snare pattern), as a 24-bit stereo WAV file; scripts/demo.sh
// then renders it through the module with plughost. Usage: brasmire_demo INPUT_WAV
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace
{
constexpr int kRate = 48000;
constexpr double kSeconds = 6.0;

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

bool WriteInput(const Stereo& in, const std::string& file)
{
  const std::size_t frames = in.left.size();
  std::vector<double> interleaved(2 * frames);
  for (std::size_t n = 0; n < frames; ++n)
  {
    interleaved[2 * n] = in.left[n];
    interleaved[2 * n + 1] = in.right[n];
  }
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
  const sf_count_t written =
      sf_writef_double(sf, interleaved.data(), static_cast<sf_count_t>(frames));
  const int closed = sf_close(sf);
  if (written != static_cast<sf_count_t>(frames) || closed != 0)
  {
    std::fprintf(stderr, "brasmire_demo: writing %s failed\n", file.c_str());
    return false;
  }
  return true;
}
} // namespace

int main(int argc, char** argv)
{
  if (argc != 2)
  {
    std::fprintf(stderr, "usage: brasmire_demo INPUT_WAV\n");
    return 2;
  }
  if (!WriteInput(Synthesise(), argv[1])) return 1;
  std::printf("%s: %.0f s of synthesised plucked strings and drums, 48 kHz stereo, peak -6 dBFS\n",
              argv[1], kSeconds);
  return 0;
}
