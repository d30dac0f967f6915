// Group 6: latency. The impulse response peaks exactly at the latency the
// effect reports; with the host's compensation the output lines up with the
// dry input; Mix 0 is the dry input delayed by that latency; the effect's own
// Bypass (engage 0) and the host's bypass pass the input bit-exactly, the
// host's delayed by the reported latency.

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

struct Setting
{
  bool oversampled;
  const char* Name() const { return oversampled ? "oversampling on" : "oversampling off"; }
};

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
  const std::string oversamplingId = session.IdOf("Oversampling");
  const std::string mixId = session.IdOf("Mix");
  const std::string bypassId = session.IdOf("Bypass");
  std::vector<Setting> settings = {{false}};
  if (!oversamplingId.empty()) settings.push_back({true});
  const std::size_t components = context.options.Full() ? session.ComponentCount() : 1;
  const std::size_t assertionsBefore = session.AssertionCount();

  std::string impulseFailure, alignFailure, mixFailure, bypassFailure, hostBypassFailure,
      reportFailure, setupFailure;
  ValidationContext::Numbers latencies;
  double worstMix = 0.0;
  int resumes = 0;
  std::string resumeFailure;
  int impulses = 0;
  for (std::size_t pass = 0; pass < components; ++pass)
  {
    const std::size_t component = session.ComponentCount() - 1 - pass;
    for (const Setting setting : settings)
    {
      auto make = [&]() -> std::unique_ptr<aaxhost::HostInstance>
      {
        std::string error;
        auto instance = session.MakeInstance(component, kRate, error);
        if (!instance)
        {
          if (setupFailure.empty()) setupFailure = error;
          return nullptr;
        }
        if (!oversamplingId.empty())
          instance->Effect().ApplyHostParamValue(oversamplingId.c_str(),
                                                 setting.oversampled ? 1.0 : 0.0, 1);
        return instance;
      };
      const std::string where =
          std::to_string(pass == 0 ? 2 : 1) + "-channel component, " + setting.Name();

      // The impulse, raw: its peak is where the host is told it is.
      auto instance = make();
      if (!instance) continue;
      const std::size_t channels = ValidationSession::InputChannels(*instance);
      const std::size_t outs = ValidationSession::OutputChannels(*instance);
      AudioBlock block(std::max(channels, outs), kFrames);
      for (std::size_t c = 0; c < channels; ++c)
        block.In(c)[0] = 0.25f;
      const std::int32_t latency = RenderAfterSilence(context, *instance, block);
      latencies.push_back({"latency, " + std::string(setting.Name()), latency});
      if (!oversamplingId.empty())
      {
        const std::int32_t expected = setting.oversampled ? 64 : 0;
        if (latency != expected && reportFailure.empty())
          reportFailure = where + ": reported " + std::to_string(latency) + ", expected " +
                          std::to_string(expected);
      }
      for (std::size_t c = 0; c < outs; ++c)
      {
        const float* out = block.Out(c);
        const auto peak = std::max_element(
            out, out + kFrames, [](float a, float b) { return std::abs(a) < std::abs(b); });
        ++impulses;
        if (peak - out != latency && impulseFailure.empty())
          impulseFailure = where + ", channel " + std::to_string(c) + ": peak at " +
                           std::to_string(peak - out) + ", reported latency " +
                           std::to_string(latency);
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
      if (bestLag != 0 && alignFailure.empty())
        alignFailure = where + ": compensated by " + std::to_string(compensation) +
                       ", the output lines up with the input at lag " + std::to_string(bestLag);

      // Mix 0: the dry input delayed by the latency.
      if (!mixId.empty())
      {
        instance = make();
        if (!instance) continue;
        instance->Effect().ApplyHostParamValue(mixId.c_str(), 0.0, 1);
        FillNoise(context, block, channels, 0.5);
        const std::int32_t delay = RenderAfterSilence(context, *instance, block);
        for (std::size_t c = 0; c < outs; ++c)
          for (int i = 0; i < kFrames; ++i)
          {
            const double dry = i >= delay ? block.In(c)[i - delay] : 0.0;
            worstMix = std::max(worstMix, std::abs(block.Out(c)[i] - dry));
          }
        if (!(worstMix <= 1e-6) && mixFailure.empty())
          mixFailure = where + ": Mix 0 differs from the input delayed by " +
                       std::to_string(delay) + " by up to " + std::to_string(worstMix);
      }

      // The effect's own Bypass (engage 0): the input, bit-exactly.
      if (!bypassId.empty())
      {
        instance = make();
        if (!instance) continue;
        instance->Effect().ApplyHostParamValue(bypassId.c_str(), 0.0, 1);
        FillNoise(context, block, channels, 0.9);
        RenderAfterSilence(context, *instance, block);
        for (std::size_t c = 0; c < outs && bypassFailure.empty(); ++c)
          for (int i = 0; i < kFrames; ++i)
            if (block.Out(c)[i] != block.In(c)[i])
            {
              bypassFailure = where + ": Bypass 0 output differs at sample " + std::to_string(i);
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
      if (bypassed != AAX_SUCCESS && hostBypassFailure.empty())
        hostBypassFailure = where + ": the master bypass answered " + std::to_string(bypassed);
      for (std::size_t c = 0; c < outs && hostBypassFailure.empty(); ++c)
        for (int i = 0; i < kFrames; ++i)
        {
          const float want = i >= delay ? block.In(c)[i - delay] : 0.0f;
          if (block.Out(c)[i] != want)
          {
            hostBypassFailure = where + ": host bypass output differs from the input delayed by " +
                                std::to_string(delay) + " at sample " + std::to_string(i);
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
      if (!differs && resumeFailure.empty())
        resumeFailure = where + ": after the host's bypass was cleared the output is still the "
                                "delayed input";
    }
  }

  auto ok = [](const std::string& failure) { return failure.empty(); };
  context.Check(kGroup, "latency checks run", ok(setupFailure),
                ok(setupFailure) ? "" : setupFailure);
  if (!oversamplingId.empty())
    context.Check(kGroup, "reported latency 64 with oversampling, 0 without", ok(reportFailure),
                  ok(reportFailure) ? "as expected" : reportFailure, latencies);
  context.Check(kGroup, "impulse peaks at the reported latency", ok(impulseFailure) && impulses > 0,
                ok(impulseFailure) ? "every channel, every setting" : impulseFailure,
                {{"impulses", static_cast<double>(impulses)}});
  context.Check(kGroup, "compensated output lines up with the input", ok(alignFailure),
                ok(alignFailure) ? "correlation peaks at lag 0" : alignFailure);
  if (!mixId.empty())
    context.Check(kGroup, "Mix 0 nulls against the delayed dry input", ok(mixFailure),
                  ok(mixFailure) ? "within 1e-6" : mixFailure, {{"largest difference", worstMix}});
  if (!bypassId.empty())
    context.Check(kGroup, "Bypass 0 passes the input bit-exactly", ok(bypassFailure),
                  ok(bypassFailure) ? "identical samples" : bypassFailure);
  context.Check(
      kGroup, "host bypass passes the input delayed by the latency", ok(hostBypassFailure),
      ok(hostBypassFailure) ? "identical samples after the reported delay" : hostBypassFailure);
  context.Check(kGroup, "clearing the host bypass resumes processing",
                ok(resumeFailure) && resumes > 0,
                ok(resumeFailure) ? "the output is processed again" : resumeFailure,
                {{"resumes", static_cast<double>(resumes)}});
  const std::size_t assertions = session.AssertionCount() - assertionsBefore;
  context.Check(kGroup, "no host assertion during latency checks", assertions == 0,
                assertions == 0 ? "none reported" : "last: " + session.LastAssertion(),
                {{"assertions", static_cast<double>(assertions)}});
}

} // namespace plughost
