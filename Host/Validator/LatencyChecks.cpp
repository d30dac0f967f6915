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
} // namespace

void RunLatencyChecks(ValidationContext& context)
{
  ValidationSession& session = context.session;
  const ValidationProfile& profile = context.profile;
  const std::string mixId = context.ProfileParameterId(profile.dryParameter);
  const std::string bypassId = context.ProfileParameterId(profile.bypassParameter);
  const std::vector<SignalSetting> settings = context.Settings();
  const bool expectLatencies = !profile.latencies.empty();
  const std::size_t components = context.options.Full() ? session.ComponentCount() : 1;
  const std::size_t assertionsBefore = session.AssertionCount();

  FirstFailure impulseFailure, alignFailure, mixFailure, bypassFailure, hostBypassFailure,
      reportFailure, setupFailure, resumeFailure;
  ValidationContext::Numbers latencies;
  double worstMix = 0.0;
  int resumes = 0;
  int impulses = 0;
  for (std::size_t pass = 0; pass < components; ++pass)
  {
    const std::size_t component = session.ComponentCount() - 1 - pass;
    for (const SignalSetting& setting : settings)
    {
      auto make = [&] { return context.Instance(component, kRate, setting, setupFailure); };
      const std::string where =
          std::to_string(pass == 0 ? 2 : 1) + "-channel component, " + setting.name;

      // The impulse, raw: its peak is where the host is told it is.
      auto instance = make();
      if (!instance) continue;
      const std::size_t channels = ValidationSession::InputChannels(*instance);
      const std::size_t outs = ValidationSession::OutputChannels(*instance);
      AudioBlock block(std::max(channels, outs), kFrames);
      for (std::size_t c = 0; c < channels; ++c)
        block.In(c)[0] = 0.25f;
      const std::int32_t latency = RenderAfterSilence(context, *instance, block);
      latencies.push_back({"latency, " + setting.name, latency});
      if (expectLatencies)
      {
        const std::int32_t expected = setting.index < profile.latencies.size()
                                          ? profile.latencies[setting.index]
                                          : profile.latencies.back();
        if (latency != expected)
          reportFailure.Note(where + ": reported " + std::to_string(latency) + ", expected " +
                             std::to_string(expected));
      }
      for (std::size_t c = 0; c < outs; ++c)
      {
        const float* out = block.Out(c);
        const auto peak = std::max_element(
            out, out + kFrames, [](float a, float b) { return std::abs(a) < std::abs(b); });
        ++impulses;
        if (peak - out != latency)
          impulseFailure.Note(where + ", channel " + std::to_string(c) + ": peak at " +
                              std::to_string(peak - out) + ", reported latency " +
                              std::to_string(latency));
      }

      // With the host's compensation (the output read `latency` samples
      // later), noise in and out correlate best at lag 0.
      instance = make();
      if (!instance) continue;
      FillNoise(context, block, channels, 0.1);
      const std::int32_t compensation = RenderAfterSilence(context, *instance, block);
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
        alignFailure.Note(where + ": compensated by " + std::to_string(compensation) +
                          ", the output lines up with the input at lag " + std::to_string(bestLag));

      // The dry value: the dry input delayed by the latency.
      if (!mixId.empty())
      {
        instance = make();
        if (!instance) continue;
        instance->Effect().ApplyHostParamValue(mixId.c_str(), profile.dryValue, 1);
        FillNoise(context, block, channels, 0.5);
        const std::int32_t delay = RenderAfterSilence(context, *instance, block);
        for (std::size_t c = 0; c < outs; ++c)
          for (int i = 0; i < kFrames; ++i)
          {
            const double dry = i >= delay ? block.In(c)[i - delay] : 0.0;
            worstMix = std::max(worstMix, std::abs(block.Out(c)[i] - dry));
          }
        if (!(worstMix <= 1e-6))
          mixFailure.Note(where + ": the dry value differs from the input delayed by " +
                          std::to_string(delay) + " by up to " + std::to_string(worstMix));
      }

      // The effect's own bypass value: the input, bit-exactly.
      if (!bypassId.empty())
      {
        instance = make();
        if (!instance) continue;
        instance->Effect().ApplyHostParamValue(bypassId.c_str(), profile.bypassValue, 1);
        FillNoise(context, block, channels, 0.9);
        RenderAfterSilence(context, *instance, block);
        for (std::size_t c = 0; c < outs && bypassFailure.Empty(); ++c)
          for (int i = 0; i < kFrames; ++i)
            if (block.Out(c)[i] != block.In(c)[i])
            {
              bypassFailure.Note(where + ": the bypassed output differs at sample " +
                                 std::to_string(i));
              break;
            }
      }

      // The host's bypass: the input delayed by the reported latency, bit-exactly.
      instance = make();
      if (!instance) continue;
      AudioBlock warm(block.Channels(), 256);
      instance->Render(warm.Inputs(), warm.Outputs(), 256);
      std::int32_t delay = 0;
      instance->Controller().SignalLatency(&delay);
      const AAX_Result bypassed =
          instance->Effect().ApplyHostParamValue(session.MasterBypassId().c_str(), 1.0, 1);
      FillNoise(context, block, channels, 0.9);
      instance->Render(block.Inputs(), block.Outputs(), kFrames);
      context.report.Work().framesProcessed += 256 + kFrames;
      if (bypassed != AAX_SUCCESS)
        hostBypassFailure.Note(where + ": the master bypass answered " + std::to_string(bypassed));
      for (std::size_t c = 0; c < outs && hostBypassFailure.Empty(); ++c)
        for (int i = 0; i < kFrames; ++i)
        {
          const float want = i >= delay ? block.In(c)[i - delay] : 0.0f;
          if (block.Out(c)[i] != want)
          {
            hostBypassFailure.Note(where +
                                   ": host bypass output differs from the input delayed by " +
                                   std::to_string(delay) + " at sample " + std::to_string(i));
            break;
          }
        }

      // Leaving the host's bypass brings the effect back: the output is no
      // longer the delayed input.
      instance->Effect().ApplyHostParamValue(session.MasterBypassId().c_str(), 0.0, 1);
      FillNoise(context, block, channels, 0.9);
      instance->Render(block.Inputs(), block.Outputs(), kFrames);
      context.report.Work().framesProcessed += kFrames;
      ++resumes;
      bool differs = false;
      for (std::size_t c = 0; c < outs && !differs; ++c)
        for (int i = 0; i < kFrames && !differs; ++i)
          differs = block.Out(c)[i] != (i >= delay ? block.In(c)[i - delay] : 0.0f);
      if (!differs)
        resumeFailure.Note(where + ": after the host's bypass was cleared the output is still the "
                                   "delayed input");
    }
  }

  context.Check(kGroup, "latency checks run", setupFailure, "");
  if (expectLatencies)
    context.Check(kGroup, "each setting reports the profile's latency", reportFailure,
                  "as expected", latencies);
  else
    context.Skip(kGroup, "each setting reports the profile's latency",
                 "no profile names the expected latencies");
  context.Check(kGroup, "impulse peaks at the reported latency",
                impulseFailure.Empty() && impulses > 0,
                impulseFailure.Or("every channel, every setting"),
                {{"impulses", static_cast<double>(impulses)}});
  context.Check(kGroup, "compensated output lines up with the input", alignFailure,
                "correlation peaks at lag 0");
  if (!mixId.empty())
    context.Check(kGroup, "the dry value nulls against the delayed dry input", mixFailure,
                  "within 1e-6", {{"largest difference", worstMix}});
  else
    context.Skip(kGroup, "the dry value nulls against the delayed dry input",
                 "no profile names a dry parameter the module has");
  if (!bypassId.empty())
    context.Check(kGroup, "the effect's bypass passes the input bit-exactly", bypassFailure,
                  "identical samples");
  else
    context.Skip(kGroup, "the effect's bypass passes the input bit-exactly",
                 "no profile names a bypass parameter the module has");
  context.Check(kGroup, "host bypass passes the input delayed by the latency", hostBypassFailure,
                "identical samples after the reported delay");
  context.Check(kGroup, "clearing the host bypass resumes processing",
                resumeFailure.Empty() && resumes > 0,
                resumeFailure.Or("the output is processed again"),
                {{"resumes", static_cast<double>(resumes)}});
  context.CheckNoNewAssertion(kGroup, "during latency checks", assertionsBefore);
}

} // namespace plughost
