#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectParameters.h"

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_GuardHostCall.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_Trace.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VAutomationDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VPageTable.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VTransport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace
{
// Lines under which the host has always seen these checks reported.
constexpr std::int32_t kLineChunkedCount = 128;
constexpr std::int32_t kLineCompareMissing = 667;
constexpr std::int32_t kLineBuildMissing = 815;

// Longest parameter name the shortened-name search looks at.
constexpr std::size_t kMaxNameForLength = 255;

bool Differs(double a, double b)
{
  return std::isnan(a) || std::isnan(b) || a != b;
}
} // namespace

AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters()
{
  // Parameters unregister from the delegate, which must still exist.
  mParameters.RemoveAll();
}

ACFRESULT AAX_CEffectParameters::InternalQueryInterface(const ACF_ID& iid, void** out)
{
  if (out == nullptr) return ACF_E_NOINTERFACE;
  if (iid == AAX_IID_EffectParameters || iid == AAX_IID_EffectParametersV2 ||
      iid == AAX_IID_EffectParametersV3 || iid == AAX_IID_EffectParametersV4)
    return Provide(static_cast<AAX_IEffectParametersV4*>(this), out);
  return CACFUnknown::InternalQueryInterface(iid, out);
}

// Lifecycle -----------------------------------------------------------------

AAX_Result AAX_CEffectParameters::ConnectHost(IACFUnknown* hostContext)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        mController = std::make_unique<AAX_VController>(hostContext);
        mAutomation = std::make_unique<AAX_VAutomationDelegate>(hostContext);
        mTransport = std::make_unique<AAX_VTransport>(hostContext);
        // Without the host's automation interface values apply at once instead of
        // vanishing into requests nobody answers.
        mParameters.SetAutomationDelegate(mAutomation->IsValid() ? mAutomation.get() : nullptr);
        mPackets.SetOwner(mController.get(), this);

        const AAX_Result initialised = InitializeEffect();
        if (initialised != AAX_SUCCESS) return initialised;

        AAX_CString bypassId;
        MasterBypassParamId(&bypassId);
        mChunkFilter.insert(bypassId.StdString());

        std::int32_t count = 0;
        ParamCount(&count);
        if (count > 0)
        {
          mNumChunkedParameters = count - static_cast<std::int32_t>(mChunkFilter.size());
          if (!(mNumChunkedParameters >= 0))
            AAX_ReportAssertion(kCheckSource, kLineChunkedCount, "mNumChunkedParameters >= 0");
        }
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::DisconnectHost()
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        mParameters.RemoveAll();
        mParameters.SetAutomationDelegate(nullptr);
        mPackets.SetOwner(nullptr, nullptr);
        mController.reset();
        mAutomation.reset();
        mTransport.reset();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::OnHostNotification(AAX_CTypeID type, const void* data,
                                                     std::uint32_t size)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (type == kPreviewNotification && data != nullptr && size >= sizeof(std::int32_t))
          if (AAX_IParameter* preview = mParameters.Find(kPreviewParameterID))
          {
            std::int32_t on = 0;
            std::memcpy(&on, data, sizeof on);
            preview->SetValueWithBool(on != 0);
          }
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::InitializeEffect()
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

// Parameter queries -----------------------------------------------------------

AAX_Result AAX_CEffectParameters::ParamCount(std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        *out = static_cast<std::int32_t>(
            std::min<std::size_t>(mParameters.Count(), std::numeric_limits<std::int32_t>::max()));
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::MasterBypassParamId(AAX_IString* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        out->Set(mParameters.Find(kMasterBypassID) ? kMasterBypassID : "");
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamIsAutomatable(AAX_CParamID id, bool* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p = mParameters.Find(id);
        *out = p ? p->Automatable() : false;
        return p ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
      });
}

AAX_Result AAX_CEffectParameters::ParamStepCount(AAX_CParamID id, std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        const std::uint32_t steps = p->GetNumberOfSteps();
        if (steps > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
          return AAX_ERROR_SIGNED_INT_OVERFLOW;
        *out = static_cast<std::int32_t>(steps);
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamName(AAX_CParamID id, AAX_IString* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p = mParameters.Find(id);
        if (p)
          *out = p->Name();
        else
          out->Set("");
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamNameForLength(AAX_CParamID id, AAX_IString* out,
                                                     std::int32_t length) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_INVALID_STRING_CONVERSION;
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr)
        {
          out->Set("");
          return AAX_SUCCESS;
        }
        const AAX_IString& source = p->ShortenedName(length);
        const std::string name(source.Get(),
                               std::min<std::size_t>(source.Length(), kMaxNameForLength));
        // A name may hold several variants separated by line feeds: take the longest that fits.
        std::string best;
        std::size_t start = 0;
        while (start <= name.size())
        {
          std::size_t end = name.find('\n', start);
          if (end == std::string::npos) end = name.size();
          const std::size_t len = end - start;
          if (len >= 1 && static_cast<std::int64_t>(len) <= length && len > best.size())
            best = name.substr(start, len);
          start = end + 1;
        }
        if (best.empty() && length > 0) best = name.substr(0, static_cast<std::size_t>(length));
        out->Set(best.c_str());
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamDefaultNormal(AAX_CParamID id, double* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        *out = p->GetNormalizedDefaultValue();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::SetParamDefaultNormal(AAX_CParamID id, double value)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        p->SetNormalizedDefaultValue(value);
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamTypeCode(AAX_CParamID id, std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        *out = p->GetType();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamOrientationCode(AAX_CParamID id, std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        *out = p->GetOrientation();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamObject(AAX_CParamID id, AAX_IParameter** out)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        *out = mParameters.Find(id);
        return *out ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
      });
}

AAX_Result AAX_CEffectParameters::ParamIndexOf(AAX_CParamID id, std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        *out = -1;
        if (id == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        for (std::size_t i = 0; i < mParameters.Count(); ++i)
          if (std::strcmp(mParameters.At(i)->Identifier(), id) == 0)
          {
            *out = static_cast<std::int32_t>(i);
            return AAX_SUCCESS;
          }
        return AAX_ERROR_INVALID_PARAMETER_ID;
      });
}

AAX_Result AAX_CEffectParameters::ParamIdAt(std::int32_t index, AAX_IString* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p =
            index >= 0 ? mParameters.At(static_cast<std::size_t>(index)) : nullptr;
        out->Set(p ? p->Identifier() : "");
        return p ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
      });
}

AAX_Result AAX_CEffectParameters::ParamValueInfo(AAX_CParamID, std::int32_t,
                                                 std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out) *out = 0;
        return AAX_ERROR_UNIMPLEMENTED;
      });
}

AAX_Result AAX_CEffectParameters::ParamValueFromText(AAX_CParamID id, double* out,
                                                     const AAX_IString* text) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        if (out == nullptr || text == nullptr || !p->GetNormalizedValueFromString(*text, out))
          return AAX_ERROR_INVALID_STRING_CONVERSION;
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamTextFromValue(AAX_CParamID id, double normalised,
                                                     AAX_IString* out, std::int32_t maxLength) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        if (out == nullptr || !p->GetStringFromNormalizedValue(normalised, maxLength, out))
          return AAX_ERROR_INVALID_STRING_CONVERSION;
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamValueText(AAX_CParamID id, AAX_IString* out,
                                                 std::int32_t maxLength) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        if (out == nullptr) return AAX_ERROR_INVALID_STRING_CONVERSION;
        p->GetValueString(maxLength, out);
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamNormal(AAX_CParamID id, double* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        const AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        *out = p->GetNormalizedValue();
        return AAX_SUCCESS;
      });
}

// Value traffic ---------------------------------------------------------------

AAX_Result AAX_CEffectParameters::RequestParamValue(AAX_CParamID id, double normalised)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        p->SetNormalizedValue(normalised);
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::RequestParamValueRelative(AAX_CParamID id, double delta)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        double current = 0.0;
        const AAX_Result found = ParamNormal(id, &current);
        if (found != AAX_SUCCESS) return found;
        return RequestParamValue(id, std::clamp(current + delta, 0.0, 1.0));
      });
}

AAX_Result AAX_CEffectParameters::TouchParam(AAX_CParamID id)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        p->Touch();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ReleaseParam(AAX_CParamID id)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        p->Release();
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ParamTouchChanged(AAX_CParamID)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectParameters::ApplyHostParamValue(AAX_CParamID id, double normalised,
                                                      std::int32_t)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        AAX_IParameter* p = mParameters.Find(id);
        if (p == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
        const double before = p->GetNormalizedValue();
        p->UpdateNormalizedValue(normalised);
        const AAX_Result result = mPackets.SetDirty(id, true);
        if (Differs(before, normalised)) IncrementChangeCount();
        return result;
      });
}

AAX_Result AAX_CEffectParameters::ApplyHostParamValueRelative(AAX_CParamID id, double delta)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        double current = 0.0;
        const AAX_Result found = ParamNormal(id, &current);
        if (found != AAX_SUCCESS) return found;
        return ApplyHostParamValue(id, std::clamp(current + delta, 0.0, 1.0), 0);
      });
}

AAX_Result AAX_CEffectParameters::DispatchParamPackets()
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return mPackets.Dispatch(); });
}

AAX_Result AAX_CEffectParameters::InitFieldData(AAX_CFieldIndex, void* data,
                                                std::uint32_t size) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (data != nullptr) std::memset(data, 0, size);
        return AAX_SUCCESS;
      });
}

// State chunks ----------------------------------------------------------------

bool AAX_CEffectParameters::IsFiltered(const AAX_IParameter& parameter) const
{
  return mChunkFilter.count(parameter.Identifier()) != 0;
}

void AAX_CEffectParameters::BuildControlsState() const
{
  mChunkParser.ClearEntries();
  std::int32_t count = 0;
  ParamCount(&count);
  for (std::int32_t i = 0; i < count; ++i)
  {
    const AAX_IParameter* p = mParameters.At(static_cast<std::size_t>(i));
    if (p == nullptr)
    {
      AAX_ReportAssertion(kCheckSource, kLineBuildMissing, "NULL != parameter");
      continue;
    }
    if (IsFiltered(*p)) continue;
    const char* id = p->Identifier();
    float f = 0.0f;
    std::int32_t l = 0;
    bool b = false;
    double d = 0.0;
    AAX_CString text;
    if (p->GetValueAsFloat(&f))
      mChunkParser.AppendDouble(id, static_cast<double>(f));
    else if (p->GetValueAsInt32(&l))
      mChunkParser.AppendInt32(id, l);
    else if (p->GetValueAsBool(&b))
      mChunkParser.AppendInt32(id, b ? 1 : 0);
    else if (p->GetValueAsDouble(&d))
      mChunkParser.AppendDouble(id, d);
    else if (p->GetValueAsString(&text))
      mChunkParser.AppendText(id, text.Get());
  }
}

AAX_Result AAX_CEffectParameters::ChunkCount(std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        *out = 1;
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ChunkIdAt(std::int32_t index, AAX_CTypeID* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        *out = index == 0 ? kControlsChunkID : 0;
        return index == 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_CHUNK_INDEX;
      });
}

AAX_Result AAX_CEffectParameters::ChunkSize(AAX_CTypeID id, std::uint32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        *out = 0;
        if (id != kControlsChunkID) return AAX_ERROR_INVALID_CHUNK_ID;
        BuildControlsState();
        const std::int32_t size = mChunkParser.ContainerSize();
        mLastChunkSize = size;
        if (size < 0) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
        *out = static_cast<std::uint32_t>(size);
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::WriteChunk(AAX_CTypeID id, AAX_ChunkRecord* record) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (id != kControlsChunkID) return AAX_ERROR_INVALID_CHUNK_ID;
        if (record == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        BuildControlsState();
        const std::int32_t size = mChunkParser.ContainerSize();
        if (size != mLastChunkSize || size == 0) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
        record->mVersion = mChunkParser.ContainerVersion();
        std::memset(record->mName, 0, sizeof record->mName);
        std::memcpy(record->mName, kControlsChunkName, std::strlen(kControlsChunkName));
        // The host sized the record from the last ChunkSize answer.
        return mChunkParser.GetChunkData(record, mLastChunkSize);
      });
}

AAX_Result AAX_CEffectParameters::ApplyChunk(AAX_CTypeID id, const AAX_ChunkRecord* record)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (id != kControlsChunkID) return AAX_ERROR_INVALID_CHUNK_ID;
        if (record == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        mChunkParser.LoadContainer(record);
        std::int32_t count = 0;
        ParamCount(&count);
        for (std::int32_t i = 0; i < count; ++i)
        {
          AAX_IParameter* p = mParameters.At(static_cast<std::size_t>(i));
          if (p == nullptr || IsFiltered(*p)) continue;
          const char* pid = p->Identifier();
          float f = 0.0f;
          std::int32_t l = 0;
          bool b = false;
          double d = 0.0;
          AAX_CString text;
          if (p->GetValueAsFloat(&f))
          {
            if (mChunkParser.ReadDouble(pid, &d)) p->SetValueWithFloat(static_cast<float>(d));
          }
          else if (p->GetValueAsInt32(&l))
          {
            if (mChunkParser.ReadInt32(pid, &l)) p->SetValueWithInt32(l);
          }
          else if (p->GetValueAsBool(&b))
          {
            if (mChunkParser.ReadInt32(pid, &l)) p->SetValueWithBool(l != 0);
          }
          else if (p->GetValueAsDouble(&d))
          {
            if (mChunkParser.ReadDouble(pid, &d)) p->SetValueWithDouble(d);
          }
          else if (p->GetValueAsString(&text))
          {
            std::string s;
            if (mChunkParser.ReadText(pid, &s)) p->SetValueWithString(AAX_CString(s.c_str()));
          }
        }
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::CompareChunk(const AAX_ChunkRecord* record, bool* equal) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (record == nullptr || equal == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        if (record->mChunkID != kControlsChunkID)
        {
          *equal = true;
          return AAX_SUCCESS;
        }
        *equal = false;
        mChunkParser.LoadContainer(record);
        std::int32_t count = 0;
        ParamCount(&count);
        if (count == 0)
        {
          *equal = true;
          return AAX_SUCCESS;
        }
        for (std::int32_t i = 0; i < count; ++i)
        {
          const AAX_IParameter* p = mParameters.At(static_cast<std::size_t>(i));
          if (p == nullptr)
          {
            AAX_ReportAssertion(kCheckSource, kLineCompareMissing, "NULL != parameter");
            continue;
          }
          if (IsFiltered(*p)) continue;
          const char* pid = p->Identifier();
          float f = 0.0f;
          std::int32_t l = 0;
          bool b = false;
          double d = 0.0;
          AAX_CString text;
          double stored = 0.0;
          std::int32_t storedInt = 0;
          bool same = false;
          if (p->GetValueAsFloat(&f))
            same = mChunkParser.ReadDouble(pid, &stored) && static_cast<float>(stored) == f;
          else if (p->GetValueAsInt32(&l))
            same = mChunkParser.ReadInt32(pid, &storedInt) && storedInt == l;
          else if (p->GetValueAsBool(&b))
            same = mChunkParser.ReadInt32(pid, &storedInt) && (storedInt != 0) == b;
          else if (p->GetValueAsDouble(&d))
            same = mChunkParser.ReadDouble(pid, &stored) &&
                   static_cast<float>(stored) == static_cast<float>(d);
          else if (p->GetValueAsString(&text))
          {
            std::string s;
            same = mChunkParser.ReadText(pid, &s) && s == text.StdString();
          }
          if (!same) return AAX_SUCCESS;
        }
        *equal = true;
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::ChangeCount(std::int32_t* out) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
        if (mChangeCount >= 0) *out = mChangeCount;
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::HostIdle()
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

// Unused parts of the published interface -------------------------------------

AAX_Result AAX_CEffectParameters::SampleDisplayCurve(AAX_CTypeID, const float*, std::uint32_t,
                                                     float*) const
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_ERROR_UNIMPLEMENTED; });
}

AAX_Result AAX_CEffectParameters::DisplayCurveMeters(AAX_CTypeID, AAX_CTypeID*, AAX_CTypeID*,
                                                     std::int32_t* meterCount) const
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        if (meterCount) *meterCount = 0;
        return AAX_SUCCESS;
      });
}

AAX_Result AAX_CEffectParameters::DisplayCurveRange(AAX_CTypeID, float*, float*, float*,
                                                    float*) const
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectParameters::AttachTaskAgent(IACFUnknown*)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectParameters::ProcessOfflinePass(const float* const*, float* const*,
                                                     std::int32_t)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_ERROR_UNIMPLEMENTED; });
}

AAX_Result AAX_CEffectParameters::NotifySessionEvent(AAX_CTypeID)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectParameters::UpdateHostBypass(bool)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_SUCCESS; });
}

AAX_Result AAX_CEffectParameters::CustomData(AAX_CTypeID, void*, std::uint32_t) const
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_ERROR_UNIMPLEMENTED; });
}

AAX_Result AAX_CEffectParameters::SetCustomData(AAX_CTypeID, const void*, std::uint32_t)
{
  return AAX_GuardHostCall([&]() -> AAX_Result { return AAX_ERROR_UNIMPLEMENTED; });
}

AAX_Result AAX_CEffectParameters::PageTableRequest(AAX_CTypeID tableType, std::int32_t tablePage,
                                                   std::int32_t, IACFUnknown* pageTableHost)
{
  return AAX_GuardHostCall(
      [&]() -> AAX_Result
      {
        AAX_VPageTable table(pageTableHost);
        if (!table.IsSupported()) return AAX_SUCCESS;
        return FillPageTable(tableType, tablePage, table);
      });
}

AAX_Result AAX_CEffectParameters::FillPageTable(AAX_CTypeID, std::int32_t, AAX_VPageTable&) const
{
  return AAX_ERROR_UNIMPLEMENTED;
}
