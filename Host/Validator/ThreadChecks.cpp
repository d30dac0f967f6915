// Group 7: threads. A second thread changes parameters and saves and loads
// state while the rendering thread renders 10 000 blocks of 32 frames; then
// the same single-threaded work twice must give identical output.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/OutputStats.h"
#include "Host/Validator/ValidationContext.h"

#include <atomic>
#include <cstring>
#include <limits>
#include <thread>

namespace plughost
{
namespace
{
constexpr int kGroup = 7;
constexpr int kBlocks = 10000;
constexpr int kBlock = 32;

void FillNoise(AudioBlock& block, std::size_t channels, ValidationRandom& random)
{
  for (std::size_t c = 0; c < channels; ++c)
    for (int i = 0; i < kBlock; ++i)
      block.In(c)[i] = static_cast<float>(0.8 * (random.Uniform() * 2.0 - 1.0));
}

// The single-threaded work: parameter changes between render calls at fixed
// places; the output of every call appended to out.
bool RenderScripted(ValidationSession& session, std::size_t component, std::uint64_t seed,
                    std::vector<float>& out, CheckReport& report)
{
  std::string error;
  auto instance = session.MakeInstance(component, 48000.0f, error);
  if (!instance) return false;
  ValidationRandom random(seed);
  const std::size_t ins = ValidationSession::InputChannels(*instance);
  const std::size_t outs = ValidationSession::OutputChannels(*instance);
  AudioBlock block(std::max(ins, outs), kBlock);
  const auto& parameters = session.Parameters();
  for (int b = 0; b < 2000; ++b)
  {
    if (b % 10 == 0 && !parameters.empty())
    {
      const auto& parameter = parameters[random.Below(parameters.size())];
      instance->Effect().ApplyHostParamValue(parameter.id.c_str(), random.Uniform(), 1);
      ++report.Work().parameterChanges;
    }
    FillNoise(block, ins, random);
    if (instance->Render(block.Inputs(), block.Outputs(), kBlock) != AAX_SUCCESS) return false;
    ++report.Work().renderCalls;
    report.Work().framesProcessed += kBlock;
    for (std::size_t c = 0; c < outs; ++c)
      out.insert(out.end(), block.Out(c), block.Out(c) + kBlock);
  }
  return true;
}
} // namespace

void RunThreadChecks(ValidationContext& context)
{
  ValidationSession& session = context.session;
  const std::size_t component = session.ComponentCount() - 1;
  const std::size_t assertionsBefore = session.AssertionCount();
  std::string error;
  auto instance = session.MakeInstance(component, 48000.0f, error);
  if (!instance)
  {
    context.Check(kGroup, "rendering while another thread changes parameters and state", false,
                  error);
    return;
  }
  const std::size_t ins = ValidationSession::InputChannels(*instance);
  const std::size_t outs = ValidationSession::OutputChannels(*instance);
  AudioBlock block(std::max(ins, outs), kBlock);
  const auto& parameters = session.Parameters();
  const AAX_CTypeID chunkId = session.StateChunkId();

  std::atomic<bool> done{false};
  std::atomic<std::int64_t> changes{0};
  std::atomic<std::int64_t> chunkCalls{0};
  std::atomic<std::int64_t> refusedChunks{0};
  std::atomic<std::int64_t> rounds{0};
  const std::uint64_t controlSeed = context.random.Next();
  // The host's parameter thread: automation and session saves and loads.
  std::thread control(
      [&]
      {
        ValidationRandom random(controlSeed);
        AAX_IEffectParameters& effect = instance->Effect();
        std::vector<unsigned char> saved;
        while (!done.load(std::memory_order_acquire))
        {
          for (int i = 0; i < 8 && !parameters.empty(); ++i)
          {
            const auto& parameter = parameters[random.Below(parameters.size())];
            effect.ApplyHostParamValue(parameter.id.c_str(), random.Uniform(), 1);
            changes.fetch_add(1, std::memory_order_relaxed);
          }
          if (chunkId != 0)
          {
            if (ValidationSession::SaveChunk(effect, chunkId, saved) != AAX_SUCCESS)
              refusedChunks.fetch_add(1, std::memory_order_relaxed);
            else if (ValidationSession::LoadChunk(effect, chunkId, saved) != AAX_SUCCESS)
              refusedChunks.fetch_add(1, std::memory_order_relaxed);
            chunkCalls.fetch_add(2, std::memory_order_relaxed);
          }
          rounds.fetch_add(1, std::memory_order_release);
          std::this_thread::yield();
        }
      });
  OutputStats stats;
  std::vector<float> previous(outs, std::numeric_limits<float>::quiet_NaN());
  bool rendered = true;
  for (int b = 0; b < kBlocks; ++b)
  {
    // Keeps the two threads overlapping for the whole run: at least one round
    // of changes and chunk calls for every ten blocks, however fast either is.
    while (rounds.load(std::memory_order_acquire) < b / 10)
      std::this_thread::yield();
    FillNoise(block, ins, context.random);
    if (instance->Render(block.Inputs(), block.Outputs(), kBlock) != AAX_SUCCESS) rendered = false;
    for (std::size_t c = 0; c < outs; ++c)
      stats.Add(block.Out(c), kBlock, previous[c]);
  }
  done.store(true, std::memory_order_release);
  control.join();
  context.report.Work().renderCalls += kBlocks;
  context.report.Work().framesProcessed += static_cast<std::int64_t>(kBlocks) * kBlock;
  context.report.Work().parameterChanges += changes.load();

  // After the storm the instance still saves a state that restores exactly.
  std::string stateFailure;
  if (chunkId != 0)
  {
    std::vector<unsigned char> bytes;
    auto fresh = session.MakeInstance(component, 48000.0f, error);
    std::vector<unsigned char> again;
    if (!fresh || ValidationSession::SaveChunk(instance->Effect(), chunkId, bytes) != 0 ||
        ValidationSession::LoadChunk(fresh->Effect(), chunkId, bytes) != 0)
      stateFailure = "the state could not be saved or restored afterwards";
    else
    {
      const std::vector<double> restored = session.Values(fresh->Effect());
      const std::vector<double> held = session.Values(instance->Effect());
      for (std::size_t p = 0; p < held.size() && stateFailure.empty(); ++p)
        if (restored[p] != held[p])
          stateFailure = "parameter " + std::to_string(p + 1) + " restored as " +
                         std::to_string(restored[p]) + ", held " + std::to_string(held[p]);
      if (stateFailure.empty() &&
          (ValidationSession::SaveChunk(fresh->Effect(), chunkId, again) != 0 || again != bytes))
        stateFailure = "the state saved afterwards does not save again identically";
    }
  }
  const std::size_t assertions = session.AssertionCount() - assertionsBefore;
  const bool passed = rendered && stats.nonFinite == 0 && refusedChunks.load() == 0 &&
                      stateFailure.empty() && assertions == 0;
  std::string reason = "output finite, every chunk call answered, state consistent afterwards";
  if (!rendered)
    reason = "a render call failed";
  else if (stats.nonFinite != 0)
    reason = std::to_string(stats.nonFinite) + " non-finite output samples";
  else if (refusedChunks.load() != 0)
    reason = std::to_string(refusedChunks.load()) + " chunk calls refused";
  else if (!stateFailure.empty())
    reason = stateFailure;
  else if (assertions != 0)
    reason = "assertion: " + session.LastAssertion();
  context.Check(kGroup, "rendering while another thread changes parameters and state", passed,
                reason,
                {{"blocks", kBlocks},
                 {"frames per block", kBlock},
                 {"parameter changes", static_cast<double>(changes.load())},
                 {"chunk calls", static_cast<double>(chunkCalls.load())},
                 {"assertions", static_cast<double>(assertions)}});

  // Single-threaded: the same work twice, the same bytes.
  const std::uint64_t seed = context.random.Next();
  std::vector<float> first;
  std::vector<float> second;
  const bool ran = RenderScripted(session, component, seed, first, context.report) &&
                   RenderScripted(session, component, seed, second, context.report);
  const bool identical =
      ran && first.size() == second.size() &&
      std::memcmp(first.data(), second.data(), first.size() * sizeof(float)) == 0;
  context.Check(kGroup, "single-threaded work is deterministic", identical,
                !ran        ? "the work could not be rendered"
                : identical ? "two runs gave identical bytes"
                            : "two runs differ",
                {{"samples", static_cast<double>(first.size())}});
}

} // namespace plughost
