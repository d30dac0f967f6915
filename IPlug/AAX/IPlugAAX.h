#pragma once

#include "IPlug/AAX/IPlugAAX_Parameters.h"
#include "IPlug/IPlugAPIBase.h"
#include "IPlug/IPlugProcessor.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class AAX_IParameter;
class AAX_ITransport;
class AAX_VViewContainer;

namespace iplug
{

// What the host adapter knows about the instance being created; the AAX
// adapter needs nothing from it.
struct InstanceInfo
{
};

// A framework plug-in as an AAX effect instance: the API base (parameters,
// state, timer, editor queues), the processing frame and the effect-parameters
// object in one. The host holds the AAX_CIPlugParameters part; its last
// release deletes the whole instance.
//
// Threads: the constructor, InitializeEffect, parameter and chunk calls,
// notifications and the editor's gestures run on host threads other than the
// audio thread; RenderAudio, EmitMidiMessage and ChangeLatency on the audio thread.
class IPlugAAX : public IPlugAPIBase, public IPlugProcessor, public AAX_CIPlugParameters
{
public:
  static constexpr std::uint32_t kMidiQueueGrowth = 512;
  // Notifications the adapter reads.
  static constexpr AAX_CTypeID kNotificationOfflineOn = AAX_FourCC("AXof");
  static constexpr AAX_CTypeID kNotificationOfflineOff = AAX_FourCC("AXox");
  static constexpr AAX_CTypeID kNotificationTrackName = AAX_FourCC("AXtn");

  // [main-thread] Starts the timer on the constructing thread.
  IPlugAAX(const InstanceInfo& info, const PlugSetup& setup);
  ~IPlugAAX() override;

  // The identifier text of parameter `index` ("1" for index 0); empty outside
  // the parameters. [any-thread]
  const char* ParamIdText(int index) const;

  // API base part [main-thread] ----------------------------------------------
  void OnPresetsModified() override {}
  void TrackName(ByteChunk& chunk) override;
  bool RequestEditorSize(int width, int height) override;
  void BeginHostParamChange(int paramIdx) override;
  void EndHostParamChange(int paramIdx) override;
  void SetHostParamValue(int paramIdx, double normalised) override;

  // Processor part [audio-thread] ---------------------------------------------
  // Queued in sample-offset order and sent with the next render call; true
  // even when a message had to be dropped because the queue could not grow.
  bool EmitMidiMessage(const MidiMessage& message) noexcept override;
  // Tells the host first, then the frame.
  void ChangeLatency(int samples) noexcept override;

  // Effect-parameters part [host thread] --------------------------------------
  AAX_Result OnHostNotification(AAX_CTypeID type, const void* data, std::uint32_t size) override;
  AAX_Result ApplyHostParamValue(AAX_CParamID id, double normalised, std::int32_t source) override;
  AAX_Result ChunkIdAt(std::int32_t index, AAX_CTypeID* out) const override;
  AAX_Result ChunkSize(AAX_CTypeID id, std::uint32_t* out) const override;
  AAX_Result WriteChunk(AAX_CTypeID id, AAX_ChunkRecord* record) const override;
  AAX_Result ApplyChunk(AAX_CTypeID id, const AAX_ChunkRecord* record) override;
  AAX_Result CompareChunk(const AAX_ChunkRecord* record, bool* equal) const override;
  AAX_Result InitializeEffect() override;
  void RenderAudio(AAX_RenderContext* context, const AAX_SyncValuePair* const* values,
                   std::int32_t count) noexcept override;

  // The editor's host view container, set while a view is attached. [main-thread]
  void SetViewContainer(AAX_VViewContainer* container) noexcept { mViewContainer = container; }

  // Diagnostics [any-thread]
  bool IsRenderingOffline() const noexcept { return mOffline; }
  int MidiOutputQueued() const noexcept { return static_cast<int>(mMidiBack - mMidiFront); }
  // The queued message at `position` from the front (audio thread or while stopped).
  const MidiMessage* QueuedMidiOutput(int position) const noexcept;

private:
  bool HasParamId(int paramIdx) const;
  void SendMidiOutput(AAX_RenderContext& context) noexcept;
  void FillTimeInfo(AAX_ITransport& transport) noexcept;

  AAX_IParameter* mBypassParameter = nullptr; // owned by the parameter set; host thread
  // The bypass value as the audio thread reads it: the host parameter's own
  // value is a plain field that host threads write.
  std::atomic<bool> mHostBypass{false}; // written by host threads, read by the audio thread
  AAX_ITransport* mTransport = nullptr; // audio thread, during a render call only
  std::vector<std::string> mParamIds;   // made in InitializeEffect, fixed afterwards
  // MIDI output, audio thread only: messages [front, back) are waiting.
  std::vector<MidiMessage> mMidiOutput;
  std::size_t mMidiFront = 0;
  std::size_t mMidiBack = 0;
  int mSideChainChannel = 0;
  std::string mTrackName;                       // host thread
  bool mOffline = false;                        // host thread
  AAX_VViewContainer* mViewContainer = nullptr; // main thread, not owned
};

} // namespace iplug
