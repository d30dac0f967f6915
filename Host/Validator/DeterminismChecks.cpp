// Group 9: determinism. A fixed piece of work rendered twice in fresh
// instances gives identical bytes; written as a reference file it lets
// another build of the module (the Windows DLL under Wine, say) be compared
// with this one within 1e-6.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/ValidationContext.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>

namespace plughost
{
namespace
{
constexpr int kGroup = 9;
constexpr double kAgreement = 1e-6;

// The reference work: fixed settings, a rising sine with noise, block sizes
// that vary as a host's do. Its own seed, so every build renders the same.
bool RenderReference(ValidationSession& session, std::vector<float>& out, CheckReport& report)
{
  std::string error;
  auto instance = session.MakeInstance(session.ComponentCount() - 1, 48000.0f, error);
  if (!instance) return false;
  ValidationRandom random(20261209);
  for (const auto& parameter : session.Parameters())
    instance->Effect().ApplyHostParamValue(parameter.id.c_str(), random.Uniform(), 1);
  const std::size_t ins = ValidationSession::InputChannels(*instance);
  const std::size_t outs = ValidationSession::OutputChannels(*instance);
  AudioBlock block(std::max(ins, outs), 1024);
  const int sizes[] = {480, 256, 1000, 33, 512, 0, 1};
  std::int64_t n = 0;
  for (int call = 0; call < 70; ++call)
  {
    const int frames = sizes[call % 7];
    for (int i = 0; i < frames; ++i)
    {
      const double noise = (random.Uniform() - 0.5) * 0.1;
      const double f = 100.0 + 2.0 * static_cast<double>(n + i);
      const double x = 0.6 * std::sin(2.0 * std::numbers::pi * f * (n + i) / 48000.0) + noise;
      for (std::size_t c = 0; c < ins; ++c)
        block.In(c)[i] = static_cast<float>(c == 0 ? x : 0.5 * x - noise);
    }
    if (instance->Render(block.Inputs(), block.Outputs(), frames) != AAX_SUCCESS) return false;
    ++report.Work().renderCalls;
    report.Work().framesProcessed += frames;
    for (int i = 0; i < frames; ++i)
      for (std::size_t c = 0; c < outs; ++c)
        out.push_back(block.Out(c)[i]);
    n += frames;
  }
  return true;
}

// Little-endian float32, as every platform we build for stores them.
bool WriteFloats(const std::string& path, const std::vector<float>& samples)
{
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(samples.data()),
             static_cast<std::streamsize>(samples.size() * sizeof(float)));
  return static_cast<bool>(file);
}

bool ReadFloats(const std::string& path, std::vector<float>& samples)
{
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) return false;
  const std::streamsize bytes = file.tellg();
  if (bytes < 0 || bytes % 4 != 0) return false;
  samples.resize(static_cast<std::size_t>(bytes) / 4);
  file.seekg(0);
  file.read(reinterpret_cast<char*>(samples.data()), bytes);
  return static_cast<bool>(file);
}
} // namespace

void RunDeterminismChecks(ValidationContext& context)
{
  std::vector<float> first;
  std::vector<float> second;
  const bool ran = RenderReference(context.session, first, context.report) &&
                   RenderReference(context.session, second, context.report);
  const bool identical = ran && !first.empty() && first.size() == second.size() &&
                         std::memcmp(first.data(), second.data(), first.size() * 4) == 0;
  context.Check(kGroup, "the same work twice gives identical bytes", identical,
                !ran        ? "the work could not be rendered"
                : identical ? "identical"
                            : "the two renders differ",
                {{"samples", static_cast<double>(first.size())}});

  if (!context.options.writeReferencePath.empty())
  {
    const bool written = ran && WriteFloats(context.options.writeReferencePath, first);
    context.Check(kGroup, "reference render written", written,
                  written ? context.options.writeReferencePath
                          : "cannot write " + context.options.writeReferencePath,
                  {{"samples", static_cast<double>(first.size())}});
  }
  if (!context.options.compareReferencePath.empty())
  {
    std::vector<float> reference;
    const bool read = ReadFloats(context.options.compareReferencePath, reference);
    double worst = 0.0;
    double peak = 0.0;
    bool sameLength = read && reference.size() == first.size();
    for (std::size_t i = 0; sameLength && i < first.size(); ++i)
    {
      const double difference = std::abs(static_cast<double>(first[i]) - reference[i]);
      if (!(difference <= worst)) worst = difference; // NaN makes worst NaN and fails below
      peak = std::max(peak, std::abs(static_cast<double>(reference[i])));
    }
    // A silent reference would agree with anything.
    const bool agrees = sameLength && worst <= kAgreement && peak > 0.01;
    std::string reason = "within 1e-6 of " + context.options.compareReferencePath;
    if (!read)
      reason = "cannot read " + context.options.compareReferencePath;
    else if (!sameLength)
      reason = "the reference has " + std::to_string(reference.size()) + " samples, this render " +
               std::to_string(first.size());
    else if (!(peak > 0.01))
      reason = "the reference is silent";
    else if (!agrees)
      reason = "differs from " + context.options.compareReferencePath + " by more than 1e-6";
    context.Check(kGroup, "agrees with the reference render of another build", agrees, reason,
                  {{"samples", static_cast<double>(first.size())},
                   {"largest difference", worst},
                   {"peak", peak}});
  }
}

} // namespace plughost
