// plughost render against the drive path run in this process on the same
// input, and the host's latency compensation, bypass and file formats.

#include "PlugHostFixture.h"

#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveSignalPath.h"
#include "tests/dsp/TestSignalPathHost.h"

#include <cmath>
#include <memory>

#ifndef _WIN32
#include <sndfile.h>
#endif

namespace plughosttest
{
namespace
{

// A parameter's plain value after the trip through its normalised host value
// on a linear shape, as a host stores it.
double Linear(double value, double min, double max)
{
  return min + ((value - min) / (max - min)) * (max - min);
}

// Interleaved stereo test signal: a sweep with noise on the left, a softer
// related signal on the right.
std::vector<float> Signal(std::size_t frames)
{
  std::vector<float> samples(2 * frames);
  std::uint32_t seed = 7;
  for (std::size_t n = 0; n < frames; ++n)
  {
    seed = seed * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.05;
    const double t = static_cast<double>(n) / 48000.0;
    const double left = 0.7 * std::sin(2.0 * 3.141592653589793 * (200.0 + 3000.0 * t) * t);
    samples[2 * n] = static_cast<float>(left + noise);
    samples[2 * n + 1] = static_cast<float>(0.4 * left - noise);
  }
  return samples;
}

// The drive path run directly over the same blocks, float in, float out.
std::vector<float> Reference(const std::vector<float>& input, std::size_t block,
                             const std::vector<std::pair<int, double>>& settings)
{
  auto path = std::make_unique<brasmire::DriveSignalPath>();
  brasmire::test::TestSignalPathHost host;
  for (const auto& [index, value] : settings)
    path->ApplyParamChange(index, value);
  const std::size_t frames = input.size() / 2;
  std::vector<float> output(input.size());
  std::vector<double> in[2] = {std::vector<double>(block), std::vector<double>(block)};
  std::vector<double> out[2] = {std::vector<double>(block), std::vector<double>(block)};
  for (std::size_t pos = 0; pos < frames; pos += block)
  {
    const std::size_t n = std::min(block, frames - pos);
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t c = 0; c < 2; ++c)
        in[c][i] = input[2 * (pos + i) + c];
    const double* inputs[] = {in[0].data(), in[1].data()};
    double* outputs[] = {out[0].data(), out[1].data()};
    path->ProcessBlock(inputs, outputs, static_cast<int>(n), host);
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t c = 0; c < 2; ++c)
        output[2 * (pos + i) + c] = static_cast<float>(out[c][i]);
  }
  return output;
}

std::size_t LoudestFrame(const std::vector<float>& samples, std::size_t channels)
{
  std::size_t best = 0;
  for (std::size_t i = 0; i < samples.size(); ++i)
    if (std::fabs(samples[i]) > std::fabs(samples[best])) best = i;
  return best / channels;
}

TEST_F(PlugHostTest, RenderEqualsTheDrivePathRunInProcess)
{
  const std::size_t frames = 3000; // not a multiple of the block
  const std::vector<float> input = Signal(frames);
  WriteF32("in.f32", input);
  const ProcessResult r = Run({"render", Bundle(), Path("in.f32"), Path("out.f32"), "--sr", "48000",
                               "--channels", "2", "--block", "256", "--param", "Drive=24",
                               "--param", "tone=30", "--param", "Output=-3", "--param", "Mix=80"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.err.empty()) << r.err;
  const std::vector<float> expected = Reference(input, 256,
                                                {{brasmire::ParamDrive, Linear(24.0, 0.0, 50.0)},
                                                 {brasmire::ParamTone, Linear(30.0, 0.0, 100.0)},
                                                 {brasmire::ParamOutput, Linear(-3.0, -15.0, 15.0)},
                                                 {brasmire::ParamMix, Linear(80.0, 0.0, 100.0)}});
  const std::vector<float> output = ReadF32("out.f32");
  ASSERT_EQ(output.size(), expected.size());
  for (std::size_t i = 0; i < output.size(); ++i)
    ASSERT_EQ(output[i], expected[i]) << "sample " << i;
  // The summary: frames, seconds, speed, peak, latency.
  EXPECT_EQ(r.out.rfind(Path("out.f32") + ": 3000 frames, 0.062 s, ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("x real-time, peak "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("latency 0 samples\n"), std::string::npos) << r.out;
}

TEST_F(PlugHostTest, OversampledRenderIsTheReferenceShiftedByItsLatency)
{
  const std::size_t frames = 2000;
  std::vector<float> input = Signal(frames);
  WriteF32("in.f32", input);
  const ProcessResult r =
      Run({"render", Bundle(), Path("in.f32"), Path("out.f32"), "--sr", "48000", "--channels", "2",
           "--param", "Oversampling=1", "--param", "Drive=30", "--quiet"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.out.empty()) << r.out;
  // A host feeds 64 frames of silence after the file and drops the first 64.
  input.resize(2 * (frames + 64), 0.0f);
  const std::vector<float> expected = Reference(
      input, 512,
      {{brasmire::ParamOversampling, 1.0}, {brasmire::ParamDrive, Linear(30.0, 0.0, 50.0)}});
  const std::vector<float> output = ReadF32("out.f32");
  ASSERT_EQ(output.size(), 2 * frames);
  for (std::size_t i = 0; i < output.size(); ++i)
    ASSERT_EQ(output[i], expected[i + 2 * 64]) << "sample " << i;
}

TEST_F(PlugHostTest, LatencyCompensationAlignsAnImpulseWithItsInput)
{
  const std::size_t frames = 4096;
  const std::size_t k = 1000;
  std::vector<float> impulse(frames, 0.0f);
  impulse[k] = 1.0f;
  WriteF32("impulse.f32", impulse);
  const std::vector<std::string> common = {"--sr", "48000",   "--channels",
                                           "1",    "--param", "Oversampling=1"};
  std::vector<std::string> args = {"render", Bundle(), Path("impulse.f32"), Path("aligned.f32")};
  args.insert(args.end(), common.begin(), common.end());
  ProcessResult r = Run(args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("latency 64 samples (compensated)"), std::string::npos) << r.out;
  const std::vector<float> aligned = ReadF32("aligned.f32");
  ASSERT_EQ(aligned.size(), frames);
  EXPECT_EQ(LoudestFrame(aligned, 1), k);
  EXPECT_GT(std::fabs(aligned[k]), 0.5f);

  args[3] = Path("late.f32");
  args.push_back("--no-latency-compensation");
  r = Run(args);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("latency 64 samples (not compensated)"), std::string::npos) << r.out;
  const std::vector<float> late = ReadF32("late.f32");
  ASSERT_EQ(late.size(), frames);
  EXPECT_EQ(LoudestFrame(late, 1), k + 64);
  // The same response, 64 frames later.
  for (std::size_t i = 0; i + 64 < frames; ++i)
    ASSERT_EQ(late[i + 64], aligned[i]) << i;
}

TEST_F(PlugHostTest, HostBypassPassesTheInputUnchanged)
{
  const std::vector<float> input = Signal(1500);
  WriteF32("in.f32", input);
  const ProcessResult r =
      Run({"render", Bundle(), Path("in.f32"), Path("out.f32"), "--sr", "44100", "--channels", "2",
           "--param", "Drive=40", "--host-bypass", "--block", "100"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadF32("out.f32"), input);
}

TEST_F(PlugHostTest, AMonoFileUsesTheMonoComponent)
{
  const std::vector<float> stereo = Signal(1200);
  std::vector<float> mono(1200);
  std::vector<float> leftOnly(2400, 0.0f);
  for (std::size_t n = 0; n < 1200; ++n)
    mono[n] = leftOnly[2 * n] = stereo[2 * n];
  WriteF32("mono.f32", mono);
  ProcessResult r = Run({"render", Bundle(), Path("mono.f32"), Path("mono-out.f32"), "--sr",
                         "48000", "--channels", "1", "--param", "Drive=20"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<float> expected =
      Reference(leftOnly, 512, {{brasmire::ParamDrive, Linear(20.0, 0.0, 50.0)}});
  const std::vector<float> output = ReadF32("mono-out.f32");
  ASSERT_EQ(output.size(), 1200u);
  for (std::size_t n = 0; n < 1200; ++n)
    ASSERT_EQ(output[n], expected[2 * n]) << n;
}

TEST_F(PlugHostTest, ARenderReplacesAnExistingOutputWhole)
{
  WriteF32("in.f32", Signal(500));
  WriteBytes("out.f32", std::string(100000, 'x'));
  const ProcessResult r = Run({"render", Bundle(), Path("in.f32"), Path("out.f32"), "--sr", "48000",
                               "--channels", "2", "--quiet"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadBytes("out.f32").size(), 500u * 2 * sizeof(float));
  EXPECT_EQ(Listing(), (std::vector<std::string>{"in.f32", "out.f32"}));
}

TEST_F(PlugHostTest, AnEmptyFileAndSingleFrameBlocksRenderLikeAnyOther)
{
  WriteF32("empty.f32", {});
  ProcessResult r = Run({"render", Bundle(), Path("empty.f32"), Path("empty-out.f32"), "--sr",
                         "48000", "--channels", "2", "--param", "Oversampling=1"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Exists("empty-out.f32"));
  EXPECT_TRUE(ReadF32("empty-out.f32").empty());
  EXPECT_EQ(r.out.rfind(Path("empty-out.f32") + ": 0 frames, 0.000 s", 0), 0u) << r.out;

  // One frame per render call, oversampled: still the reference, shifted.
  const std::size_t frames = 300;
  std::vector<float> input = Signal(frames);
  WriteF32("in.f32", input);
  r = Run({"render", Bundle(), Path("in.f32"), Path("out.f32"), "--sr", "48000", "--channels", "2",
           "--block", "1", "--param", "Oversampling=1", "--param", "Drive=10"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  input.resize(2 * (frames + 64), 0.0f);
  const std::vector<float> expected = Reference(
      input, 1,
      {{brasmire::ParamOversampling, 1.0}, {brasmire::ParamDrive, Linear(10.0, 0.0, 50.0)}});
  const std::vector<float> output = ReadF32("out.f32");
  ASSERT_EQ(output.size(), 2 * frames);
  for (std::size_t i = 0; i < output.size(); ++i)
    ASSERT_EQ(output[i], expected[i + 2 * 64]) << "sample " << i;
}

TEST_F(PlugHostTest, FileNamesBeyondAsciiWork)
{
  const std::vector<float> input = Signal(300);
  const std::string in = "entr\xc3\xa9"
                         "e \xe9\x9f\xb3.f32";   // "entrée 音.f32"
  const std::string out = "sortie-\xc3\xbc.f32"; // "sortie-ü.f32"
  WriteF32(in, input);
  const ProcessResult r = Run({"render", Bundle(), Path(in), Path(out), "--sr", "48000",
                               "--channels", "2", "--host-bypass", "--quiet"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadF32(out), input);
}

#ifndef _WIN32
struct SoundFile
{
  SF_INFO info{};
  std::vector<float> samples;
};

SoundFile ReadSound(const std::string& path)
{
  SoundFile file;
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &file.info);
  if (f == nullptr) return file;
  file.samples.resize(static_cast<std::size_t>(file.info.frames * file.info.channels));
  sf_readf_float(f, file.samples.data(), file.info.frames);
  sf_close(f);
  return file;
}

bool WriteSound(const std::string& path, int format, int rate, const std::vector<float>& stereo)
{
  SF_INFO info{};
  info.samplerate = rate;
  info.channels = 2;
  info.format = format;
  SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
  if (f == nullptr) return false;
  sf_writef_float(f, stereo.data(), static_cast<sf_count_t>(stereo.size() / 2));
  return sf_close(f) == 0;
}

TEST_F(PlugHostTest, SoundFilesInEachFormatNatively)
{
  const std::vector<float> input = Signal(2500);
  ASSERT_TRUE(WriteSound(Path("in.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT, 48000, input));
  WriteF32("in.f32", input);
  ProcessResult r = Run({"render", Bundle(), Path("in.f32"), Path("ref.f32"), "--sr", "48000",
                         "--channels", "2", "--param", "Drive=12"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::vector<float> reference = ReadF32("ref.f32");

  r = Run(
      {"render", Bundle(), Path("in.wav"), Path("float.wav"), "--float", "--param", "Drive=12"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  SoundFile f = ReadSound(Path("float.wav"));
  EXPECT_EQ(f.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
  EXPECT_EQ(f.info.samplerate, 48000);
  EXPECT_EQ(f.samples, reference);

  const struct
  {
    const char* name;
    int format;
  } kinds[] = {{"out.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_24},
               {"out.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_24},
               {"out.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24}};
  for (const auto& kind : kinds)
  {
    r = Run({"render", Bundle(), Path("in.wav"), Path(kind.name), "--param", "Drive=12"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    f = ReadSound(Path(kind.name));
    EXPECT_EQ(f.info.format, kind.format) << kind.name;
    ASSERT_EQ(f.samples.size(), reference.size()) << kind.name;
    // 24-bit samples: within half a step of 2^-23 (plus float rounding).
    for (std::size_t i = 0; i < reference.size(); ++i)
      ASSERT_NEAR(f.samples[i], reference[i], 0.5 / 8388608.0 + 1e-7) << kind.name << " " << i;
  }

  // A file's own rate and channel count must agree with any given.
  ExpectBadInput({"render", Bundle(), Path("in.wav"), Path("x.wav"), "--sr", "44100"},
                 "is at 48000 Hz, not the 44100 Hz given with --sr");
  ExpectBadInput({"render", Bundle(), Path("in.wav"), Path("x.wav"), "--channels", "1"},
                 "has 2 channels, not the 1 given with --channels");
}

TEST_F(PlugHostTest, AWriteThatFailsMidwayLeavesNoFileBehind)
{
  WriteF32("in.f32", Signal(48000));
  const auto before = Listing();
  for (const char* name : {"out.f32", "out.wav"})
  {
    // Files may not grow past 64 KiB: the output (384 KB) fails part-way.
    const ProcessResult r =
        Run({"render", Bundle(), Path("in.f32"), Path(name), "--sr", "48000", "--channels", "2"},
            64 * 1024);
    EXPECT_EQ(r.exitCode, 2) << name << " " << r.err;
    EXPECT_NE(r.err.find("cannot write " + Path(name)), std::string::npos) << r.err;
    EXPECT_EQ(Listing(), before) << name;
  }
}
#endif

} // namespace
#ifndef _WIN32
TEST_F(PlugHostTest, AProgressBarOnlyForAPersonWatchingALongRender)
{
  // Eleven seconds of stereo at 48 kHz: long enough to be worth a bar.
  constexpr std::size_t kFrames = 11 * 48000;
  std::vector<float> input(2 * kFrames);
  for (std::size_t i = 0; i < input.size(); ++i)
    input[i] = 0.25f * static_cast<float>(std::sin(0.01 * static_cast<double>(i)));
  WriteF32("long.f32", input);
  const std::vector<std::string> args = {"render", Bundle(), Path("long.f32"), Path("out.f32"),
                                         "--sr",   "48000",  "--channels",     "2"};
  const std::u8string parent = scratch.parent_path().u8string();
  const std::string runnerFolder(parent.begin(), parent.end());

  const ProcessResult watched = RunProcessOnTerminal(Here(kPlugHost), args, runnerFolder);
  ASSERT_EQ(watched.exitCode, 0) << watched.err;
  EXPECT_NE(watched.err.find("\rrendering ["), std::string::npos) << watched.err;
  EXPECT_NE(watched.err.find("]  50%"), std::string::npos) << "the bar moves through the file";
  // The bar is wiped at the end, so the summary (on standard output) stands alone.
  EXPECT_EQ(watched.err.substr(watched.err.size() - 4), "\r\033[K");
  EXPECT_NE(watched.out.find("528000 frames, 11.000 s"), std::string::npos) << watched.out;

  std::vector<std::string> quiet = args;
  quiet.push_back("--quiet");
  const ProcessResult silent = RunProcessOnTerminal(Here(kPlugHost), quiet, runnerFolder);
  EXPECT_EQ(silent.exitCode, 0);
  EXPECT_EQ(silent.err, "");
  EXPECT_EQ(silent.out, "");

  const ProcessResult piped = Run(args); // standard error not a terminal
  EXPECT_EQ(piped.exitCode, 0);
  EXPECT_EQ(piped.err, "");
}
#endif

} // namespace plughosttest
