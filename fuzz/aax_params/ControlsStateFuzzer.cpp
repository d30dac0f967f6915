// A saved project's 'elck' chunk restored into a connected effect: whatever the
// bytes, every parameter must stay finite and inside its range, and the state
// written afterwards must compare equal to the effect.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameter.h"
#include "Host/HostRef.h"
#include "Host/HostString.h"
#include "Host/InstanceContext.h"
#include "tests/aax_params/module/ParamsTestEffect.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr AAX_CTypeID kControls = AAX_FourCC("elck");

struct Connected
{
  Connected()
      : host(aaxhost::HostRef<aaxhost::HostObject>::Adopt(
            aaxhost::NewHostObject<aaxhost::HostObject>())),
        context(aaxhost::HostRef<aaxhost::InstanceContext>::Adopt(
            aaxhost::NewHostObject<aaxhost::InstanceContext>(host, "fuzz")))
  {
    auto created = aaxhost::HostRef<IACFUnknown>::Retain(ParamsTestEffect::Create());
    effect = aaxhost::QueryRef<AAX_IEffectParameters>(created.Get(), AAX_IID_EffectParameters);
    context->Automation().SetEffect(effect.Get());
    context->SetEffect(effect.Get());
    if (effect->ConnectHost(context.Get()) != AAX_SUCCESS) std::abort();
  }

  aaxhost::HostRef<aaxhost::HostObject> host;
  aaxhost::HostRef<aaxhost::InstanceContext> context;
  aaxhost::HostRef<AAX_IEffectParameters> effect;
};

std::vector<std::uint64_t> Record(const std::uint8_t* data, std::size_t size)
{
  std::vector<std::uint64_t> storage((AAX_CHUNK_HEADER_SIZE + size + 7) / 8, 0);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(storage.data());
  record->mSize = static_cast<std::int32_t>(size);
  record->mChunkID = kControls;
  if (size != 0 && data != nullptr) std::memcpy(AAX_ChunkData(record), data, size);
  return storage;
}

void CheckParameters(AAX_IEffectParameters& effect)
{
  std::int32_t count = 0;
  effect.ParamCount(&count);
  for (std::int32_t i = 0; i < count; ++i)
  {
    aaxhost::HostString id;
    if (effect.ParamIdAt(i, &id) != AAX_SUCCESS) std::abort();
    AAX_IParameter* p = nullptr;
    if (effect.ParamObject(id.Get(), &p) != AAX_SUCCESS || p == nullptr) std::abort();
    const double normal = p->GetNormalizedValue();
    if (!std::isfinite(normal) || normal < 0.0 || normal > 1.0) std::abort();
    double plain = 0.0;
    if (p->GetValueAsDouble(&plain))
    {
      double back = 0.0;
      // The plain value must be one the parameter itself could produce.
      if (!std::isfinite(plain) || !p->GetDoubleFromNormalizedValue(normal, &back) ||
          std::fabs(back - plain) > 1e-9 * (1.0 + std::fabs(plain)))
        std::abort();
    }
    std::int32_t whole = 0;
    if (p->GetValueAsInt32(&whole))
    {
      std::int32_t back = 0;
      if (!p->GetInt32FromNormalizedValue(normal, &back) || back != whole) std::abort();
    }
  }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  static Connected connected;
  AAX_IEffectParameters& effect = *connected.effect.Get();

  auto hostile = Record(data, size);
  auto* record = reinterpret_cast<AAX_ChunkRecord*>(hostile.data());
  if (effect.ApplyChunk(kControls, record) != AAX_SUCCESS) std::abort();
  bool equal = false;
  if (effect.CompareChunk(record, &equal) != AAX_SUCCESS) std::abort();
  CheckParameters(effect);

  std::uint32_t chunkSize = 0;
  if (effect.ChunkSize(kControls, &chunkSize) != AAX_SUCCESS) std::abort();
  auto written = Record(nullptr, chunkSize);
  auto* out = reinterpret_cast<AAX_ChunkRecord*>(written.data());
  if (effect.WriteChunk(kControls, out) != AAX_SUCCESS) std::abort();
  out->mChunkID = kControls;
  if (effect.CompareChunk(out, &equal) != AAX_SUCCESS || !equal) std::abort();
  return 0;
}
