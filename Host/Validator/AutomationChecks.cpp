// Group 3: automation. Every parameter moves to random values through the
// host's automation path every 32 samples for 30 s of audio while a steady
// sine plays: the output stays finite, never jumps further than from a dry
// sample to the loudest output, and the last value of each parameter arrives.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostString.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/OutputStats.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace plughost
{

void RunAutomationChecks(ValidationContext& context)
{
  constexpr int kGroup = 3;
  constexpr int kBlock = 32;
  constexpr float kRate = 48000.0f;
  constexpr double kAmplitude = 0.5;
  const std::int64_t frames = static_cast<std::int64_t>(30 * kRate);
  const auto& parameters = context.session.Parameters();
  const std::size_t components = context.options.Full() ? context.session.ComponentCount() : 1;
  const std::size_t assertionsBefore = context.session.AssertionCount();

  OutputStats stats;
  std::int64_t changes = 0;
  std::int64_t refused = 0;
  double worstArrival = 0.0;
  std::string worstParameter;
  std::string failure;
  for (std::size_t pass = 0; pass < components; ++pass)
  {
    // The stereo (last) component first: it is the one most sessions use.
    const std::size_t component = context.session.ComponentCount() - 1 - pass;
    std::string error;
    auto instance = context.session.MakeInstance(component, kRate, error);
    if (!instance)
    {
      failure = error;
      break;
    }
    AAX_IEffectParameters& effect = instance->Effect();
    const std::size_t inChannels = ValidationSession::InputChannels(*instance);
    const std::size_t outChannels = ValidationSession::OutputChannels(*instance);
    AudioBlock block(std::max(inChannels, outChannels), kBlock);
    std::vector<float> previous(outChannels, std::numeric_limits<float>::quiet_NaN());
    std::vector<double> lastRequested(parameters.size(), std::numeric_limits<double>::quiet_NaN());

    for (std::int64_t n = 0; n < frames; n += kBlock)
    {
      for (std::size_t p = 0; p < parameters.size(); ++p)
      {
        if (context.random.Below(2) == 0) continue;
        // A host automates a switch or list between its settings' ends.
        const double value = parameters[p].list ? static_cast<double>(context.random.Below(2))
                                                : context.random.Uniform();
        if (effect.RequestParamValue(parameters[p].id.c_str(), value) != AAX_SUCCESS) ++refused;
        lastRequested[p] = value;
        ++changes;
      }
      for (std::size_t c = 0; c < inChannels; ++c)
        for (int i = 0; i < kBlock; ++i)
          block.In(c)[i] = static_cast<float>(
              kAmplitude * std::sin(2.0 * std::numbers::pi * 100.0 * (n + i) / kRate));
      if (instance->Render(block.Inputs(), block.Outputs(), kBlock) != AAX_SUCCESS)
      {
        failure = "a render call failed";
        break;
      }
      ++context.report.Work().renderCalls;
      context.report.Work().framesProcessed += kBlock;
      for (std::size_t c = 0; c < outChannels; ++c)
        stats.Add(block.Out(c), kBlock, previous[c]);
    }
    // What the host asked for last is what the effect holds, within a step.
    for (std::size_t p = 0; p < parameters.size(); ++p)
    {
      if (std::isnan(lastRequested[p])) continue;
      double now = std::numeric_limits<double>::quiet_NaN();
      effect.ParamNormal(parameters[p].id.c_str(), &now);
      const double step = parameters[p].steps > 1 ? 1.0 / (parameters[p].steps - 1) : 1.0;
      double miss = std::isfinite(now) ? std::abs(now - lastRequested[p]) / step
                                       : std::numeric_limits<double>::infinity();
      if (parameters[p].list && std::isfinite(miss))
      {
        // A switch or list holds the setting that the requested value shows.
        aaxhost::HostString held;
        aaxhost::HostString asked;
        effect.ParamValueText(parameters[p].id.c_str(), &held, 32);
        effect.ParamTextFromValue(parameters[p].id.c_str(), lastRequested[p], &asked, 32);
        miss =
            std::string(held.Get()) == asked.Get() ? 0.0 : std::numeric_limits<double>::infinity();
      }
      if (miss > worstArrival)
      {
        worstArrival = miss;
        worstParameter = parameters[p].name + " holds " + std::to_string(now) + " after " +
                         std::to_string(lastRequested[p]) + " was requested";
      }
    }
  }
  context.report.Work().parameterChanges += changes;

  const double stepLimit = stats.peak + kAmplitude;
  context.Check(kGroup, "automation runs", failure.empty() && refused == 0 && changes > 0,
                failure.empty() ? (refused == 0 ? "every change request accepted"
                                                : std::to_string(refused) + " requests refused")
                                : failure,
                {{"changes", static_cast<double>(changes)},
                 {"refused", static_cast<double>(refused)},
                 {"frames", static_cast<double>(frames * static_cast<std::int64_t>(components))}});
  context.Check(kGroup, "automated output finite", stats.nonFinite == 0 && stats.samples > 0,
                stats.nonFinite == 0 ? "no NaN or infinity while automating"
                                     : std::to_string(stats.nonFinite) + " non-finite samples",
                {{"samples", static_cast<double>(stats.samples)},
                 {"non-finite", static_cast<double>(stats.nonFinite)}});
  context.Check(
      kGroup, "no click beyond the signal", stats.samples > 0 && stats.largestStep <= stepLimit,
      stats.largestStep <= stepLimit
          ? "the largest step stays within the output peak plus the dry peak"
          : "a step larger than the output peak plus the dry peak",
      {{"largest step", stats.largestStep}, {"output peak", stats.peak}, {"limit", stepLimit}});
  context.Check(
      kGroup, "the last automated value arrives", worstArrival <= 1.0,
      worstArrival <= 1.0
          ? "every parameter holds its last requested value within a step (lists: the same setting)"
          : worstParameter,
      {{"worst miss in steps", worstArrival}});
  context.CheckNoNewAssertion(kGroup, "while automating", assertionsBefore);
}

} // namespace plughost
