// Group 6: latency. The impulse response peaks exactly at the latency the
// effect reports; with the host's compensation the output lines up with the
// dry input; the host's bypass passes the input delayed by the reported
// latency, bit-exactly. With a profile: each setting reports the latency the
// profile names, the dry value gives the dry input delayed by that latency and
// the effect's own bypass value passes the input bit-exactly.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <cmath>

namespace plughost
{
namespace
{
constexpr int kGroup = 6;
constexpr float kRate = 48000.0f;
constexpr int kFrames = 2048;

// Renders one block of kFrames after a block of silence that lets the effect
// report its latency; returns the latency it reported.
std::int32_t RenderAfterSilence(ValidationContext& context, aaxhost::HostInstance& instance,
                                AudioBlock& block)
{
  AudioBlock silence(block.Channels(), 256);
  instance.Render(silence.Inputs(), silence.Outputs(), 256);
  std::int32_t latency = -1;
  instance.Controller().SignalLatency(&latency);
  instance.Render(block.Inputs(), block.Outputs(), kFrames);
  context.report.Work().framesProcessed += 256 + kFrames;
  context.report.Work().renderCalls += 2;
  return latency;
}

void FillNoise(ValidationContext& context, AudioBlock& block, std::size_t channels,
               double amplitude)
{
  for (std::size_t c = 0; c < channels; ++c)
    for (int i = 0; i < kFrames; ++i)
      block.In(c)[i] = static_cast<float>(amplitude * (context.random.Uniform() * 2.0 - 1.0));
}
// What the latency checks saw over every component and setting.
struct LatencyFindings
{
  FirstFailure setup, report, impulse, align, dry, bypass, hostBypass, resume;
  ValidationContext::Numbers latencies;
  double worstDry = 0.0;
  int impulses = 0;
  int resumes = 0;
};

// One component and setting: a fresh instance for each check.
struct LatencyCell
{
  ValidationContext& context;
  std::size_t component;
  const SignalSetting& setting;
  LatencyFindings& findings;
  std::string where;

  std::unique_ptr<aaxhost::HostInstance> Make()
  {
    auto instance = context.Instance(component, kRate, setting, findings.setup);
    if (instance && where.empty())
      where = std::to_string(ValidationSession::OutputChannels(*instance)) +
              "-channel component, " + setting.name;
    return instance;
  }
  static std::size_t Channels(aaxhost::HostInstance& instance)
  {
    return std::max(ValidationSession::InputChannels(instance),
                    ValidationSession::OutputChannels(instance));
  }
};

// The impulse, raw: its peak is where the host is told it is; with a profile,
// the latency is the one it names for the setting.
void ImpulseAtReportedLatency(LatencyCell& cell)
{
  auto instance = cell.Make();
  if (!instance) return;
  const std::size_t outs = ValidationSession::OutputChannels(*instance);
  AudioBlock block(LatencyCell::Channels(*instance), kFrames);
  for (std::size_t c = 0; c < ValidationSession::InputChannels(*instance); ++c)
    block.In(c)[0] = 0.25f;
  const std::int32_t latency = RenderAfterSilence(cell.context, *instance, block);
  cell.findings.latencies.push_back({"latency, " + cell.where, latency});
  const auto& expected = cell.context.profile.latencies;
  if (!expected.empty())
  {
    const std::int32_t want =
        cell.setting.index < expected.size() ? expected[cell.setting.index] : expected.back();
    if (latency != want)
      cell.findings.report.Note(cell.where + ": reported " + std::to_string(latency) +
                                ", expected " + std::to_string(want));
  }
  for (std::size_t c = 0; c < outs; ++c)
  {
    const float* out = block.Out(c);
    const auto peak = std::max_element(out, out + kFrames,
                                       [](float a, float b) { return std::abs(a) < std::abs(b); });
    ++cell.findings.impulses;
    if (peak - out != latency)
      cell.findings.impulse.Note(cell.where + ", channel " + std::to_string(c) + ": peak at " +
                                 std::to_string(peak - out) + ", reported latency " +
                                 std::to_string(latency));
  }
}

// With the host's compensation (the output read `latency` samples later),
// noise in and out correlate best at lag 0.
void CompensatedOutputAligns(LatencyCell& cell)
{
  auto instance = cell.Make();
  if (!instance) return;
  AudioBlock block(LatencyCell::Channels(*instance), kFrames);
  FillNoise(cell.context, block, ValidationSession::InputChannels(*instance), 0.1);
  const std::int32_t compensation = RenderAfterSilence(cell.context, *instance, block);
  int bestLag = 0;
  double best = -1.0;
  for (int lag = -32; lag <= 32; ++lag)
  {
    double sum = 0.0;
    for (int i = 64; i + compensation + lag < kFrames && i < kFrames - 64; ++i)
      sum += static_cast<double>(block.In(0)[i]) * block.Out(0)[i + compensation + lag];
    if (std::abs(sum) > best)
    {
      best = std::abs(sum);
      bestLag = lag;
    }
  }
  if (bestLag != 0)
    cell.findings.align.Note(cell.where + ": compensated by " + std::to_string(compensation) +
                             ", the output lines up with the input at lag " +
                             std::to_string(bestLag));
}

// The profile's dry value: the dry input delayed by the latency.
void DryValueIsDelayedInput(LatencyCell& cell, const std::string& dryId)
{
  auto instance = cell.Make();
  if (!instance) return;
  instance->Effect().ApplyHostParamValue(dryId.c_str(), cell.context.profile.dryValue, 1);
  AudioBlock block(LatencyCell::Channels(*instance), kFrames);
  FillNoise(cell.context, block, ValidationSession::InputChannels(*instance), 0.5);
  const std::int32_t delay = RenderAfterSilence(cell.context, *instance, block);
  double worst = 0.0;
  for (std::size_t c = 0; c < ValidationSession::OutputChannels(*instance); ++c)
    for (int i = 0; i < kFrames; ++i)
    {
      const double dry = i >= delay ? block.In(c)[i - delay] : 0.0;
      worst = std::max(worst, std::abs(block.Out(c)[i] - dry));
    }
  cell.findings.worstDry = std::max(cell.findings.worstDry, worst);
  if (!(worst <= 1e-6))
    cell.findings.dry.Note(cell.where + ": the dry value differs from the input delayed by " +
                           std::to_string(delay) + " by up to " + std::to_string(worst));
}

// The profile's bypass value of the effect's own parameter: the input, bit-exactly.
void EffectBypassPassesInput(LatencyCell& cell, const std::string& bypassId)
{
  auto instance = cell.Make();
  if (!instance) return;
  instance->Effect().ApplyHostParamValue(bypassId.c_str(), cell.context.profile.bypassValue, 1);
  AudioBlock block(LatencyCell::Channels(*instance), kFrames);
  FillNoise(cell.context, block, ValidationSession::InputChannels(*instance), 0.9);
  RenderAfterSilence(cell.context, *instance, block);
  for (std::size_t c = 0; c < ValidationSession::OutputChannels(*instance); ++c)
    for (int i = 0; i < kFrames; ++i)
      if (block.Out(c)[i] != block.In(c)[i])
      {
        cell.findings.bypass.Note(cell.where + ": the bypassed output differs at sample " +
                                  std::to_string(i));
        return;
      }
}

// The host's bypass: the input delayed by the reported latency, bit-exactly;
// clearing it brings the effect back.
void HostBypassPassesDelayedInput(LatencyCell& cell)
{
  auto instance = cell.Make();
  if (!instance) return;
  ValidationContext& context = cell.context;
  const std::string& masterId = context.session.MasterBypassId();
  AudioBlock block(LatencyCell::Channels(*instance), kFrames);
  AudioBlock warm(block.Channels(), 256);
  instance->Render(warm.Inputs(), warm.Outputs(), 256);
  std::int32_t delay = 0;
  instance->Controller().SignalLatency(&delay);
  const AAX_Result bypassed = instance->Effect().ApplyHostParamValue(masterId.c_str(), 1.0, 1);
  const std::size_t ins = ValidationSession::InputChannels(*instance);
  const std::size_t outs = ValidationSession::OutputChannels(*instance);
  FillNoise(context, block, ins, 0.9);
  instance->Render(block.Inputs(), block.Outputs(), kFrames);
  context.report.Work().framesProcessed += 256 + kFrames;
  auto isDelayedInput = [&](std::size_t c, int i)
  { return block.Out(c)[i] == (i >= delay ? block.In(c)[i - delay] : 0.0f); };
  if (bypassed != AAX_SUCCESS)
    cell.findings.hostBypass.Note(cell.where + ": the master bypass answered " +
                                  std::to_string(bypassed));
  for (std::size_t c = 0; c < outs && cell.findings.hostBypass.Empty(); ++c)
    for (int i = 0; i < kFrames; ++i)
      if (!isDelayedInput(c, i))
      {
        cell.findings.hostBypass.Note(cell.where +
                                      ": host bypass output differs from the input delayed by " +
                                      std::to_string(delay) + " at sample " + std::to_string(i));
        break;
      }

  instance->Effect().ApplyHostParamValue(masterId.c_str(), 0.0, 1);
  FillNoise(context, block, ins, 0.9);
  instance->Render(block.Inputs(), block.Outputs(), kFrames);
  context.report.Work().framesProcessed += kFrames;
  ++cell.findings.resumes;
  bool differs = false;
  for (std::size_t c = 0; c < outs && !differs; ++c)
    for (int i = 0; i < kFrames && !differs; ++i)
      differs = !isDelayedInput(c, i);
  if (!differs)
    cell.findings.resume.Note(cell.where + ": after the host's bypass was cleared the output is "
                                           "still the delayed input");
}
} // namespace

void RunLatencyChecks(ValidationContext& context)
{
  ValidationSession& session = context.session;
  const ValidationProfile& profile = context.profile;
  const std::string dryId = context.ProfileParameterId(profile.dryParameter);
  const std::string bypassId = context.ProfileParameterId(profile.bypassParameter);
  const std::size_t components = context.options.Full() ? session.ComponentCount() : 1;
  const std::size_t assertionsBefore = session.AssertionCount();
  LatencyFindings findings;
  for (std::size_t pass = 0; pass < components; ++pass)
    for (const SignalSetting& setting : context.Settings())
    {
      // The last (widest) component first: the one most sessions use.
      LatencyCell cell{context, session.ComponentCount() - 1 - pass, setting, findings, {}};
      ImpulseAtReportedLatency(cell);
      CompensatedOutputAligns(cell);
      if (!dryId.empty()) DryValueIsDelayedInput(cell, dryId);
      if (!bypassId.empty()) EffectBypassPassesInput(cell, bypassId);
      HostBypassPassesDelayedInput(cell);
    }

  context.Check(kGroup, "latency checks run", findings.setup, "");
  if (!profile.latencies.empty())
    context.Check(kGroup, "each setting reports the profile's latency", findings.report,
                  "as expected", findings.latencies);
  else
    context.Skip(kGroup, "each setting reports the profile's latency",
                 "no profile names the expected latencies");
  context.Check(kGroup, "impulse peaks at the reported latency",
                findings.impulse.Empty() && findings.impulses > 0,
                findings.impulse.Or("every channel, every setting"),
                {{"impulses", static_cast<double>(findings.impulses)}});
  context.Check(kGroup, "compensated output lines up with the input", findings.align,
                "correlation peaks at lag 0");
  if (!dryId.empty())
    context.Check(kGroup, "the dry value nulls against the delayed dry input", findings.dry,
                  "within 1e-6", {{"largest difference", findings.worstDry}});
  else
    context.Skip(kGroup, "the dry value nulls against the delayed dry input",
                 "no profile names a dry parameter the module has");
  if (!bypassId.empty())
    context.Check(kGroup, "the effect's bypass passes the input bit-exactly", findings.bypass,
                  "identical samples");
  else
    context.Skip(kGroup, "the effect's bypass passes the input bit-exactly",
                 "no profile names a bypass parameter the module has");
  context.Check(kGroup, "host bypass passes the input delayed by the latency", findings.hostBypass,
                "identical samples after the reported delay");
  context.Check(kGroup, "clearing the host bypass resumes processing",
                findings.resume.Empty() && findings.resumes > 0,
                findings.resume.Or("the output is processed again"),
                {{"resumes", static_cast<double>(findings.resumes)}});
  context.CheckNoNewAssertion(kGroup, "during latency checks", assertionsBefore);
}

} // namespace plughost
