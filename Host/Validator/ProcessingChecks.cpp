// Group 2: the processing grid. Every sample rate, block size (fixed, and
// random sizes from 0 to 4096 that grow without warning), component and
// signal-path setting of the profile, with hostile input: every output sample must be
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
// After a second of silence the output is at rest when the last quarter of
// that second stays below -60 dBFS and is still falling: its last eighth at most 0.9 times as
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

// One cell's instance rendered through every signal, its statistics added to
// the group's.
struct GridResult
{
  OutputStats total;
  FirstFailure nonFinite;
  FirstFailure subnormal;
  FirstFailure noRest;
  FirstFailure setup;
  double worstRest = 0.0;
  double worstRatio = 0.0; // of the last eighth's peak to the one before, where not silent
  std::int64_t cells = 0;
};

void RenderCell(ValidationContext& context, const ValidationContext::Cell& cell,
                std::int64_t signalFrames, GridResult& result)
{
  auto instance = context.Instance(cell.component, cell.rate, *cell.setting, result.setup);
  if (!instance) return;
  ++result.cells;
  const std::size_t inChannels = ValidationSession::InputChannels(*instance);
  const std::size_t outChannels = ValidationSession::OutputChannels(*instance);
  AudioBlock block(std::max(inChannels, outChannels), kMaxBlock);
  std::vector<float> previous(outChannels, std::numeric_limits<float>::quiet_NaN());
  // A second of silence at the end, never less than 8192 frames.
  const std::int64_t restFrames = std::max<std::int64_t>(8192, std::llround(cell.rate));
  auto where = [&](const char* signal)
  {
    return ValidationContext::Describe(outChannels, cell.rate, cell.blockSize, *cell.setting) +
           ", " + signal;
  };

  for (const Signal signal :
       {Signal::Noise, Signal::DC, Signal::Square, Signal::Huge, Signal::Bursts, Signal::Silence})
  {
    const std::int64_t frames = signal == Signal::Silence ? restFrames : signalFrames;
    OutputStats stats;
    OutputStats rest[2]; // the last two eighths of the silence
    for (std::int64_t n = 0; n < frames;)
    {
      int size = cell.blockSize == kRandomBlocks
                     ? static_cast<int>(context.random.Below(kMaxBlock + 1))
                     : cell.blockSize;
      size = static_cast<int>(std::min<std::int64_t>(size, frames - n));
      for (std::size_t c = 0; c < inChannels; ++c)
        for (int i = 0; i < size; ++i)
          block.In(c)[i] = Sample(signal, n + i, context.random);
      if (instance->Render(block.Inputs(), block.Outputs(), size) != AAX_SUCCESS)
      {
        result.setup.Note("a render call failed");
        break;
      }
      ++context.report.Work().renderCalls;
      context.report.Work().framesProcessed += size;
      for (std::size_t c = 0; c < outChannels; ++c)
      {
        stats.Add(block.Out(c), size, previous[c]);
        if (signal != Signal::Silence) continue;
        for (int part = 0; part < 2; ++part)
        {
          const std::int64_t from = std::max(frames - (2 - part) * (frames / 8), n);
          const std::int64_t to = std::min(part == 0 ? frames - frames / 8 : frames, n + size);
          float ignored = std::numeric_limits<float>::quiet_NaN();
          if (from < to) rest[part].Add(block.Out(c) + (from - n), to - from, ignored);
        }
      }
      n += size;
    }
    result.total.samples += stats.samples;
    result.total.nonFinite += stats.nonFinite;
    result.total.subnormal += stats.subnormal;
    result.total.peak = std::max(result.total.peak, stats.peak);
    if (stats.nonFinite > 0)
      result.nonFinite.Note(where(SignalName(signal)) + ": " + std::to_string(stats.nonFinite) +
                            " non-finite samples");
    if (stats.subnormal > 0)
      result.subnormal.Note(where(SignalName(signal)) + ": " + std::to_string(stats.subnormal) +
                            " subnormal samples");
    if (signal != Signal::Silence) continue;
    const double residue = rest[0].nonFinite + rest[1].nonFinite > 0
                               ? std::numeric_limits<double>::infinity()
                               : std::max(rest[0].peak, rest[1].peak);
    const bool falling = rest[1].peak <= kSilentLevel || rest[1].peak <= kDecayRatio * rest[0].peak;
    result.worstRest = std::max(result.worstRest, residue);
    if (rest[0].peak > 0)
      result.worstRatio = std::max(result.worstRatio, rest[1].peak / rest[0].peak);
    if (!(residue <= kRestLevel && falling))
      result.noRest.Note(where("silence") + ": the last quarter reaches " +
                         std::to_string(residue) + ", its last eighth " +
                         std::to_string(rest[1].peak) + " after " + std::to_string(rest[0].peak));
  }
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
  const std::size_t assertionsBefore = context.session.AssertionCount();
  GridResult result;
  context.ForEachCell(rates, blockSizes,
                      [&](const ValidationContext::Cell& cell)
                      { RenderCell(context, cell, signalFrames, result); });

  const double samples = static_cast<double>(result.total.samples);
  context.Check(kGroup, "processing grid runs", result.setup.Empty() && result.cells > 0,
                result.setup.Or(std::to_string(result.cells) + " grid cells rendered"),
                {{"cells", static_cast<double>(result.cells)},
                 {"rates", static_cast<double>(rates.size())},
                 {"block patterns", static_cast<double>(blockSizes.size())}});
  context.Check(
      kGroup, "every output sample finite", result.nonFinite.Empty() && samples > 0,
      result.nonFinite.Or("none of the output samples is NaN or infinite"),
      {{"samples", samples}, {"non-finite", static_cast<double>(result.total.nonFinite)}});
  context.Check(kGroup, "no subnormal output", result.subnormal.Empty() && samples > 0,
                result.subnormal.Or("no output sample is subnormal"),
                {{"samples", samples}, {"subnormal", static_cast<double>(result.total.subnormal)}});
  context.Check(kGroup, "silence brings the output to rest",
                result.noRest.Empty() && result.cells > 0,
                result.noRest.Or("the last quarter of every cell's second of silence "
                                 "stays below -60 dBFS and still falls"),
                {{"largest residue", result.worstRest},
                 {"limit", kRestLevel},
                 {"slowest decay ratio", result.worstRatio}});
  context.CheckNoNewAssertion(kGroup, "while processing", assertionsBefore);
}

} // namespace plughost
