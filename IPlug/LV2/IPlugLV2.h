#pragma once

#include "IPlug/IPlugAPIBase.h"
#include "IPlug/IPlugProcessor.h"
#include "IPlug/LV2/LV2PortLayout.h"

#include "lv2/core/lv2.h"
#include "lv2/state/state.h"
#include "lv2/urid/urid.h"

#include <cstdint>
#include <vector>

namespace iplug
{

// What the LV2 host hands over when it instantiates a plug-in: the sample rate,
// the variant's audio channels (1 mono, 2 stereo) and the host's features
// (null-terminated; may be null, as when a tool constructs the effect only to
// describe it).
struct InstanceInfo
{
  double sampleRate = 48000.0;
  int channels = 2;
  const LV2_Feature* const* features = nullptr;
};

// A framework plug-in as an LV2 plug-in instance: the API base (parameters,
// state) and the processing frame in one. The host's control ports carry the
// parameters' plain values; the engage parameter is the host's lv2:enabled
// port, so a disengaged effect is the host's bypass. The latency output port
// shows what the effect last reported.
//
// Threads (the LV2 threading classes): construction, ConnectPort, Activate,
// Deactivate and RestoreState never run at the same time as Run; SaveState
// may run while Run does (it reads only atomic parameter values and the
// editor record, which nothing writes here). Run is [audio-thread].
class IPlugLV2 : public IPlugAPIBase, public IPlugProcessor
{
public:
  // The state property's key: the product's URI with this fragment, the same
  // for every variant, so a state moves between mono and stereo.
  static constexpr const char* kStateKeySuffix = "#state";

  // [main-thread] `info.channels` picks the variant; the block size comes from
  // the host's options when it gives one.
  IPlugLV2(const InstanceInfo& info, const PlugSetup& setup);
  ~IPlugLV2() override;

  // The ports of this instance's variant.
  const LV2PortLayout& Ports() const noexcept { return mPorts; }
  // Whether the host mapped URIs (urid:map): without it the instance
  // processes, but has no state to save or restore. [any-thread]
  bool HasUridMap() const noexcept { return mMap != nullptr; }

  // LV2 instance calls --------------------------------------------------------

  // Remembers where port `port` lives; unknown ports are ignored.
  // [audio-thread] between Run calls, or before activation.
  void ConnectPort(std::uint32_t port, void* data) noexcept;
  // Clears the processing state; the next Run starts fresh. [main-thread]
  void Activate();
  // Nothing to release: the instance keeps its buffers until cleanup. [main-thread]
  void Deactivate() {}
  // One host block of any length: control ports that changed since the last
  // block set their parameters, the audio runs in pieces no longer than the
  // prepared block size (so nothing allocates) and the latency port shows
  // what the effect reports. [audio-thread]
  void Run(std::uint32_t frames) noexcept;

  // State extension: the effect's whole state (SerializeState) as one chunk
  // property. [any-thread except audio]
  LV2_State_Status SaveState(LV2_State_Store_Function store, LV2_State_Handle handle,
                             std::uint32_t flags) const;
  // Restores a chunk that SaveState stored; a missing, mistyped or short one
  // changes nothing. [main-thread]
  LV2_State_Status RestoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

  // Makes the state key from the product's URI; the descriptor glue calls it
  // before any state call. [main-thread]
  void SetStateKey(const char* productUri);

  // Processor part [audio-thread] ---------------------------------------------
  // No MIDI output port: nothing is taken.
  bool EmitMidiMessage(const MidiMessage& message) noexcept override;

private:
  void ReadFeatures(const LV2_Feature* const* features);
  void ApplyControlPorts() noexcept;

  LV2PortLayout mPorts;
  LV2_URID_Map* mMap = nullptr; // host's, optional; set at construction
  LV2_URID mChunkType = 0;      // set at construction
  LV2_URID mStateKey = 0;       // set by SetStateKey
  // Port locations: written by ConnectPort, read by Run.
  std::vector<const float*> mAudioIn;
  std::vector<float*> mAudioOut;
  std::vector<const float*> mControls;
  float* mLatencyPort = nullptr;
  // The value each control port had when Run last read it; a parameter
  // follows its port only when the port changes, so a restored state holds
  // until the host moves a control. Audio thread; RestoreState leaves it.
  std::vector<float> mLastControl;
  // Per-piece host pointers handed to the frame; sized once. Audio thread.
  std::vector<float*> mPieceIn;
  std::vector<float*> mPieceOut;
};

} // namespace iplug
