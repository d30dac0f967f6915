// Group 2: the processing grid. Every sample rate, block size (fixed, and
// random sizes from 0 to 4096 that grow without warning), component and
// oversampling setting, with hostile input: every output sample must be
// finite and normal, and silence must bring the output back to rest.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/OutputStats.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plughost
{
namespace
{
constexpr int kGroup = 2;
constexpr int kMaxBlock = 4096;
constexpr int kRandomBlocks = -1;
// After a second of silence the output is at rest when its last quarter stays
// below -60 dBFS and is still falling: its last eighth at most 0.9 times as
// loud as the eighth before (a decay slower than that is a stuck offset or a
// limit cycle), unless it is already below -120 dBFS.
constexpr double kRestLevel = 1e-3;
constexpr double kDecayRatio = 0.9;
constexpr double kSilentLevel = 1e-6;

enum class Signal
{
  Noise,
  DC,
  Square,
  Huge,
  Bursts,
  Silence
};

const char* SignalName(Signal signal)
{
  switch (signal)
  {
  case Signal::Noise:
    return "white noise";
  case Signal::DC:
    return "DC";
  case Signal::Square:
    return "full-scale square";
  case Signal::Huge:
    return "+-1e6";
  case Signal::Bursts:
    return "NaN/Inf bursts";
  case Signal::Silence:
    return "silence";
  }
  return "";
}

float Sample(Signal signal, std::int64_t n, ValidationRandom& random)
{
  switch (signal)
  {
  case Signal::Noise:
    return static_cast<float>(random.Uniform() * 2.0 - 1.0);
  case Signal::DC:
    return 1.0f;
  case Signal::Square:
    return (n / 50) % 2 == 0 ? 1.0f : -1.0f;
  case Signal::Huge:
    return random.Below(2) ? 1e6f : -1e6f;
  case Signal::Bursts:
  {
    // Noise with a burst of 16 non-finite samples every 512.
    const std::int64_t phase = n % 512;
    if (phase >= 100 && phase < 116)
    {
      constexpr float kinds[] = {std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity()};
      return kinds[(n / 512) % 3];
    }
    return static_cast<float>(random.Uniform() * 2.0 - 1.0);
  }
  case Signal::Silence:
    return 0.0f;
  }
  return 0.0f;
}

struct Cell
{
  std::size_t component;
  float rate;
  int blockSize; // kRandomBlocks: random sizes
  bool oversampled;
};

std::string Describe(const Cell& cell, std::size_t channels, const char* what)
{
  std::string text = std::to_string(channels) + "-channel component, " +
                     std::to_string(static_cast<int>(cell.rate)) + " Hz, blocks ";
  text += cell.blockSize == kRandomBlocks ? "random 0..4096" : std::to_string(cell.blockSize);
  text += cell.oversampled ? ", oversampling on, " : ", oversampling off, ";
  return text + what;
}
} // namespace

void RunProcessingChecks(ValidationContext& context)
{
  const bool full = context.options.Full();
  std::vector<float> rates = {22050, 44100, 48000, 88200, 96000, 192000, 384000};
  std::vector<int> blockSizes = {1, 7, 64, 137, 512, 1024, 4096, kRandomBlocks};
  if (!full)
  {
    rates = {22050, 48000, 384000};
    blockSizes = {1, 137, 4096, kRandomBlocks};
  }
  const std::int64_t signalFrames = full ? 8192 : 2048;
  const std::string oversamplingId = context.session.IdOf("Oversampling");
  std::vector<bool> oversampling = {false};
  if (!oversamplingId.empty()) oversampling.push_back(true);

  OutputStats total;
  std::string firstNonFinite;
  std::string firstSubnormal;
  std::string firstNoRest;
  std::string setupFailure;
  double worstRest = 0.0;
  double worstRatio = 0.0; // of the last eighth's peak to the one before, where not silent
  std::int64_t cells = 0;
  const std::size_t assertionsBefore = context.session.AssertionCount();

  for (std::size_t component = 0; component < context.session.ComponentCount(); ++component)
    for (const float rate : rates)
      for (const int blockSize : blockSizes)
        for (const bool oversampled : oversampling)
        {
          const Cell cell{component, rate, blockSize, oversampled};
          std::string error;
          auto instance = context.session.MakeInstance(component, rate, error);
          if (!instance)
          {
            if (setupFailure.empty()) setupFailure = error;
            continue;
          }
          ++cells;
          if (!oversamplingId.empty())
            instance->Effect().ApplyHostParamValue(oversamplingId.c_str(), oversampled ? 1.0 : 0.0,
                                                   1);
          const std::size_t inChannels = ValidationSession::InputChannels(*instance);
          const std::size_t outChannels = ValidationSession::OutputChannels(*instance);
          AudioBlock block(std::max(inChannels, outChannels), kMaxBlock);
          std::vector<float> previous(outChannels, std::numeric_limits<float>::quiet_NaN());
          // A quarter second of silence at the end, never less than 8192 frames.
          // A second of silence at the end, never less than 8192 frames.
          const std::int64_t restFrames = std::max<std::int64_t>(8192, std::llround(rate));

          for (const Signal signal : {Signal::Noise, Signal::DC, Signal::Square, Signal::Huge,
                                      Signal::Bursts, Signal::Silence})
          {
            const std::int64_t frames = signal == Signal::Silence ? restFrames : signalFrames;
            OutputStats stats;
            OutputStats rest[2]; // the last two eighths of the silence
            std::int64_t n = 0;
            while (n < frames)
            {
              int size = blockSize == kRandomBlocks
                             ? static_cast<int>(context.random.Below(kMaxBlock + 1))
                             : blockSize;
              size = static_cast<int>(std::min<std::int64_t>(size, frames - n));
              for (std::size_t c = 0; c < inChannels; ++c)
                for (int i = 0; i < size; ++i)
                  block.In(c)[i] = Sample(signal, n + i, context.random);
              if (instance->Render(block.Inputs(), block.Outputs(), size) != AAX_SUCCESS)
              {
                if (setupFailure.empty()) setupFailure = "a render call failed";
                break;
              }
              ++context.report.Work().renderCalls;
              context.report.Work().framesProcessed += size;
              for (std::size_t c = 0; c < outChannels; ++c)
              {
                stats.Add(block.Out(c), size, previous[c]);
                for (int part = 0; part < 2 && signal == Signal::Silence; ++part)
                {
                  const std::int64_t begin = frames - (2 - part) * (frames / 8);
                  const std::int64_t end = part == 0 ? frames - frames / 8 : frames;
                  const std::int64_t from = std::max(begin, n);
                  const std::int64_t to = std::min(end, n + size);
                  float ignored = std::numeric_limits<float>::quiet_NaN();
                  if (from < to) rest[part].Add(block.Out(c) + (from - n), to - from, ignored);
                }
              }
              n += size;
            }
            total.samples += stats.samples;
            total.nonFinite += stats.nonFinite;
            total.subnormal += stats.subnormal;
            total.peak = std::max(total.peak, stats.peak);
            if (stats.nonFinite > 0 && firstNonFinite.empty())
              firstNonFinite = Describe(cell, outChannels, SignalName(signal)) + ": " +
                               std::to_string(stats.nonFinite) + " non-finite samples";
            if (stats.subnormal > 0 && firstSubnormal.empty())
              firstSubnormal = Describe(cell, outChannels, SignalName(signal)) + ": " +
                               std::to_string(stats.subnormal) + " subnormal samples";
            if (signal == Signal::Silence)
            {
              const double residue = rest[0].nonFinite + rest[1].nonFinite > 0
                                         ? std::numeric_limits<double>::infinity()
                                         : std::max(rest[0].peak, rest[1].peak);
              const bool falling =
                  rest[1].peak <= kSilentLevel || rest[1].peak <= kDecayRatio * rest[0].peak;
              worstRest = std::max(worstRest, residue);
              if (rest[0].peak > 0) worstRatio = std::max(worstRatio, rest[1].peak / rest[0].peak);
              if (!(residue <= kRestLevel && falling) && firstNoRest.empty())
                firstNoRest = Describe(cell, outChannels, "silence") +
                              ": the last quarter reaches " + std::to_string(residue) +
                              ", its last eighth " + std::to_string(rest[1].peak) + " after " +
                              std::to_string(rest[0].peak);
            }
          }
        }

  const double samples = static_cast<double>(total.samples);
  context.Check(kGroup, "processing grid runs", setupFailure.empty() && cells > 0,
                setupFailure.empty() ? std::to_string(cells) + " grid cells rendered"
                                     : setupFailure,
                {{"cells", static_cast<double>(cells)},
                 {"rates", static_cast<double>(rates.size())},
                 {"block patterns", static_cast<double>(blockSizes.size())}});
  context.Check(kGroup, "every output sample finite", total.nonFinite == 0 && samples > 0,
                firstNonFinite.empty() ? "none of the output samples is NaN or infinite"
                                       : firstNonFinite,
                {{"samples", samples}, {"non-finite", static_cast<double>(total.nonFinite)}});
  context.Check(kGroup, "no subnormal output", total.subnormal == 0 && samples > 0,
                firstSubnormal.empty() ? "no output sample is subnormal" : firstSubnormal,
                {{"samples", samples}, {"subnormal", static_cast<double>(total.subnormal)}});
  context.Check(
      kGroup, "silence brings the output to rest", firstNoRest.empty() && cells > 0,
      firstNoRest.empty() ? "every cell's last quarter of a second of silence stays "
                            "below -60 dBFS and still falls"
                          : firstNoRest,
      {{"largest residue", worstRest}, {"limit", kRestLevel}, {"slowest decay ratio", worstRatio}});
  const std::size_t assertions = context.session.AssertionCount() - assertionsBefore;
  context.Check(kGroup, "no host assertion while processing", assertions == 0,
                assertions == 0 ? "none reported" : "last: " + context.session.LastAssertion(),
                {{"assertions", static_cast<double>(assertions)}});
}

} // namespace plughost
