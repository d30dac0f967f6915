#pragma once

#include "AAX_SDK/Interfaces/AAX_RenderContext.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CAtomicQueue.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CEffectParameters.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameterValue.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

class AAX_IParameter;
class AAX_VComponentDescriptor;
class AAX_VEffectDescriptor;

namespace iplug
{

class AAX_CIPlugParameters;

// The render context's private-data block (field 23): how the render callback
// finds its instance. Its size is part of the description.
struct AAX_SIPlugPrivateData
{
  AAX_CIPlugParameters* mInstance;
};
static_assert(sizeof(AAX_SIPlugPrivateData) == 8, "the description registers 8 bytes");

// What DescribeComponent registers for one channel configuration.
struct AAX_SIPlugSetupInfo
{
  static constexpr int kMaxAdditionalMIDINodes = 15;
  static constexpr int kMaxAuxOutputStems = 32;
  static constexpr std::int32_t kStemFormatNone = static_cast<std::int32_t>(0xff9c0000u);
  static constexpr AAX_CTypeID kNoID = AAX_FourCC("none");

  bool mNeedsGlobalMIDI = false;
  const char* mGlobalMIDINodeName = "GlobalMIDI";
  std::uint32_t mGlobalMIDIEventMask = 0xffff;
  bool mNeedsInputMIDI = false;
  const char* mInputMIDINodeName = "InputMIDI";
  std::uint32_t mInputMIDIChannelMask = 0xffff;
  std::int32_t mNumAdditionalInputMIDINodes = 0;
  bool mNeedsOutputMIDI = false;
  const char* mOutputMIDINodeName = "OutputMIDI";
  std::uint32_t mOutputMIDIChannelMask = 0xffff;
  bool mNeedsTransport = false;
  const char* mTransportMIDINodeName = "Transport";
  std::int32_t mNumMeters = 0;
  const AAX_CTypeID* mMeterIDs = nullptr;
  std::int32_t mNumAuxOutputStems = 0;
  const char* mAuxOutputStemNames[kMaxAuxOutputStems] = {};
  std::int32_t mAuxOutputStemFormats[kMaxAuxOutputStems] = {};
  std::int32_t mHybridInputStemFormat = kStemFormatNone;
  std::int32_t mHybridOutputStemFormat = kStemFormatNone;
  std::int32_t mInputStemFormat = 1;
  std::int32_t mOutputStemFormat = 1;
  bool mUseHostGeneratedGUI = false; // property 151
  bool mCanBypass = true;            // property 60
  bool mNeedsSideChainInput = false;
  AAX_CTypeID mManufacturerID = kNoID;
  AAX_CTypeID mProductID = kNoID;
  AAX_CTypeID mPluginID = kNoID;
  AAX_CTypeID mAudioSuiteID = kNoID;
  bool mMultiMonoSupport = true; // property 304
  std::int32_t mLatency = 0;     // property 56

  AAX_SIPlugSetupInfo()
  {
    for (std::int32_t& format : mAuxOutputStemFormats)
      format = 1;
  }
};

// The stem format of a bus of `channels` channels; kStemFormatNone for counts
// no stem format describes.
std::int32_t AAX_StemFormatOfChannels(int channels) noexcept;

// One synchronised parameter value as it travels with a render call.
struct AAX_SyncValuePair
{
  std::string identifier;
  std::unique_ptr<AAX_IParameterValue> value;
};

// The values of one update pass, numbered with the pass's state number. The
// render callback takes the pairs out (nulling the slots) and hands the list
// back; only HostIdle frees it, so the audio thread never frees memory.
struct AAX_NumberedValueList
{
  std::int64_t number = 0;
  std::vector<AAX_SyncValuePair*> values;
};

// The framework's effect-parameters object: the render callback that finds
// the instance through its private data, the numbered hand-over of
// synchronised parameter values from the host's update pass to the audio
// thread, and the per-component part of the description.
//
// Threads: the update pass (DispatchParamPackets) and HostIdle run on host
// threads other than the audio thread; the render callback runs on the audio
// thread. They meet only in the three atomic queues.
class AAX_CIPlugParameters : public AAX_CEffectParameters
{
public:
  static constexpr std::size_t kSynchronizedParameterQueueSize = 32;
  static constexpr std::size_t kUpdateQueueSize = 256;
  static constexpr std::size_t kUsedValuesQueueSize = 512;
  static constexpr std::size_t kMaxValuesPerRender = 128;
  static constexpr const char* kCheckSource = "IPlug/AAX/IPlugAAX_Parameters";

  using UpdateQueue = AAX_CAtomicQueue<AAX_NumberedValueList, kUpdateQueueSize>;
  using UsedValuesQueue = AAX_CAtomicQueue<AAX_SyncValuePair, kUsedValuesQueueSize>;

  // The render callback registered with every component. [audio-thread]
  static void RenderCallback(AAX_RenderContext* const* first, AAX_RenderContext* const* end);

  // Adds one component for `setup` to `effect`. Every host result goes through
  // a checked result, so the first failure ends the description with an
  // exception that the module entry reports. [main-thread, during description]
  static AAX_Result DescribeComponent(AAX_VEffectDescriptor& effect,
                                      const AAX_SIPlugSetupInfo& setup);

  // Makes `parameter`'s values travel with the render calls. [main-thread]
  void RegisterSynchronizedParameter(const AAX_IParameter& parameter);

  // The base behaviour, then marks a synchronised parameter dirty. [host thread]
  AAX_Result ApplyHostParamValue(AAX_CParamID id, double normalised, std::int32_t source) override;
  // The host's update pass: queues the dirty synchronised values under the
  // next state number and posts that number to field 25. [host thread, not audio]
  AAX_Result DispatchParamPackets() override;
  // Field 23 receives this object's address; other fields are zeroed. [host thread]
  AAX_Result InitFieldData(AAX_CFieldIndex field, void* data, std::uint32_t size) const override;
  // Frees what the render callback handed back, then the base. [host thread, not audio]
  AAX_Result HostIdle() override;

  // One render call with the synchronised values that arrived for it. [audio-thread]
  virtual void RenderAudio(AAX_RenderContext* context, const AAX_SyncValuePair* const* values,
                           std::int32_t count) noexcept;

  // Diagnostics for tests. [any-thread]
  std::int64_t StateCounter() const noexcept { return mStateCounter; }

protected:
  AAX_CIPlugParameters();
  ~AAX_CIPlugParameters() override;

private:
  // The audio-thread half of RenderCallback for one context.
  void RenderOne(AAX_RenderContext* context) noexcept;
  void ReleaseReturned() noexcept;

  std::set<std::string> mSynchronizedParameters;      // host thread, fixed once processing runs
  std::int64_t mStateCounter = 0;                     // update pass
  std::set<const AAX_IParameter*> mDirtySynchronized; // host threads (see ApplyHostParamValue)
  UpdateQueue mUpdates;                               // update pass -> audio thread
  UpdateQueue mReturnedLists;                         // audio thread -> HostIdle
  UsedValuesQueue mUsedValues;                        // audio thread -> HostIdle
};

} // namespace iplug
