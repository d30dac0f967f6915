#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Interfaces/AAX_RenderContext.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VAutomationDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VTransport.h"
#include "AAX_SDK/Libs/AAXLibrary/source/CACFUnknown.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

// The test module's effect: two parameters ("1" Gain, "2" Mode), a gain stage
// on every channel, state in a chunk container, and the update-pass numbering
// posted to field 25. It lets the host library be exercised across a real
// module boundary.
class TestEffect final : public AAX_CACFObject<AAX_IEffectParametersV4>
{
public:
  // Deliberate faults, chosen by the environment variable BRASMIRE_TEST_FAULT
  // when an effect is created, so the validator's tests can show that each
  // of its checks catches its fault. Unset: none.
  enum class Fault
  {
    None,
    NaN,            // "nan": the first output sample of every block is NaN
    Subnormal,      // "subnormal": silence comes out as a subnormal value
    Allocate,       // "allocate": one heap allocation per render call
    Lock,           // "lock": one mutex acquisition per render call
    Latency,        // "latency": reports 32 samples of latency but delays nothing
    LoseState,      // "lose-state": restoring a chunk ignores the Mode parameter
    Drift,          // "drift": output depends on how many effects were made before
    Offset,         // "offset": a constant 5e-4 on every output sample, so silence never rests
    WriteInput,     // "write-input": clears separate input buffers after reading them
    NotInPlace,     // "not-in-place": clears the outputs before reading the inputs
    SlowSubnormal,  // "slow-subnormal": extra work for every subnormal input sample
    AllocateLarge,  // "allocate-large": allocates in blocks beyond 4096 frames
    RestoreDiffers, // "restore-differs": a restored Gain is reported but not rendered
    HostileValue,   // "hostile-value": a NaN or infinite Gain reaches the gain stage
    Sleep,          // "sleep": sleeps a microsecond in every render call
    LeakView,       // "leak-view": the view keeps a reference to its container
    OpenGesture,    // "open-gesture": the view begins a drag of Gain and never ends it
    DragLeftOpen,   // "drag-left-open": the editor closes mid-drag without ending it
    LeakTimer,      // "leak-timer": the editor's timer outlives it
    LeakWindow,     // "leak-window": the Windows editor's window outlives it
  };
  static Fault FaultFromEnvironment();

  static IACFUnknown* Create();
  static void RenderCallback(AAX_RenderContext* const* first, AAX_RenderContext* const* end);

  static constexpr AAX_CTypeID kChunkId = AAX_FourCC("tstc");
  // CustomData keys the tests read back.
  static constexpr AAX_CTypeID kLastStateNumber = AAX_FourCC("stat");
  static constexpr AAX_CTypeID kLastTempo = AAX_FourCC("tmpo");
  static constexpr AAX_CTypeID kSampleRate = AAX_FourCC("srat");

  AAX_Result ConnectHost(IACFUnknown* hostContext) override;
  AAX_Result DisconnectHost() override;
  AAX_Result OnHostNotification(AAX_CTypeID, const void*, std::uint32_t) override { return 0; }
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
  AAX_Result ParamTouchChanged(AAX_CParamID) override { return 0; }
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
  AAX_Result HostIdle() override { return 0; }
  AAX_Result SampleDisplayCurve(AAX_CTypeID, const float*, std::uint32_t, float*) const override;
  AAX_Result DisplayCurveMeters(AAX_CTypeID, AAX_CTypeID*, AAX_CTypeID*,
                                std::int32_t* meterCount) const override;
  AAX_Result DisplayCurveRange(AAX_CTypeID, float*, float*, float*, float*) const override;
  AAX_Result AttachTaskAgent(IACFUnknown*) override { return 0; }
  AAX_Result ProcessOfflinePass(const float* const*, float* const*, std::int32_t) override;
  AAX_Result NotifySessionEvent(AAX_CTypeID) override { return 0; }
  AAX_Result UpdateHostBypass(bool) override { return 0; }
  AAX_Result CustomData(AAX_CTypeID key, void* data, std::uint32_t size) const override;
  AAX_Result SetCustomData(AAX_CTypeID, const void*, std::uint32_t) override;
  AAX_Result PageTableRequest(AAX_CTypeID, std::int32_t, std::int32_t, IACFUnknown*) override;

protected:
  ACFRESULT InternalQueryInterface(const ACF_ID& iid, void** out) override;

private:
  struct Param
  {
    std::string id;
    std::string name;
    double normal;
    double defaultNormal;
  };

  TestEffect();
  ~TestEffect() override;
  Param* Find(AAX_CParamID id);
  const Param* Find(AAX_CParamID id) const;
  void Render(const AAX_RenderContext& context);

  std::vector<Param> mParams; // main thread; Gain also read by the audio thread
  std::atomic<double> mGain{1.0};
  std::unique_ptr<AAX_VController> mController;
  std::unique_ptr<AAX_VAutomationDelegate> mAutomation;
  std::unique_ptr<AAX_VTransport> mTransport;
  std::int32_t mChannels = 0;
  float mSampleRate = 0.0f;
  std::int64_t mNextStateNumber = 1;              // main thread
  std::atomic<std::int64_t> mLastStateNumber{-1}; // written by the audio thread
  std::atomic<double> mLastTempo{0.0};            // written by the audio thread
  std::int32_t mChangeCount = 0;
  const Fault mFault;
  const int mSerial; // effects created before this one in the process
};
