// Group 4: parameter fuzz. Random normalised values survive value -> text ->
// value within one step; garbage and unknown identifiers get the right result
// codes and change nothing; out-of-range texts and values never leave a
// parameter outside 0..1.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostString.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/OutputStats.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace plughost
{
namespace
{
constexpr int kGroup = 4;

bool NonFiniteText(std::string text)
{
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// After NaN and infinite values from the host, what the effect makes of them
// itself: its value texts and its rendered output stay finite.
void CheckEffectAfterHostileValues(ValidationContext& context)
{
  const double hostile[] = {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity()};
  FirstFailure setup, failure;
  std::int64_t renders = 0;
  for (std::size_t component = 0; component < context.session.ComponentCount(); ++component)
  {
    std::string error;
    auto instance = context.session.MakeInstance(component, 48000.0f, error);
    if (!instance)
    {
      setup.Note(error);
      continue;
    }
    const std::size_t channels = std::max(ValidationSession::InputChannels(*instance),
                                          ValidationSession::OutputChannels(*instance));
    AudioBlock block(channels, 256);
    for (const auto& parameter : context.session.Parameters())
      for (const double value : hostile)
      {
        instance->Effect().ApplyHostParamValue(parameter.id.c_str(), value, 1);
        ++context.report.Work().parameterChanges;
        aaxhost::HostString text;
        instance->Effect().ParamValueText(parameter.id.c_str(), &text, 32);
        if (NonFiniteText(text.Text()))
          failure.Note(parameter.name + " shows '" + text.Text() + "' after " +
                       std::to_string(value));
        for (std::size_t c = 0; c < channels; ++c)
          for (int i = 0; i < 256; ++i)
            block.In(c)[i] = static_cast<float>(0.5 * std::sin(0.05 * i));
        instance->Render(block.Inputs(), block.Outputs(), 256);
        ++renders;
        ++context.report.Work().renderCalls;
        context.report.Work().framesProcessed += 256;
        OutputStats stats;
        float previous = std::numeric_limits<float>::quiet_NaN();
        for (std::size_t c = 0; c < ValidationSession::OutputChannels(*instance); ++c)
          stats.Add(block.Out(c), 256, previous);
        if (stats.nonFinite + stats.subnormal > 0)
          failure.Note(parameter.name + " at " + std::to_string(value) + ": " +
                       std::to_string(stats.nonFinite + stats.subnormal) +
                       " non-finite or subnormal output samples");
      }
  }
  context.Check(kGroup, "after NaN and infinite values the effect's texts and output stay finite",
                setup.Empty() && failure.Empty() && renders > 0,
                setup.Or(failure.Or("every value text finite, every output sample finite")),
                {{"render calls", static_cast<double>(renders)}});
}
void CheckTextRoundTrips(ValidationContext& context, AAX_IEffectParameters& effect)
{
  constexpr int kValues = 1000;
  const auto& parameters = context.session.Parameters();
  std::int64_t trips = 0;
  double worstSteps = 0.0;
  FirstFailure failure;
  for (const auto& parameter : parameters)
  {
    const double step = parameter.steps > 1 ? 1.0 / (parameter.steps - 1) : 1.0;
    for (int i = 0; i < kValues; ++i)
    {
      // The ends of the range first, then random values.
      const double value = i == 0 ? 0.0 : i == 1 ? 1.0 : context.random.Uniform();
      aaxhost::HostString text;
      double back = std::numeric_limits<double>::quiet_NaN();
      const AAX_Result toText = effect.ParamTextFromValue(parameter.id.c_str(), value, &text, 32);
      const AAX_Result toValue = effect.ParamValueFromText(parameter.id.c_str(), &back, &text);
      ++trips;
      double miss = toText == AAX_SUCCESS && toValue == AAX_SUCCESS && std::isfinite(back)
                        ? std::abs(back - value) / step
                        : std::numeric_limits<double>::infinity();
      if (parameter.list && std::isfinite(miss))
      {
        // A setting's text must lead back to that setting.
        aaxhost::HostString again;
        effect.ParamTextFromValue(parameter.id.c_str(), back, &again, 32);
        miss =
            std::string(again.Get()) == text.Get() ? 0.0 : std::numeric_limits<double>::infinity();
      }
      worstSteps = std::max(worstSteps, miss);
      if (miss > 1.0 + 1e-9)
        failure.Note(parameter.name + ": " + std::to_string(value) + " -> \"" + text.Get() +
                     "\" -> " + std::to_string(back) + " (results " + std::to_string(toText) +
                     ", " + std::to_string(toValue) + ")");
    }
  }
  context.Check(kGroup, "value -> text -> value within one step (lists: the same setting)",
                failure.Empty() && trips > 0,
                failure.Or(std::to_string(parameters.size()) + " parameters, " +
                           std::to_string(kValues) + " values each"),
                {{"round trips", static_cast<double>(trips)}, {"worst miss in steps", worstSteps}});
}

// Garbage text: refused with AAX_ERROR_INVALID_STRING_CONVERSION, nothing changed.
void CheckGarbageText(ValidationContext& context, AAX_IEffectParameters& effect)
{
  const std::string longText(5000, 'x');
  const std::vector<std::string> garbage = {"", "abc", "--", "\xff\xfe\xfd", "#!", longText};
  std::int64_t tried = 0;
  FirstFailure failure;
  for (const auto& parameter : context.session.Parameters())
    for (const std::string& junk : garbage)
    {
      aaxhost::HostString text(junk);
      double out = 0.25;
      const AAX_Result result = effect.ParamValueFromText(parameter.id.c_str(), &out, &text);
      ++tried;
      if (result != AAX_ERROR_INVALID_STRING_CONVERSION || out != 0.25)
        failure.Note(parameter.name + ": \"" + junk.substr(0, 16) + "\" answered " +
                     std::to_string(result) + " with value " + std::to_string(out));
    }
  context.Check(kGroup, "garbage text refused", failure.Empty() && tried > 0,
                failure.Or("every garbage text answered AAX_ERROR_INVALID_STRING_CONVERSION "
                           "(-20002)"),
                {{"texts", static_cast<double>(tried)}});
}

void CheckOutOfRangeText(ValidationContext& context, AAX_IEffectParameters& effect)
{
  std::int64_t rejected = 0;
  std::int64_t clamped = 0;
  FirstFailure failure;
  for (const auto& parameter : context.session.Parameters())
    for (const char* far : {"1e9", "-1e9", "1e400", "-1e400"})
    {
      aaxhost::HostString text(far);
      double out = 0.25;
      const AAX_Result result = effect.ParamValueFromText(parameter.id.c_str(), &out, &text);
      if (result == AAX_ERROR_INVALID_STRING_CONVERSION)
        ++rejected;
      else if (result == AAX_SUCCESS && out >= 0.0 && out <= 1.0)
        ++clamped;
      else
        failure.Note(parameter.name + ": \"" + far + "\" answered " + std::to_string(result) +
                     " with value " + std::to_string(out));
    }
  context.Check(
      kGroup, "out-of-range text refused or clamped into 0..1", failure,
      "never a value outside 0..1",
      {{"refused", static_cast<double>(rejected)}, {"clamped", static_cast<double>(clamped)}});
}

void CheckUnknownIdentifiers(ValidationContext& context, AAX_IEffectParameters& effect)
{
  FirstFailure failure;
  for (const char* id : {"0", "999", "no such parameter"})
  {
    aaxhost::HostString text("1");
    double out = 0.0;
    const AAX_Result fromText = effect.ParamValueFromText(id, &out, &text);
    const AAX_Result toText = effect.ParamTextFromValue(id, 0.5, &text, 32);
    const AAX_Result apply = effect.ApplyHostParamValue(id, 0.5, 1);
    if (fromText != AAX_ERROR_INVALID_PARAMETER_ID || toText != AAX_ERROR_INVALID_PARAMETER_ID ||
        apply != AAX_ERROR_INVALID_PARAMETER_ID)
      failure.Note(std::string("\"") + id + "\" answered " + std::to_string(fromText) + ", " +
                   std::to_string(toText) + ", " + std::to_string(apply));
  }
  context.Check(kGroup, "unknown parameter identifiers refused", failure,
                "AAX_ERROR_INVALID_PARAMETER_ID (-20001) every time");
}

// Out-of-range normalised values from the host.
void CheckHostileValuesStayInRange(ValidationContext& context, AAX_IEffectParameters& effect)
{
  FirstFailure failure;
  const double hostile[] = {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            -5.0,
                            7.0,
                            1e300};
  for (const auto& parameter : context.session.Parameters())
    for (const double value : hostile)
    {
      effect.ApplyHostParamValue(parameter.id.c_str(), value, 1);
      double now = std::numeric_limits<double>::quiet_NaN();
      effect.ParamNormal(parameter.id.c_str(), &now);
      ++context.report.Work().parameterChanges;
      if (!(now >= 0.0 && now <= 1.0))
        failure.Note(parameter.name + " holds " + std::to_string(now) + " after " +
                     std::to_string(value));
    }
  context.Check(kGroup, "hostile normalised values keep parameters in 0..1", failure,
                "NaN, infinities and values outside 0..1 stay in range");
}
} // namespace

void RunParameterChecks(ValidationContext& context)
{
  const std::size_t assertionsBefore = context.session.AssertionCount();
  std::string error;
  auto instance =
      context.session.MakeInstance(context.session.ComponentCount() - 1, 48000.0f, error);
  if (!instance)
  {
    context.Check(kGroup, "parameter round trips", false, error);
    return;
  }
  AAX_IEffectParameters& effect = instance->Effect();
  CheckTextRoundTrips(context, effect);
  CheckGarbageText(context, effect);
  CheckOutOfRangeText(context, effect);
  CheckUnknownIdentifiers(context, effect);
  CheckHostileValuesStayInRange(context, effect);
  instance.reset();
  CheckEffectAfterHostileValues(context);
  context.CheckNoNewAssertion(kGroup, "during parameter fuzz", assertionsBefore);
}

} // namespace plughost
