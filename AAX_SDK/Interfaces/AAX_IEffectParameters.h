#pragma once

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"
#include "AAX_SDK/Interfaces/AAX_IString.h"
#include "AAX_SDK/Interfaces/IACFUnknown.h"

class AAX_IParameter; // the module's own parameter objects; never used by a host

// The effect-parameters object as the host sees it: parameter queries, value
// traffic in both directions, state chunks. Every call comes from a host
// thread other than the audio thread. Texts go out through host strings.
class AAX_IEffectParameters : public IACFUnknown
{
public:
  // Lifecycle. [main-thread]
  virtual AAX_Result ConnectHost(IACFUnknown* hostContext) = 0;
  virtual AAX_Result DisconnectHost() = 0;
  virtual AAX_Result OnHostNotification(AAX_CTypeID type, const void* data, std::uint32_t size) = 0;

  // Parameter queries. [any-thread except audio]
  virtual AAX_Result ParamCount(std::int32_t* out) const = 0;
  virtual AAX_Result MasterBypassParamId(AAX_IString* out) const = 0;
  virtual AAX_Result ParamIsAutomatable(AAX_CParamID id, bool* out) const = 0;
  virtual AAX_Result ParamStepCount(AAX_CParamID id, std::int32_t* out) const = 0;
  virtual AAX_Result ParamName(AAX_CParamID id, AAX_IString* out) const = 0;
  virtual AAX_Result ParamNameForLength(AAX_CParamID id, AAX_IString* out,
                                        std::int32_t length) const = 0;
  virtual AAX_Result ParamDefaultNormal(AAX_CParamID id, double* out) const = 0;
  virtual AAX_Result SetParamDefaultNormal(AAX_CParamID id, double value) = 0;
  virtual AAX_Result ParamTypeCode(AAX_CParamID id, std::int32_t* out) const = 0;
  virtual AAX_Result ParamOrientationCode(AAX_CParamID id, std::int32_t* out) const = 0;
  virtual AAX_Result ParamObject(AAX_CParamID id, AAX_IParameter** out) = 0;
  virtual AAX_Result ParamIndexOf(AAX_CParamID id, std::int32_t* out) const = 0;
  virtual AAX_Result ParamIdAt(std::int32_t index, AAX_IString* out) const = 0;
  virtual AAX_Result ParamValueInfo(AAX_CParamID id, std::int32_t info,
                                    std::int32_t* out) const = 0;
  virtual AAX_Result ParamValueFromText(AAX_CParamID id, double* out,
                                        const AAX_IString* text) const = 0;
  virtual AAX_Result ParamTextFromValue(AAX_CParamID id, double normalised, AAX_IString* out,
                                        std::int32_t maxLength) const = 0;
  virtual AAX_Result ParamValueText(AAX_CParamID id, AAX_IString* out,
                                    std::int32_t maxLength) const = 0;
  virtual AAX_Result ParamNormal(AAX_CParamID id, double* out) const = 0;

  // Value traffic. [any-thread except audio]
  virtual AAX_Result RequestParamValue(AAX_CParamID id, double normalised) = 0;
  virtual AAX_Result RequestParamValueRelative(AAX_CParamID id, double delta) = 0;
  virtual AAX_Result TouchParam(AAX_CParamID id) = 0;
  virtual AAX_Result ReleaseParam(AAX_CParamID id) = 0;
  virtual AAX_Result ParamTouchChanged(AAX_CParamID id) = 0;
  // The host's decision for a value, after automation or a set-value request.
  virtual AAX_Result ApplyHostParamValue(AAX_CParamID id, double normalised,
                                         std::int32_t source) = 0;
  virtual AAX_Result ApplyHostParamValueRelative(AAX_CParamID id, double delta) = 0;
  virtual AAX_Result DispatchParamPackets() = 0;
  virtual AAX_Result InitFieldData(AAX_CFieldIndex field, void* data, std::uint32_t size) const = 0;

  // State chunks. [any-thread except audio]
  virtual AAX_Result ChunkCount(std::int32_t* out) const = 0;
  virtual AAX_Result ChunkIdAt(std::int32_t index, AAX_CTypeID* out) const = 0;
  virtual AAX_Result ChunkSize(AAX_CTypeID id, std::uint32_t* out) const = 0;
  virtual AAX_Result WriteChunk(AAX_CTypeID id, AAX_ChunkRecord* record) const = 0;
  virtual AAX_Result ApplyChunk(AAX_CTypeID id, const AAX_ChunkRecord* record) = 0;
  virtual AAX_Result CompareChunk(const AAX_ChunkRecord* record, bool* equal) const = 0;
  virtual AAX_Result ChangeCount(std::int32_t* out) const = 0;

  // Periodic call outside the audio thread. [main-thread]
  virtual AAX_Result HostIdle() = 0;

protected:
  ~AAX_IEffectParameters() = default;
};

// Display curves: not used by this system's effects.
class AAX_IEffectParametersV2 : public AAX_IEffectParameters
{
public:
  virtual AAX_Result SampleDisplayCurve(AAX_CTypeID curve, const float* positions,
                                        std::uint32_t count, float* values) const = 0;
  virtual AAX_Result DisplayCurveMeters(AAX_CTypeID curve, AAX_CTypeID* xMeter, AAX_CTypeID* yMeter,
                                        std::int32_t* meterCount) const = 0;
  virtual AAX_Result DisplayCurveRange(AAX_CTypeID curve, float* xMin, float* xMax, float* yMin,
                                       float* yMax) const = 0;

protected:
  ~AAX_IEffectParametersV2() = default;
};

// Offline processing and session events: not used by this system's effects.
class AAX_IEffectParametersV3 : public AAX_IEffectParametersV2
{
public:
  virtual AAX_Result AttachTaskAgent(IACFUnknown* agent) = 0;
  virtual AAX_Result ProcessOfflinePass(const float* const* inputs, float* const* outputs,
                                        std::int32_t frames) = 0;
  virtual AAX_Result NotifySessionEvent(AAX_CTypeID event) = 0;

protected:
  ~AAX_IEffectParametersV3() = default;
};

// Custom data and control-surface page tables.
class AAX_IEffectParametersV4 : public AAX_IEffectParametersV3
{
public:
  virtual AAX_Result UpdateHostBypass(bool bypassed) = 0;
  virtual AAX_Result CustomData(AAX_CTypeID key, void* data, std::uint32_t size) const = 0;
  virtual AAX_Result SetCustomData(AAX_CTypeID key, const void* data, std::uint32_t size) = 0;
  // pageTableHost: a host object that answers the page-table interfaces.
  virtual AAX_Result PageTableRequest(AAX_CTypeID tableType, std::int32_t tablePage,
                                      std::int32_t options, IACFUnknown* pageTableHost) = 0;

protected:
  ~AAX_IEffectParametersV4() = default;
};
