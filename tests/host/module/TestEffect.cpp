#include "tests/host/module/TestEffect.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CChunkDataParser.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace
{
std::atomic<int> gEffectsMade{0};
#if defined(_WIN32)
// Windows: a critical section, which a host sees as an imported call (the
// posix-threads mutex takes its uncontended path without one).
struct FaultLock
{
  FaultLock() { InitializeCriticalSection(&section); }
  ~FaultLock() { DeleteCriticalSection(&section); }
  void lock() { EnterCriticalSection(&section); }
  void unlock() { LeaveCriticalSection(&section); }
  CRITICAL_SECTION section;
};
FaultLock gFaultMutex; // only the Lock fault takes it
#else
std::mutex gFaultMutex; // only the Lock fault takes it
#endif
} // namespace

TestEffect::Fault TestEffect::FaultFromEnvironment()
{
  const char* name = std::getenv("BRASMIRE_TEST_FAULT");
  if (name == nullptr) return Fault::None;
  const std::pair<const char*, Fault> faults[] = {{"nan", Fault::NaN},
                                                  {"subnormal", Fault::Subnormal},
                                                  {"allocate", Fault::Allocate},
                                                  {"lock", Fault::Lock},
                                                  {"latency", Fault::Latency},
                                                  {"lose-state", Fault::LoseState},
                                                  {"drift", Fault::Drift},
                                                  {"offset", Fault::Offset},
                                                  {"write-input", Fault::WriteInput},
                                                  {"not-in-place", Fault::NotInPlace},
                                                  {"slow-subnormal", Fault::SlowSubnormal},
                                                  {"allocate-large", Fault::AllocateLarge},
                                                  {"restore-differs", Fault::RestoreDiffers},
                                                  {"hostile-value", Fault::HostileValue},
                                                  {"sleep", Fault::Sleep},
                                                  {"leak-view", Fault::LeakView},
                                                  {"open-gesture", Fault::OpenGesture},
                                                  {"drag-left-open", Fault::DragLeftOpen},
                                                  {"leak-timer", Fault::LeakTimer},
                                                  {"leak-window", Fault::LeakWindow}};
  for (const auto& [text, fault] : faults)
    if (std::strcmp(name, text) == 0) return fault;
  return Fault::None;
}

IACFUnknown* TestEffect::Create()
{
  return static_cast<AAX_IEffectParametersV4*>(new TestEffect);
}

TestEffect::TestEffect()
    : mParams{{"1", "Gain", 0.5, 0.5}, {"2", "Mode", 0.0, 0.0}}, mFault(FaultFromEnvironment()),
      mSerial(gEffectsMade.fetch_add(1))
{
}

TestEffect::~TestEffect() = default;

ACFRESULT TestEffect::InternalQueryInterface(const ACF_ID& iid, void** out)
{
  if (out == nullptr) return ACF_E_NOINTERFACE;
  if (iid == AAX_IID_EffectParameters || iid == AAX_IID_EffectParametersV2 ||
      iid == AAX_IID_EffectParametersV3 || iid == AAX_IID_EffectParametersV4)
    return Provide(static_cast<AAX_IEffectParametersV4*>(this), out);
  return CACFUnknown::InternalQueryInterface(iid, out);
}

TestEffect::Param* TestEffect::Find(AAX_CParamID id)
{
  if (id == nullptr) return nullptr;
  for (Param& p : mParams)
    if (p.id == id) return &p;
  return nullptr;
}

const TestEffect::Param* TestEffect::Find(AAX_CParamID id) const
{
  return const_cast<TestEffect*>(this)->Find(id);
}

AAX_Result TestEffect::ConnectHost(IACFUnknown* hostContext)
{
  mController = std::make_unique<AAX_VController>(hostContext);
  mAutomation = std::make_unique<AAX_VAutomationDelegate>(hostContext);
  mTransport = std::make_unique<AAX_VTransport>(hostContext);
  for (const Param& p : mParams)
    mAutomation->RegisterParameter(p.id.c_str());
  std::int32_t stem = 0;
  if (mController->OutputStemFormat(&stem) == AAX_SUCCESS) mChannels = stem & 0xFFFF;
  mController->SampleRate(&mSampleRate);
  mGain.store(mParams[0].normal * 2.0);
  if (mFault == Fault::Latency) mController->SetSignalLatency(32);
  return AAX_SUCCESS;
}

AAX_Result TestEffect::DisconnectHost()
{
  if (mAutomation)
    for (const Param& p : mParams)
      mAutomation->UnregisterParameter(p.id.c_str());
  mAutomation.reset();
  mTransport.reset();
  mController.reset();
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamCount(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = static_cast<std::int32_t>(mParams.size());
  return AAX_SUCCESS;
}

AAX_Result TestEffect::MasterBypassParamId(AAX_IString* out) const
{
  if (out) out->Set("");
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamIsAutomatable(AAX_CParamID id, bool* out) const
{
  if (Find(id) == nullptr || out == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  *out = true;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamStepCount(AAX_CParamID id, std::int32_t* out) const
{
  if (Find(id) == nullptr || out == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  *out = 128;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamName(AAX_CParamID id, AAX_IString* out) const
{
  const Param* p = Find(id);
  if (out) out->Set(p ? p->name.c_str() : "");
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamNameForLength(AAX_CParamID id, AAX_IString* out,
                                          std::int32_t length) const
{
  if (out == nullptr) return AAX_ERROR_INVALID_STRING_CONVERSION;
  const Param* p = Find(id);
  const std::string name = p ? p->name : std::string();
  out->Set(name.substr(0, static_cast<std::size_t>(std::max(length, 0))).c_str());
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamDefaultNormal(AAX_CParamID id, double* out) const
{
  const Param* p = Find(id);
  if (p == nullptr || out == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  *out = p->defaultNormal;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::SetParamDefaultNormal(AAX_CParamID id, double value)
{
  Param* p = Find(id);
  if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  p->defaultNormal = value;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamTypeCode(AAX_CParamID id, std::int32_t* out) const
{
  if (Find(id) == nullptr || out == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  *out = 1;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamOrientationCode(AAX_CParamID id, std::int32_t* out) const
{
  if (Find(id) == nullptr || out == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  *out = 0;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamObject(AAX_CParamID, AAX_IParameter** out)
{
  if (out) *out = nullptr;
  return AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result TestEffect::ParamIndexOf(AAX_CParamID id, std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  const Param* p = Find(id);
  *out = p ? static_cast<std::int32_t>(p - mParams.data()) : -1;
  return p ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result TestEffect::ParamIdAt(std::int32_t index, AAX_IString* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (index < 0 || index >= static_cast<std::int32_t>(mParams.size()))
  {
    out->Set("");
    return AAX_ERROR_INVALID_PARAMETER_ID;
  }
  out->Set(mParams[static_cast<std::size_t>(index)].id.c_str());
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamValueInfo(AAX_CParamID, std::int32_t, std::int32_t* out) const
{
  if (out) *out = 0;
  return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result TestEffect::ParamValueFromText(AAX_CParamID id, double* out,
                                          const AAX_IString* text) const
{
  if (Find(id) == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  if (out == nullptr || text == nullptr) return AAX_ERROR_INVALID_STRING_CONVERSION;
  char* end = nullptr;
  const double value = std::strtod(text->Get(), &end);
  if (end == text->Get()) return AAX_ERROR_INVALID_STRING_CONVERSION;
  *out = value;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamTextFromValue(AAX_CParamID id, double normalised, AAX_IString* out,
                                          std::int32_t) const
{
  if (Find(id) == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  if (out == nullptr) return AAX_ERROR_INVALID_STRING_CONVERSION;
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", normalised);
  out->Set(text);
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ParamValueText(AAX_CParamID id, AAX_IString* out,
                                      std::int32_t maxLength) const
{
  const Param* p = Find(id);
  if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  return ParamTextFromValue(id, p->normal, out, maxLength);
}

AAX_Result TestEffect::ParamNormal(AAX_CParamID id, double* out) const
{
  const Param* p = Find(id);
  if (p == nullptr || out == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  *out = p->normal;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::RequestParamValue(AAX_CParamID id, double normalised)
{
  if (Find(id) == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  if (mAutomation && mAutomation->IsValid())
    return mAutomation->PostSetValueRequest(id, normalised);
  return ApplyHostParamValue(id, normalised, 0);
}

AAX_Result TestEffect::RequestParamValueRelative(AAX_CParamID id, double delta)
{
  const Param* p = Find(id);
  if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  return RequestParamValue(id, std::clamp(p->normal + delta, 0.0, 1.0));
}

AAX_Result TestEffect::TouchParam(AAX_CParamID id)
{
  if (Find(id) == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  return mAutomation ? mAutomation->PostTouchRequest(id) : AAX_SUCCESS;
}

AAX_Result TestEffect::ReleaseParam(AAX_CParamID id)
{
  if (Find(id) == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  return mAutomation ? mAutomation->PostReleaseRequest(id) : AAX_SUCCESS;
}

AAX_Result TestEffect::ApplyHostParamValue(AAX_CParamID id, double normalised, std::int32_t)
{
  Param* p = Find(id);
  if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  const double raw = normalised;
  // NaN keeps the value; the rest is clamped into 0..1.
  normalised = std::isnan(normalised) ? p->normal : std::clamp(normalised, 0.0, 1.0);
  if (p->normal != normalised) ++mChangeCount;
  p->normal = normalised;
  if (p == &mParams[0]) mGain.store((mFault == Fault::HostileValue ? raw : normalised) * 2.0);
  if (mAutomation) mAutomation->PostCurrentValue(id, normalised);
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ApplyHostParamValueRelative(AAX_CParamID id, double delta)
{
  const Param* p = Find(id);
  if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  return ApplyHostParamValue(id, std::clamp(p->normal + delta, 0.0, 1.0), 0);
}

AAX_Result TestEffect::DispatchParamPackets()
{
  if (!mController) return AAX_ERROR_NOT_INITIALIZED;
  const std::int64_t number = mNextStateNumber++;
  return mController->PostPacket(AAX_eField_CurrentStateNumber, &number, sizeof number);
}

AAX_Result TestEffect::InitFieldData(AAX_CFieldIndex field, void* data, std::uint32_t size) const
{
  if (data == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  std::memset(data, 0, size);
  if (field == AAX_eField_PrivateData)
  {
    if (size != sizeof(void*)) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
    const TestEffect* self = this;
    std::memcpy(data, &self, sizeof self);
  }
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ChunkCount(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = 1;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ChunkIdAt(std::int32_t index, AAX_CTypeID* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = index == 0 ? kChunkId : 0;
  return index == 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_CHUNK_INDEX;
}

AAX_Result TestEffect::ChunkSize(AAX_CTypeID id, std::uint32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = 0;
  if (id != kChunkId) return AAX_ERROR_INVALID_CHUNK_ID;
  AAX_CChunkDataParser parser;
  for (const Param& p : mParams)
    parser.AppendDouble(p.id.c_str(), p.normal);
  *out = static_cast<std::uint32_t>(parser.ContainerSize());
  return AAX_SUCCESS;
}

AAX_Result TestEffect::WriteChunk(AAX_CTypeID id, AAX_ChunkRecord* record) const
{
  if (id != kChunkId) return AAX_ERROR_INVALID_CHUNK_ID;
  if (record == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  AAX_CChunkDataParser parser;
  for (const Param& p : mParams)
    parser.AppendDouble(p.id.c_str(), p.normal);
  // The host allocated the record for the size it was told; its size field says so.
  return parser.GetChunkData(record, record->mSize);
}

AAX_Result TestEffect::ApplyChunk(AAX_CTypeID id, const AAX_ChunkRecord* record)
{
  if (id != kChunkId) return AAX_ERROR_INVALID_CHUNK_ID;
  AAX_CChunkDataParser parser;
  parser.LoadContainer(record);
  for (Param& p : mParams)
  {
    if (mFault == Fault::LoseState && &p == &mParams[1]) continue;
    double value = 0.0;
    if (!parser.ReadDouble(p.id.c_str(), &value)) continue;
    if (mFault == Fault::RestoreDiffers)
      p.normal = value; // the gain stage keeps its old value
    else
      ApplyHostParamValue(p.id.c_str(), value, 2);
  }
  return AAX_SUCCESS;
}

AAX_Result TestEffect::CompareChunk(const AAX_ChunkRecord* record, bool* equal) const
{
  if (equal == nullptr || record == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *equal = true;
  if (record->mChunkID != kChunkId) return AAX_SUCCESS;
  AAX_CChunkDataParser parser;
  parser.LoadContainer(record);
  for (const Param& p : mParams)
  {
    double value = 0.0;
    if (!parser.ReadDouble(p.id.c_str(), &value) || value != p.normal) *equal = false;
  }
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ChangeCount(std::int32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  *out = mChangeCount;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::SampleDisplayCurve(AAX_CTypeID, const float*, std::uint32_t, float*) const
{
  return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result TestEffect::DisplayCurveMeters(AAX_CTypeID, AAX_CTypeID*, AAX_CTypeID*,
                                          std::int32_t* meterCount) const
{
  if (meterCount) *meterCount = 0;
  return AAX_SUCCESS;
}

AAX_Result TestEffect::DisplayCurveRange(AAX_CTypeID, float*, float*, float*, float*) const
{
  return AAX_SUCCESS;
}

AAX_Result TestEffect::ProcessOfflinePass(const float* const*, float* const*, std::int32_t)
{
  return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result TestEffect::CustomData(AAX_CTypeID key, void* data, std::uint32_t size) const
{
  if (data == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (key == kLastStateNumber && size == sizeof(std::int64_t))
  {
    const std::int64_t value = mLastStateNumber.load();
    std::memcpy(data, &value, sizeof value);
    return AAX_SUCCESS;
  }
  if (key == kLastTempo && size == sizeof(double))
  {
    const double value = mLastTempo.load();
    std::memcpy(data, &value, sizeof value);
    return AAX_SUCCESS;
  }
  if (key == kSampleRate && size == sizeof(float))
  {
    std::memcpy(data, &mSampleRate, sizeof mSampleRate);
    return AAX_SUCCESS;
  }
  return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result TestEffect::SetCustomData(AAX_CTypeID, const void*, std::uint32_t)
{
  return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result TestEffect::PageTableRequest(AAX_CTypeID, std::int32_t, std::int32_t, IACFUnknown*)
{
  return AAX_SUCCESS;
}

void TestEffect::RenderCallback(AAX_RenderContext* const* first, AAX_RenderContext* const* end)
{
  for (AAX_RenderContext* const* it = first; it != end; ++it)
  {
    if (*it == nullptr || (*it)->mPrivateData == nullptr) continue;
    TestEffect* self = nullptr;
    std::memcpy(&self, (*it)->mPrivateData, sizeof self);
    if (self) self->Render(**it);
  }
}

void TestEffect::Render(const AAX_RenderContext& context)
{
  if (context.mCurrentStateNumber) mLastStateNumber.store(*context.mCurrentStateNumber);
  if (context.mTransport)
  {
    double tempo = 0.0;
    if (context.mTransport->CurrentTempo(&tempo) == AAX_SUCCESS) mLastTempo.store(tempo);
  }
  const std::int32_t frames = context.mBufferLength ? *context.mBufferLength : 0;
  const double gain = mGain.load();
  for (std::int32_t c = 0; c < mChannels; ++c)
  {
    const float* in = context.mInputs ? context.mInputs[c] : nullptr;
    float* out = context.mOutputs ? context.mOutputs[c] : nullptr;
    if (in == nullptr || out == nullptr) continue;
    if (mFault == Fault::NotInPlace) std::fill(out, out + frames, 0.0f);
    // Non-finite input is silence and subnormal output is flushed to zero, as
    // a sound effect does.
    for (std::int32_t i = 0; i < frames; ++i)
    {
      const float y = std::isfinite(in[i]) ? static_cast<float>(in[i] * gain) : 0.0f;
      out[i] = std::fpclassify(y) == FP_SUBNORMAL ? 0.0f : y;
    }
    if (mFault == Fault::WriteInput && in != out)
      std::fill(const_cast<float*>(in), const_cast<float*>(in) + frames, 0.0f);
    if (mFault == Fault::SlowSubnormal)
      for (std::int32_t i = 0; i < frames; ++i)
        if (std::fpclassify(in[i]) == FP_SUBNORMAL)
        {
          // What a filter that lets its state go subnormal costs.
          volatile float x = in[i];
          for (int k = 0; k < 20; ++k)
            x = x * 0.999f + in[i];
        }
    if (mFault == Fault::NaN && frames > 0) out[0] = std::numeric_limits<float>::quiet_NaN();
    if (mFault == Fault::Subnormal)
      for (std::int32_t i = 0; i < frames; ++i)
        if (out[i] == 0.0f) out[i] = 1e-40f;
    if (mFault == Fault::Offset)
      for (std::int32_t i = 0; i < frames; ++i)
        out[i] += 5e-4f;
    if (mFault == Fault::Drift)
      for (std::int32_t i = 0; i < frames; ++i)
        out[i] += 1e-3f * static_cast<float>(mSerial % 7);
  }
  if (mFault == Fault::Allocate)
  {
    // A direct call of the allocation function: unlike a new-expression, the
    // compiler may not leave it out.
    void* scratch = ::operator new(static_cast<std::size_t>(frames) + 1);
    ::operator delete(scratch);
  }
  if (mFault == Fault::AllocateLarge && frames > 4096)
  {
    void* scratch = ::operator new(static_cast<std::size_t>(frames) * sizeof(float));
    ::operator delete(scratch);
  }
  if (mFault == Fault::Sleep)
  {
#if defined(_WIN32)
    Sleep(0); // the C++ library's sleep goes through the posix-threads layer
#else
    std::this_thread::sleep_for(std::chrono::microseconds(1));
#endif
  }
  if (mFault == Fault::Lock)
  {
    std::lock_guard lock(gFaultMutex);
    mLastStateNumber.store(mLastStateNumber.load());
  }
  // Every incoming MIDI packet is echoed to the output node.
  if (context.mMIDIIn && context.mMIDIOut)
  {
    const AAX_MIDIStream* stream = context.mMIDIIn->NodeBuffer();
    for (std::uint32_t i = 0; stream && i < stream->mBufferSize; ++i)
      context.mMIDIOut->PostMIDIPacket(&stream->mBuffer[i]);
  }
}
