#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CChunkDataParser.h"
#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"
#include "AAX_SDK/Libs/AAXLibrary/source/HostParameterSet.h"
#include "AAX_SDK/Libs/AAXLibrary/source/PacketRegistry.h"

#include <memory>
#include <set>
#include <string>

class AAX_VAutomationDelegate;
class AAX_VController;
class AAX_VPageTable;
class AAX_VTransport;

// Base of every effect-parameters object the host talks to. Answers the
// host's parameter queries from its HostParameterSet, forwards value traffic
// both ways, counts changes, and offers a default state chunk ('elck',
// "Complete Controls State") with every unfiltered parameter's value.
// Derived effects register their parameters in InitializeEffect.
// [any-thread except audio; the host serialises connect, disconnect and chunk calls]
class AAX_CEffectParameters : public AAX_CACFObject<AAX_IEffectParametersV4>
{
public:
  static constexpr AAX_CTypeID kControlsChunkID = AAX_FourCC("elck");
  static constexpr const char* kControlsChunkName = "Complete Controls State";
  static constexpr AAX_CTypeID kPreviewNotification = AAX_FourCC("ASPv");
  static constexpr const char* kPreviewParameterID = "PreviewID";
  static constexpr const char* kMasterBypassID = "MasterBypassID";
  static constexpr const char* kCheckSource =
      "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectParameters";

  AAX_Result ConnectHost(IACFUnknown* hostContext) override;
  AAX_Result DisconnectHost() override;
  AAX_Result OnHostNotification(AAX_CTypeID type, const void* data, std::uint32_t size) override;

  AAX_Result ParamCount(std::int32_t* out) const override;
  AAX_Result MasterBypassParamId(AAX_IString* out) const override;
  AAX_Result ParamIsAutomatable(AAX_CParamID id, bool* out) const override;
  AAX_Result ParamStepCount(AAX_CParamID id, std::int32_t* out) const override;
  AAX_Result ParamName(AAX_CParamID id, AAX_IString* out) const override;
  AAX_Result ParamNameForLength(AAX_CParamID id, AAX_IString* out,
                                std::int32_t length) const override;
  AAX_Result ParamDefaultNormal(AAX_CParamID id, double* out) const override;
  AAX_Result SetParamDefaultNormal(AAX_CParamID id, double value) override;
  AAX_Result ParamTypeCode(AAX_CParamID id, std::int32_t* out) const override;
  AAX_Result ParamOrientationCode(AAX_CParamID id, std::int32_t* out) const override;
  AAX_Result ParamObject(AAX_CParamID id, AAX_IParameter** out) override;
  AAX_Result ParamIndexOf(AAX_CParamID id, std::int32_t* out) const override;
  AAX_Result ParamIdAt(std::int32_t index, AAX_IString* out) const override;
  AAX_Result ParamValueInfo(AAX_CParamID id, std::int32_t info, std::int32_t* out) const override;
  AAX_Result ParamValueFromText(AAX_CParamID id, double* out,
                                const AAX_IString* text) const override;
  AAX_Result ParamTextFromValue(AAX_CParamID id, double normalised, AAX_IString* out,
                                std::int32_t maxLength) const override;
  AAX_Result ParamValueText(AAX_CParamID id, AAX_IString* out,
                            std::int32_t maxLength) const override;
  AAX_Result ParamNormal(AAX_CParamID id, double* out) const override;

  AAX_Result RequestParamValue(AAX_CParamID id, double normalised) override;
  AAX_Result RequestParamValueRelative(AAX_CParamID id, double delta) override;
  AAX_Result TouchParam(AAX_CParamID id) override;
  AAX_Result ReleaseParam(AAX_CParamID id) override;
  AAX_Result ParamTouchChanged(AAX_CParamID id) override;
  AAX_Result ApplyHostParamValue(AAX_CParamID id, double normalised, std::int32_t source) override;
  AAX_Result ApplyHostParamValueRelative(AAX_CParamID id, double delta) override;
  AAX_Result DispatchParamPackets() override;
  AAX_Result InitFieldData(AAX_CFieldIndex field, void* data, std::uint32_t size) const override;

  AAX_Result ChunkCount(std::int32_t* out) const override;
  AAX_Result ChunkIdAt(std::int32_t index, AAX_CTypeID* out) const override;
  AAX_Result ChunkSize(AAX_CTypeID id, std::uint32_t* out) const override;
  AAX_Result WriteChunk(AAX_CTypeID id, AAX_ChunkRecord* record) const override;
  AAX_Result ApplyChunk(AAX_CTypeID id, const AAX_ChunkRecord* record) override;
  AAX_Result CompareChunk(const AAX_ChunkRecord* record, bool* equal) const override;
  AAX_Result ChangeCount(std::int32_t* out) const override;
  AAX_Result HostIdle() override;

  // Not used by this system; fixed answers.
  AAX_Result SampleDisplayCurve(AAX_CTypeID, const float*, std::uint32_t, float*) const override;
  AAX_Result DisplayCurveMeters(AAX_CTypeID, AAX_CTypeID*, AAX_CTypeID*,
                                std::int32_t* meterCount) const override;
  AAX_Result DisplayCurveRange(AAX_CTypeID, float*, float*, float*, float*) const override;
  AAX_Result AttachTaskAgent(IACFUnknown*) override;
  AAX_Result ProcessOfflinePass(const float* const*, float* const*, std::int32_t) override;
  AAX_Result NotifySessionEvent(AAX_CTypeID) override;
  AAX_Result UpdateHostBypass(bool) override;
  AAX_Result CustomData(AAX_CTypeID, void*, std::uint32_t) const override;
  AAX_Result SetCustomData(AAX_CTypeID, const void*, std::uint32_t) override;

  AAX_Result PageTableRequest(AAX_CTypeID tableType, std::int32_t tablePage, std::int32_t options,
                              IACFUnknown* pageTableHost) override;

  // Fills a host page table (wrapped for the call); -20009 here.
  virtual AAX_Result FillPageTable(AAX_CTypeID tableType, std::int32_t tablePage,
                                   AAX_VPageTable& table) const;
  // Registers the effect's parameters once the host has connected; 0 here.
  virtual AAX_Result InitializeEffect();

protected:
  AAX_CEffectParameters();
  ~AAX_CEffectParameters() override;

  ACFRESULT InternalQueryInterface(const ACF_ID& iid, void** out) override;

  HostParameterSet& Parameters() noexcept { return mParameters; }
  const HostParameterSet& Parameters() const noexcept { return mParameters; }
  PacketRegistry& Packets() noexcept { return mPackets; }
  // Identifiers the default chunk leaves out.
  std::set<std::string>& ChunkFilter() noexcept { return mChunkFilter; }
  AAX_VController* Controller() const noexcept { return mController.get(); }
  AAX_VAutomationDelegate* AutomationDelegate() const noexcept { return mAutomation.get(); }
  AAX_VTransport* Transport() const noexcept { return mTransport.get(); }
  // Counts one more change of state for the host. Wraps instead of
  // overflowing; a wrapped (negative) count is not reported.
  void IncrementChangeCount() noexcept
  {
    mChangeCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(mChangeCount) + 1u);
  }

private:
  // Rebuilds the chunk parser's entries from the unfiltered parameters.
  void BuildControlsState() const;
  bool IsFiltered(const AAX_IParameter& parameter) const;

  std::unique_ptr<AAX_VController> mController;
  std::unique_ptr<AAX_VAutomationDelegate> mAutomation;
  std::unique_ptr<AAX_VTransport> mTransport;
  HostParameterSet mParameters;
  PacketRegistry mPackets;
  // The chunk calls are const to the host but reuse one container.
  mutable AAX_CChunkDataParser mChunkParser;
  std::set<std::string> mChunkFilter;
  std::int32_t mNumChunkedParameters = 0;
  mutable std::int32_t mLastChunkSize = 0;
  std::int32_t mChangeCount = 0;
};
