// Group 2, the render call's contract: the input buffers are never written;
// rendering in place (input = output) gives the same output; zero-frame calls
// with null buffers change nothing; blocks larger than those rendered before
// give the same output and allocate nothing; a live sample-rate change is
// survived; subnormal input gives normal output, not much more slowly.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/OutputStats.h"
#include "Host/Validator/RealtimeCounters.h"
#include "Host/Validator/RealtimeImportHooks.h"
#include "Host/Validator/RealtimeProbe.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__linux__)
#include <time.h>
#endif

namespace plughost
{
namespace
{
constexpr int kGroup = 2;
constexpr float kRate = 48000.0f;
// The block a DAW would have prepared the instance for, and the larger
// blocks it then hands without warning (beyond any internal 8192-frame size).
// The large ones are compared with the same signal rendered in prepared-size
// pieces by a second instance.
constexpr int kPreparedBlock = 512;
constexpr int kLargeBlocks[] = {8193, 65536};
// Subnormal input may cost at most this much more time than normal input.
constexpr double kSubnormalTimeRatio = 1.5;
// Timings of a ratio over the limit, before it counts as a failure.
constexpr int kTimingAttempts = 3;

// One instance with its buffers, and the description of where it renders.
struct Subject
{
  std::unique_ptr<aaxhost::HostInstance> instance;
  std::size_t ins = 0;
  std::size_t outs = 0;
  std::string where;
};

Subject MakeSubject(ValidationContext& context, std::size_t component, const SignalSetting& setting,
                    FirstFailure& setup)
{
  Subject subject;
  subject.instance = context.Instance(component, kRate, setting, setup);
  if (!subject.instance) return subject;
  subject.ins = ValidationSession::InputChannels(*subject.instance);
  subject.outs = ValidationSession::OutputChannels(*subject.instance);
  subject.where = ValidationContext::Describe(subject.outs, kRate, -2, setting);
  return subject;
}

void FillNoise(ValidationRandom& random, AudioBlock& block, int frames, double amplitude)
{
  for (std::size_t c = 0; c < block.Channels(); ++c)
    for (int i = 0; i < frames; ++i)
      block.In(c)[i] = static_cast<float>(amplitude * (random.Uniform() * 2.0 - 1.0));
}

void Count(ValidationContext& context, std::int64_t frames)
{
  ++context.report.Work().renderCalls;
  context.report.Work().framesProcessed += frames;
}

// Calls visit(subject, component, setting) for every component and setting.
template <typename Visit>
void ForEachSubject(ValidationContext& context, FirstFailure& setup, Visit visit)
{
  for (std::size_t component = 0; component < context.session.ComponentCount(); ++component)
    for (const SignalSetting& setting : context.Settings())
    {
      Subject subject = MakeSubject(context, component, setting, setup);
      if (subject.instance) visit(subject, component, setting);
    }
}

// Calls visit(a, b) with two instances of every component and setting.
template <typename Visit>
void ForEachPair(ValidationContext& context, FirstFailure& setup, Visit visit)
{
  ForEachSubject(context, setup,
                 [&](Subject& a, std::size_t component, const SignalSetting& setting)
                 {
                   Subject b = MakeSubject(context, component, setting, setup);
                   if (b.instance) visit(a, b);
                 });
}

// Renders frames of the block starting at frame `at`.
void RenderPiece(aaxhost::HostInstance& instance, AudioBlock& block, int at, int frames)
{
  std::vector<const float*> in;
  std::vector<float*> out;
  for (std::size_t c = 0; c < block.Channels(); ++c)
  {
    in.push_back(block.In(c) + at);
    out.push_back(block.Out(c) + at);
  }
  instance.Render(in.data(), out.data(), frames);
}

void CheckInputUntouched(ValidationContext& context)
{
  FirstFailure setup, written;
  std::int64_t calls = 0;
  ForEachSubject(context, setup,
                 [&](Subject& s, std::size_t, const SignalSetting&)
                 {
                   AudioBlock block(std::max(s.ins, s.outs), 1024);
                   for (const int frames : {64, 1000, 64, 1024, 7, 1000})
                   {
                     FillNoise(context.random, block, frames, 0.7);
                     std::vector<std::vector<float>> copy;
                     for (std::size_t c = 0; c < s.ins; ++c)
                       copy.emplace_back(block.In(c), block.In(c) + frames);
                     s.instance->Render(block.Inputs(), block.Outputs(), frames);
                     Count(context, frames);
                     ++calls;
                     for (std::size_t c = 0; c < s.ins; ++c)
                       if (std::memcmp(copy[c].data(), block.In(c), frames * sizeof(float)) != 0)
                         written.Note(s.where + ": input channel " + std::to_string(c) +
                                      " changed by a render call of " + std::to_string(frames) +
                                      " frames");
                   }
                 });
  context.Check(kGroup, "input buffers are never written", setup.Empty() && written.Empty(),
                setup.Or(written.Or("every input sample was left as handed")),
                {{"render calls", static_cast<double>(calls)},
                 {"calls that wrote", static_cast<double>(written.Count())}});
}

void CheckInPlace(ValidationContext& context)
{
  FirstFailure setup, differs;
  std::int64_t calls = 0;
  ForEachPair(context, setup,
              [&](Subject& separate, Subject& inPlace)
              {
                const std::size_t channels = std::max(separate.ins, separate.outs);
                AudioBlock block(channels, 1024);
                std::vector<std::vector<float>> shared(channels, std::vector<float>(1024));
                std::vector<const float*> ins;
                std::vector<float*> outs;
                for (auto& channel : shared)
                {
                  ins.push_back(channel.data());
                  outs.push_back(channel.data());
                }
                for (const int frames : {256, 1024, 3, 512, 1024, 100})
                {
                  FillNoise(context.random, block, frames, 0.7);
                  for (std::size_t c = 0; c < channels; ++c)
                    std::copy(block.In(c), block.In(c) + frames, shared[c].begin());
                  separate.instance->Render(block.Inputs(), block.Outputs(), frames);
                  inPlace.instance->Render(ins.data(), outs.data(), frames);
                  Count(context, 2 * frames);
                  ++calls;
                  for (std::size_t c = 0; c < separate.outs; ++c)
                    if (std::memcmp(block.Out(c), shared[c].data(), frames * sizeof(float)) != 0)
                    {
                      differs.Note(separate.where + ": channel " + std::to_string(c) +
                                   " rendered in place differs from the separate buffers' output");
                      break;
                    }
                }
              });
  context.Check(kGroup, "rendering in place gives the same output",
                setup.Empty() && differs.Empty() && calls > 0,
                setup.Or(differs.Or("bit-exact with separate input and output buffers")),
                {{"render calls", static_cast<double>(calls)}});
}

void CheckZeroFrames(ValidationContext& context)
{
  FirstFailure setup, differs;
  std::int64_t zeroCalls = 0;
  ForEachPair(context, setup,
              [&](Subject& plain, Subject& zeroed)
              {
                AudioBlock a(std::max(plain.ins, plain.outs), 256);
                AudioBlock b(a.Channels(), 256);
                for (int call = 0; call < 8; ++call)
                {
                  FillNoise(context.random, a, 256, 0.7);
                  for (std::size_t c = 0; c < a.Channels(); ++c)
                    std::copy(a.In(c), a.In(c) + 256, b.In(c));
                  // Between real blocks: zero frames with null buffers, and with real ones.
                  if (zeroed.instance->Render(nullptr, nullptr, 0) != AAX_SUCCESS ||
                      zeroed.instance->Render(b.Inputs(), b.Outputs(), 0) != AAX_SUCCESS)
                    differs.Note(zeroed.where + ": a zero-frame call failed");
                  zeroCalls += 2;
                  plain.instance->Render(a.Inputs(), a.Outputs(), 256);
                  zeroed.instance->Render(b.Inputs(), b.Outputs(), 256);
                  Count(context, 512);
                  for (std::size_t c = 0; c < plain.outs; ++c)
                    if (std::memcmp(a.Out(c), b.Out(c), 256 * sizeof(float)) != 0)
                    {
                      differs.Note(zeroed.where +
                                   ": after zero-frame calls the output differs in block " +
                                   std::to_string(call));
                      break;
                    }
                }
              });
  context.Check(kGroup, "zero-frame calls with null buffers change nothing",
                setup.Empty() && differs.Empty() && zeroCalls > 0,
                setup.Or(differs.Or("the following blocks are bit-exact with an instance that "
                                    "had none")),
                {{"zero-frame calls", static_cast<double>(zeroCalls)}});
}

void CheckLargeBlocks(ValidationContext& context)
{
  FirstFailure setup, differs;
  std::string hookDetail;
  // Windows: the module's imports are patched here as group 8 patches them.
  const bool counted =
      InstallImportHooks(context.session.Module(), hookDetail) ||
      (RealtimeCounters::Installed() & (RealtimeCounters::kMalloc | RealtimeCounters::kNew)) != 0;
  std::int64_t allocations = 0;
  double worst = 0.0;
  int largest = 0;
  for (const int size : kLargeBlocks)
    largest = std::max(largest, size);
  ForEachPair(
      context, setup,
      [&](Subject& large, Subject& small)
      {
        const std::size_t channels = std::max(large.ins, large.outs);
        AudioBlock block(channels, static_cast<std::size_t>(largest));
        AudioBlock pieces(channels, static_cast<std::size_t>(largest));
        RealtimeProbe probe;
        auto render = [&](int frames, bool big, double amplitude)
        {
          FillNoise(context.random, block, frames, amplitude);
          for (std::size_t c = 0; c < channels; ++c)
            std::copy(block.In(c), block.In(c) + frames, pieces.In(c));
          if (big) large.instance->SetRenderProbe(&probe);
          const RealtimeCounters::Counts before = RealtimeCounters::Read();
          large.instance->Render(block.Inputs(), block.Outputs(), frames);
          allocations += RealtimeCounters::Read().allocations - before.allocations;
          large.instance->SetRenderProbe(nullptr);
          // The same signal in prepared-size pieces.
          for (int at = 0; at < frames; at += kPreparedBlock)
            RenderPiece(*small.instance, pieces, at, std::min(kPreparedBlock, frames - at));
          Count(context, 2 * frames);
          for (std::size_t c = 0; c < large.outs; ++c)
            for (int i = 0; i < frames; ++i)
            {
              const double d = std::abs(static_cast<double>(block.Out(c)[i]) - pieces.Out(c)[i]);
              worst = std::isnan(d) ? std::numeric_limits<double>::infinity() : std::max(worst, d);
              if (!(d <= 1e-6) && differs.Empty())
                differs.Note(large.where + ": a block of " + std::to_string(frames) +
                             " frames differs from the same signal in blocks of " +
                             std::to_string(kPreparedBlock) + " at sample " + std::to_string(i));
            }
        };
        // An effect may reset itself the first time its block grows (the
        // adapter does): both instances meet the largest block first, in
        // silence, so the comparison starts from the same state.
        render(largest, false, 0.0);
        for (int k = 0; k < 4; ++k)
          render(kPreparedBlock, false, 0.5);
        for (const int size : kLargeBlocks)
          render(size, true, 0.5);
      });
  const bool clean = setup.Empty() && differs.Empty() && allocations == 0;
  context.Check(
      kGroup, "blocks larger than the prepared size: same output, nothing allocated", clean,
      !setup.Empty()     ? setup.Text()
      : !differs.Empty() ? differs.Text()
      : allocations != 0 ? std::to_string(allocations) + " allocations in the large blocks"
      : counted          ? "within 1e-6 of the prepared-size render; no allocation counted"
                         : "within 1e-6 of the prepared-size render (no allocation hook here)",
      {{"largest block", static_cast<double>(largest)},
       {"largest difference", worst},
       {"allocations", static_cast<double>(allocations)}});
}

void CheckRateChange(ValidationContext& context)
{
  FirstFailure setup, bad;
  OutputStats total;
  ForEachSubject(context, setup,
                 [&](Subject& s, std::size_t, const SignalSetting&)
                 {
                   AudioBlock block(std::max(s.ins, s.outs), 512);
                   std::vector<float> previous(s.outs, std::numeric_limits<float>::quiet_NaN());
                   for (const float rate : {kRate, 96000.0f, 44100.0f})
                   {
                     // A live instance told of a new rate, as after a session change.
                     s.instance->Controller().SetSampleRate(rate);
                     OutputStats stats;
                     for (int call = 0; call < 20; ++call)
                     {
                       FillNoise(context.random, block, 512, 0.5);
                       s.instance->Render(block.Inputs(), block.Outputs(), 512);
                       Count(context, 512);
                       for (std::size_t c = 0; c < s.outs; ++c)
                         stats.Add(block.Out(c), 512, previous[c]);
                     }
                     total.samples += stats.samples;
                     if (stats.nonFinite + stats.subnormal > 0)
                       bad.Note(s.where + ": after a change to " +
                                std::to_string(static_cast<int>(rate)) + " Hz, " +
                                std::to_string(stats.nonFinite + stats.subnormal) +
                                " non-finite or subnormal samples");
                   }
                 });
  context.Check(kGroup, "a sample-rate change on a live instance keeps the output sound",
                setup.Empty() && bad.Empty() && total.samples > 0,
                setup.Or(bad.Or("finite, normal output at 48000, 96000 and 44100 Hz")),
                {{"samples", static_cast<double>(total.samples)}});
}

// The calling thread's own time where the system keeps it (the machine's
// other work then does not count), else the clock.
double ThreadSeconds()
{
#if defined(__linux__)
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
#else
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#endif
}

#if defined(__linux__)
constexpr const char* kTimeSource = "the thread's own time";
#else
constexpr const char* kTimeSource = "the clock";
#endif

// Renders both instances through their blocks in 256-frame pieces, taking
// turns piece by piece, and adds each piece's time to its fastest so far:
// a moment the machine is busy spoils a piece of one pass, not the sum.
void TimePieces(aaxhost::HostInstance& a, AudioBlock& aBlock, std::vector<double>& aFastest,
                aaxhost::HostInstance& b, AudioBlock& bBlock, std::vector<double>& bFastest)
{
  for (std::size_t k = 0; k < aFastest.size(); ++k)
  {
    const int at = static_cast<int>(k) * 256;
    double start = ThreadSeconds();
    RenderPiece(a, aBlock, at, 256);
    double middle = ThreadSeconds();
    aFastest[k] = std::min(aFastest[k], middle - start);
    RenderPiece(b, bBlock, at, 256);
    bFastest[k] = std::min(bFastest[k], ThreadSeconds() - middle);
  }
}

void CheckSubnormalInput(ValidationContext& context)
{
  const int frames = context.options.Full() ? 48000 : 24576;
  const int passes = context.options.Full() ? 9 : 7;
  FirstFailure setup, subnormalOut, slow;
  double worstRatio = 0.0;
  ForEachPair(context, setup,
              [&](Subject& normal, Subject& tiny)
              {
                const std::size_t channels = std::max(normal.ins, normal.outs);
                AudioBlock normalBlock(channels, static_cast<std::size_t>(frames));
                AudioBlock tinyBlock(channels, static_cast<std::size_t>(frames));
                FillNoise(context.random, normalBlock, frames, 0.5);
                for (std::size_t c = 0; c < channels; ++c)
                  for (int i = 0; i < frames; ++i)
                  {
                    // Every input sample subnormal: ±(1..1000) × the smallest one.
                    const float unit = std::numeric_limits<float>::denorm_min();
                    tinyBlock.In(c)[i] = unit * static_cast<float>(1 + context.random.Below(1000)) *
                                         (context.random.Below(2) ? 1.0f : -1.0f);
                  }
                const std::size_t pieces = static_cast<std::size_t>(frames / 256);
                std::vector<double> normalFastest(pieces, std::numeric_limits<double>::infinity());
                std::vector<double> tinyFastest(pieces, std::numeric_limits<double>::infinity());
                // A busy machine can spoil every pass of a piece; a module that
                // really slows down stays slow however often it is timed, so a
                // ratio over the limit is timed again (twice at most) before it counts.
                double ratio = std::numeric_limits<double>::infinity();
                for (int attempt = 0; attempt < kTimingAttempts && !(ratio <= kSubnormalTimeRatio);
                     ++attempt)
                {
                  for (int round = 0; round < passes; ++round)
                  {
                    TimePieces(*normal.instance, normalBlock, normalFastest, *tiny.instance,
                               tinyBlock, tinyFastest);
                    Count(context, 2 * frames);
                    OutputStats stats;
                    for (std::size_t c = 0; c < tiny.outs; ++c)
                    {
                      float previous = std::numeric_limits<float>::quiet_NaN();
                      stats.Add(tinyBlock.Out(c), frames / 256 * 256, previous);
                    }
                    if (stats.subnormal + stats.nonFinite > 0)
                      subnormalOut.Note(tiny.where + ": " + std::to_string(stats.subnormal) +
                                        " subnormal and " + std::to_string(stats.nonFinite) +
                                        " non-finite output samples from subnormal input");
                  }
                  double normalTime = 0.0;
                  double tinyTime = 0.0;
                  for (std::size_t k = 0; k < pieces; ++k)
                  {
                    normalTime += normalFastest[k];
                    tinyTime += tinyFastest[k];
                  }
                  ratio = tinyTime / std::max(normalTime, 1e-9);
                }
                worstRatio = std::max(worstRatio, ratio);
                if (!(ratio <= kSubnormalTimeRatio))
                  slow.Note(tiny.where + ": subnormal input took " + std::to_string(ratio) +
                            " times as long as normal input");
              });
  context.Check(kGroup, "subnormal input gives no subnormal output",
                setup.Empty() && subnormalOut.Empty(),
                setup.Or(subnormalOut.Or("every output sample normal or zero")));
  context.Check(
      kGroup, "subnormal input costs at most 1.5 times normal input", setup.Empty() && slow.Empty(),
      setup.Or(slow.Or("each 256-frame piece's fastest of " + std::to_string(passes) + " passes (" +
                       kTimeSource + "; up to " + std::to_string(kTimingAttempts * passes) +
                       " when over the limit), summed and compared")),
      {{"largest time ratio", worstRatio},
       {"limit", kSubnormalTimeRatio},
       {"frames per pass", static_cast<double>(frames)}});
}
} // namespace

void RunBufferChecks(ValidationContext& context)
{
  const std::size_t assertionsBefore = context.session.AssertionCount();
  CheckInputUntouched(context);
  CheckInPlace(context);
  CheckZeroFrames(context);
  CheckLargeBlocks(context);
  CheckRateChange(context);
  CheckSubnormalInput(context);
  context.CheckNoNewAssertion(kGroup, "with unusual buffers", assertionsBefore);
}

} // namespace plughost
