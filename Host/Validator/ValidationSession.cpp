#include "Host/Validator/ValidationSession.h"

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"
#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "Host/HostString.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <set>

namespace plughost
{

std::unique_ptr<ValidationSession> ValidationSession::Open(const std::string& path,
                                                           std::string& error)
{
  std::unique_ptr<ValidationSession> session(new ValidationSession);
  session->mPath = path;
  session->mSession = ModuleSession::Open(path, &error);
  if (!session->mSession) return nullptr;
  if (session->ComponentCount() == 0)
  {
    error = "the module describes no effect with components";
    return nullptr;
  }

  // The parameter list and the chunk identifier come from a first instance.
  std::string reason;
  if (!session->mSession->CreateInstance(2, 48000.0f, &reason) &&
      !session->mSession->CreateInstance(1, 48000.0f, &error))
  {
    error = reason + "; " + error;
    return nullptr;
  }
  for (const ParamInfo& info : session->mSession->Parameters())
  {
    Parameter parameter;
    static_cast<ParamInfo&>(parameter) = info;
    std::set<std::string> texts;
    for (int k = 0; k <= 256; ++k)
      texts.insert(session->mSession->TextFor(info.id, k / 256.0));
    parameter.list = texts.size() <= kMaxListTexts;
    session->mParameters.push_back(std::move(parameter));
  }
  AAX_IEffectParameters& effect = session->mSession->Instance().Effect();
  aaxhost::HostString bypass;
  if (effect.MasterBypassParamId(&bypass) == AAX_SUCCESS) session->mMasterBypassId = bypass.Text();
  std::int32_t chunks = 0;
  if (effect.ChunkCount(&chunks) == AAX_SUCCESS && chunks > 0)
    effect.ChunkIdAt(0, &session->mChunkId);
  return session;
}

std::size_t ValidationSession::ComponentCount() const
{
  const auto effects = mSession->Module().Description()->Effects();
  return effects.empty() ? 0 : effects[0].descriptor->Components().size();
}

std::string ValidationSession::IdOf(const std::string& name) const
{
  for (const Parameter& parameter : mParameters)
    if (parameter.name == name) return parameter.id;
  return {};
}

std::unique_ptr<aaxhost::HostInstance>
ValidationSession::MakeInstance(std::size_t component, float sampleRate, std::string& error)
{
  return aaxhost::HostInstance::Create(mSession->Module(), 0, component, &error, sampleRate);
}

std::size_t ValidationSession::OutputChannels(aaxhost::HostInstance& instance)
{
  std::int32_t stem = 0;
  instance.Controller().OutputStemFormat(&stem);
  return static_cast<std::size_t>(stem & 0xFFFF);
}

std::size_t ValidationSession::InputChannels(aaxhost::HostInstance& instance)
{
  std::int32_t stem = 0;
  instance.Controller().InputStemFormat(&stem);
  return static_cast<std::size_t>(stem & 0xFFFF);
}

AAX_Result ValidationSession::SaveChunk(AAX_IEffectParameters& effect, AAX_CTypeID id,
                                        std::vector<unsigned char>& data)
{
  data.clear();
  std::uint32_t size = 0;
  if (const AAX_Result result = effect.ChunkSize(id, &size); result != AAX_SUCCESS) return result;
  if (size > (1u << 24)) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
  // The record is 8-byte aligned storage, as a host's allocation would be.
  std::vector<std::uint64_t> storage((AAX_CHUNK_HEADER_SIZE + size + 7) / 8 + 1);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(storage.data());
  record->mSize = static_cast<std::int32_t>(size);
  record->mChunkID = id;
  if (const AAX_Result result = effect.WriteChunk(id, record); result != AAX_SUCCESS) return result;
  if (record->mSize < 0 || static_cast<std::uint32_t>(record->mSize) > size)
    return AAX_ERROR_INCORRECT_CHUNK_SIZE;
  const unsigned char* bytes = AAX_ChunkData(record);
  data.assign(bytes, bytes + record->mSize);
  return AAX_SUCCESS;
}

AAX_Result ValidationSession::LoadChunk(AAX_IEffectParameters& effect, AAX_CTypeID id,
                                        const std::vector<unsigned char>& data)
{
  std::vector<std::uint64_t> storage((AAX_CHUNK_HEADER_SIZE + data.size() + 7) / 8 + 1);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(storage.data());
  record->mSize = static_cast<std::int32_t>(data.size());
  record->mChunkID = id;
  if (!data.empty()) std::memcpy(AAX_ChunkData(record), data.data(), data.size());
  return effect.ApplyChunk(id, record);
}

std::vector<double> ValidationSession::Values(AAX_IEffectParameters& effect) const
{
  std::vector<double> values;
  for (const Parameter& parameter : mParameters)
  {
    if (parameter.id == mMasterBypassId) continue;
    double value = std::numeric_limits<double>::quiet_NaN();
    effect.ParamNormal(parameter.id.c_str(), &value);
    values.push_back(value);
  }
  return values;
}

std::size_t ValidationSession::AssertionCount() const
{
  return mSession->Module().Host().Services().Assertions().size();
}

std::string ValidationSession::LastAssertion() const
{
  const auto assertions = mSession->Module().Host().Services().Assertions();
  if (assertions.empty()) return {};
  const auto& a = assertions.back();
  return a.path + ":" + std::to_string(a.line) + " " + a.expression;
}

bool ValidationSession::Close(std::string& error)
{
  return mSession->Close(&error);
}

} // namespace plughost
