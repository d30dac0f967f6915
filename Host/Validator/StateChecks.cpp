// Group 5: state. Save, randomise, restore into the same and a fresh
// instance: every parameter comes back exactly and saving again gives the same
// bytes. Then truncated chunks of every short length and random byte strings:
// no crash, no assertion, no value outside 0..1, and a refused chunk changes
// nothing.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/Validator/AudioBlock.h"
#include "Host/Validator/ValidationContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace plughost
{
namespace
{
constexpr int kGroup = 5;

void Randomise(ValidationContext& context, AAX_IEffectParameters& effect)
{
  for (const auto& parameter : context.session.Parameters())
  {
    effect.ApplyHostParamValue(parameter.id.c_str(), context.random.Uniform(), 1);
    ++context.report.Work().parameterChanges;
  }
}

bool InRange(const std::vector<double>& values)
{
  return std::all_of(values.begin(), values.end(), [](double v) { return v >= 0.0 && v <= 1.0; });
}

std::string Hex(const std::vector<unsigned char>& bytes)
{
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < bytes.size() && i < 16; ++i)
  {
    text += digits[bytes[i] >> 4];
    text += digits[bytes[i] & 15];
  }
  return text + (bytes.size() > 16 ? "..." : "");
}

// A fresh instance given another's state renders what that one renders, bit
// for bit, from the same input.
void CheckRestoredAudio(ValidationContext& context)
{
  ValidationSession& session = context.session;
  const AAX_CTypeID chunkId = session.StateChunkId();
  const int rounds = context.options.Full() ? 20 : 4;
  FirstFailure setup, differs;
  std::int64_t blocks = 0;
  for (std::size_t component = 0; component < session.ComponentCount(); ++component)
    for (int round = 0; round < rounds; ++round)
    {
      std::string error;
      auto source = session.MakeInstance(component, 48000.0f, error);
      auto restored = source ? session.MakeInstance(component, 48000.0f, error) : nullptr;
      if (!source || !restored)
      {
        setup.Note(error);
        continue;
      }
      // The host's bypass is the host's, not part of the state.
      for (const auto& parameter : session.Parameters())
        if (parameter.id != session.MasterBypassId())
          source->Effect().ApplyHostParamValue(parameter.id.c_str(), context.random.Uniform(), 1);
      std::vector<unsigned char> bytes;
      if (ValidationSession::SaveChunk(source->Effect(), chunkId, bytes) != AAX_SUCCESS ||
          ValidationSession::LoadChunk(restored->Effect(), chunkId, bytes) != AAX_SUCCESS)
      {
        setup.Note("saving or restoring the state failed");
        continue;
      }
      const std::size_t channels = std::max(ValidationSession::InputChannels(*source),
                                            ValidationSession::OutputChannels(*source));
      AudioBlock a(channels, 512);
      AudioBlock b(channels, 512);
      for (int block = 0; block < 8 && differs.Empty(); ++block)
      {
        for (std::size_t c = 0; c < channels; ++c)
          for (int i = 0; i < 512; ++i)
            a.In(c)[i] = b.In(c)[i] = static_cast<float>(context.random.Uniform() - 0.5);
        source->Render(a.Inputs(), a.Outputs(), 512);
        restored->Render(b.Inputs(), b.Outputs(), 512);
        ++blocks;
        context.report.Work().renderCalls += 2;
        context.report.Work().framesProcessed += 1024;
        for (std::size_t c = 0; c < ValidationSession::OutputChannels(*source); ++c)
          if (std::memcmp(a.Out(c), b.Out(c), 512 * sizeof(float)) != 0)
          {
            differs.Note(std::to_string(ValidationSession::OutputChannels(*source)) +
                         "-channel component, round " + std::to_string(round) + ": block " +
                         std::to_string(block) +
                         " of the restored instance differs from its "
                         "source's");
            break;
          }
      }
    }
  context.Check(kGroup, "a restored state renders the same audio as its source",
                setup.Empty() && differs.Empty() && blocks > 0,
                setup.Or(differs.Or("bit-exact, block after block")),
                {{"blocks compared", static_cast<double>(blocks)}});
}
// Save -> randomise -> restore, into the same and a fresh instance.
void CheckRoundTrips(ValidationContext& context, aaxhost::HostInstance& first,
                     aaxhost::HostInstance& fresh, AAX_CTypeID chunkId)
{
  ValidationSession& session = context.session;
  const int rounds = context.options.Full() ? 100 : 10;
  FirstFailure failure;
  std::size_t chunkBytes = 0;
  for (int round = 0; round < rounds && failure.Empty(); ++round)
  {
    Randomise(context, first.Effect());
    const std::vector<double> saved = session.Values(first.Effect());
    std::vector<unsigned char> bytes;
    if (const AAX_Result r = ValidationSession::SaveChunk(first.Effect(), chunkId, bytes); r != 0)
    {
      failure.Note("saving answered " + std::to_string(r));
      break;
    }
    chunkBytes = bytes.size();
    Randomise(context, first.Effect());
    Randomise(context, fresh.Effect());
    for (auto* instance : {&first, &fresh})
    {
      const char* which = instance == &first ? "the same instance" : "a fresh instance";
      const AAX_Result applied = ValidationSession::LoadChunk(instance->Effect(), chunkId, bytes);
      const std::vector<double> restored = session.Values(instance->Effect());
      std::vector<unsigned char> again;
      ValidationSession::SaveChunk(instance->Effect(), chunkId, again);
      if (applied != AAX_SUCCESS)
        failure.Note(std::string("restoring into ") + which + " answered " +
                     std::to_string(applied));
      else if (restored != saved)
      {
        for (std::size_t p = 0; p < saved.size(); ++p)
          if (restored[p] != saved[p])
            failure.Note("parameter " + std::to_string(p + 1) + " came back as " +
                         std::to_string(restored[p]) + " instead of " + std::to_string(saved[p]) +
                         " in " + which);
      }
      else if (again != bytes)
        failure.Note(std::string("saving again from ") + which + " gave " + Hex(again) +
                     " instead of " + Hex(bytes));
      if (!failure.Empty()) break;
    }
  }
  context.Check(
      kGroup, "save, randomise, restore: same values and same bytes", failure,
      std::to_string(rounds) + " rounds into the same and a fresh instance",
      {{"rounds", static_cast<double>(rounds)}, {"chunk bytes", static_cast<double>(chunkBytes)}});
}

// Every short length of the effect's own chunk, damaged copies and random bytes.
std::vector<std::vector<unsigned char>> HostileChunks(ValidationContext& context,
                                                      const std::vector<unsigned char>& valid)
{
  std::vector<std::vector<unsigned char>> chunks;
  const std::size_t shortest = std::max<std::size_t>(valid.size(), 60);
  for (std::size_t length = 0; length < shortest; ++length)
  {
    std::vector<unsigned char> bytes(
        valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(std::min(length, valid.size())));
    bytes.resize(length, 0);
    chunks.push_back(std::move(bytes));
  }
  const int randomCount = context.options.Full() ? 10000 : 1000;
  for (int i = 0; i < randomCount; ++i)
  {
    std::vector<unsigned char> bytes;
    if (i % 2 == 0 && !valid.empty())
    {
      // A valid chunk with a few bytes changed reaches past the first checks.
      bytes = valid;
      const int flips = 1 + static_cast<int>(context.random.Below(4));
      for (int f = 0; f < flips; ++f)
        bytes[context.random.Below(bytes.size())] =
            static_cast<unsigned char>(context.random.Below(256));
    }
    else
    {
      bytes.resize(context.random.Below(257));
      for (auto& b : bytes)
        b = static_cast<unsigned char>(context.random.Below(256));
    }
    chunks.push_back(std::move(bytes));
  }
  return chunks;
}

void CheckDamagedChunks(ValidationContext& context, aaxhost::HostInstance& instance,
                        AAX_CTypeID chunkId)
{
  ValidationSession& session = context.session;
  std::vector<unsigned char> valid;
  ValidationSession::SaveChunk(instance.Effect(), chunkId, valid);
  const std::vector<std::vector<unsigned char>> chunks = HostileChunks(context, valid);
  FirstFailure failure;
  std::int64_t refused = 0;
  std::int64_t accepted = 0;
  const std::size_t assertionsBefore = session.AssertionCount();
  for (const auto& bytes : chunks)
  {
    const std::vector<double> before = session.Values(instance.Effect());
    const AAX_Result result = ValidationSession::LoadChunk(instance.Effect(), chunkId, bytes);
    const std::vector<double> after = session.Values(instance.Effect());
    ++context.report.Work().chunksFuzzed;
    ++(result == AAX_SUCCESS ? accepted : refused);
    if (!InRange(after))
      failure.Note(std::to_string(bytes.size()) + " bytes " + Hex(bytes) +
                   " left a parameter outside 0..1");
    else if (result != AAX_SUCCESS && after != before)
      failure.Note(std::to_string(bytes.size()) + " bytes " + Hex(bytes) + " were refused (" +
                   std::to_string(result) + ") but changed parameters");
    else if (bytes.size() < valid.size() && result == AAX_SUCCESS)
      failure.Note("a chunk of " + std::to_string(bytes.size()) + " bytes, shorter than the " +
                   std::to_string(valid.size()) + " the effect writes, was accepted");
  }
  const std::size_t assertions = session.AssertionCount() - assertionsBefore;
  if (assertions > 0)
    failure.Note(std::to_string(assertions) + " assertions, last " + session.LastAssertion());
  // A chunk under another identifier is not this effect's state.
  if (ValidationSession::LoadChunk(instance.Effect(), chunkId ^ 0x20202020u, valid) == AAX_SUCCESS)
    failure.Note("a chunk with a foreign identifier was accepted");
  context.Check(kGroup, "short, damaged and random chunks handled", failure,
                "no crash, no assertion, refused chunks change nothing, values stay in 0..1",
                {{"chunks", static_cast<double>(chunks.size())},
                 {"refused", static_cast<double>(refused)},
                 {"accepted", static_cast<double>(accepted)}});
}
} // namespace

void RunStateChecks(ValidationContext& context)
{
  ValidationSession& session = context.session;
  const AAX_CTypeID chunkId = session.StateChunkId();
  const std::size_t component = session.ComponentCount() - 1;
  const std::size_t assertionsBefore = session.AssertionCount();
  std::string error;
  auto first = session.MakeInstance(component, 48000.0f, error);
  auto fresh = first ? session.MakeInstance(component, 48000.0f, error) : nullptr;
  if (!first || !fresh || chunkId == 0)
  {
    context.Check(kGroup, "state round trip", false,
                  chunkId == 0 ? "the effect names no state chunk" : error);
    return;
  }
  CheckRoundTrips(context, *first, *fresh, chunkId);
  CheckDamagedChunks(context, *first, chunkId);
  first.reset();
  fresh.reset();
  CheckRestoredAudio(context);
  context.CheckNoNewAssertion(kGroup, "during state checks", assertionsBefore);
}

} // namespace plughost
