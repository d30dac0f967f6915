#pragma once

#include "AAX_SDK/Interfaces/AAX_IEffectGUI.h"
#include "AAX_SDK/Interfaces/AAX_IEffectParameters.h"
#include "AAX_SDK/Interfaces/AAX_Properties.h"
#include "AAX_SDK/Interfaces/AAX_RenderContext.h"
#include "Host/HostComponentDescriptor.h"
#include "Host/HostMIDINode.h"
#include "Host/HostViewContainer.h"
#include "Host/InstanceContext.h"
#include "Host/PluginModule.h"

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace aaxhost
{

// One effect instance of a loaded module on one of its components: created
// through the effect's factory procedure, connected to its own controller,
// automation delegate and transport, with the render-context fields its
// component registered. [main-thread unless noted]
class HostInstance
{
public:
  // Null with a reason when the effect or component does not exist, the
  // factory gives no effect-parameters object or ConnectHost fails. The
  // sample rate is the session's: the effect reads it when it connects.
  static std::unique_ptr<HostInstance> Create(PluginModule& module, std::size_t effectIndex,
                                              std::size_t componentIndex, std::string* error,
                                              float sampleRate = 48000.0f);

  HostInstance(const HostInstance&) = delete;
  HostInstance& operator=(const HostInstance&) = delete;
  // Closes any view, disconnects and releases the effect.
  ~HostInstance();

  AAX_IEffectParameters& Effect() const noexcept { return *mEffect.Get(); }
  InstanceContext& Context() const noexcept { return *mContext.Get(); }
  HostController& Controller() const noexcept { return mContext->Controller(); }
  HostAutomationDelegate& Automation() const noexcept { return mContext->Automation(); }
  HostTransport& Transport() const noexcept { return mContext->Transport(); }
  HostMIDINode* MIDINode(AAX_CFieldIndex field) const;

  // One render call of frames samples per channel, as a DAW makes it: first
  // the parameter-update pass (DispatchParamPackets, which posts the state
  // number to field 25), then the packets posted since the last call are
  // delivered into their fields, then the component's render procedure runs. Channel counts follow
  // the controller's stem formats. Posted packets wait in preallocated storage, so the call
  // allocates nothing. [audio-thread of this host]
  AAX_Result Render(const float* const* inputs, float* const* outputs, std::int32_t frames);
  // The two halves of Render for a host with a DAW's threads: the update pass
  // on a host thread other than the audio thread, and the render call alone
  // on the audio thread. [any-thread except audio] / [audio-thread]
  AAX_Result UpdatePass();
  AAX_Result RenderOnly(const float* const* inputs, float* const* outputs, std::int32_t frames);

  // Told just before and just after the component's render procedure runs, on
  // the rendering thread, so that a caller can watch what the module itself
  // does there (the host's own packet hand-over stays outside). Not owned;
  // null for none. [main-thread, between render calls]
  class RenderProbe
  {
  public:
    virtual void Enter() noexcept = 0;
    virtual void Leave() noexcept = 0;

  protected:
    ~RenderProbe() = default;
  };
  void SetRenderProbe(RenderProbe* probe) noexcept { mProbe = probe; }

  // The host's periodic idle call (the effect frees what its render calls
  // handed back). [main-thread]
  AAX_Result Idle();

  // The state number last delivered to field 25, or -1 when the component
  // registered no such port. [main-thread, between render calls]
  std::int64_t CurrentStateNumber() const noexcept;

  // Counts of the calls made, for callers that check the host's own traffic.
  std::int64_t UpdatePasses() const noexcept { return mUpdatePasses.load(); }

  // The view: created through the effect's view procedure and connected; then
  // a view container can be attached and removed.
  AAX_Result OpenView(void* nativeParent);
  AAX_Result CloseView();
  AAX_IEffectGUI* View() const noexcept { return mView.Get(); }
  HostViewContainer* ViewContainer() const noexcept { return mViewContainer.Get(); }

  static constexpr std::int32_t kMaxFrames = 1 << 16;
  // Component properties that give the input and output stem formats.
  static constexpr std::int32_t kInputStemProperty = AAX_eProperty_InputStemFormat;
  static constexpr std::int32_t kOutputStemProperty = AAX_eProperty_OutputStemFormat;

private:
  HostInstance() = default;
  AAX_Result PrepareFields();

  HostRef<InstanceContext> mContext;
  HostRef<HostEffectDescriptor> mEffectDescriptor;
  HostRef<HostComponentDescriptor> mComponent;
  HostRef<AAX_IEffectParameters> mEffect;
  HostRef<AAX_IEffectGUI> mView;
  HostRef<HostViewContainer> mViewContainer;
  AAX_RenderProc mRenderProc = nullptr;
  RenderProbe* mProbe = nullptr;

  // Render-context fields, at the indexes the component registered.
  std::array<void*, HostComponentDescriptor::kMaxFieldIndex + 1> mFields{};
  // The component's field records, kept from preparation so a render call
  // reads them without asking (and copying from) the descriptor.
  std::vector<FieldRecord> mFieldRecords;
  // Size of each data-in port by field index; -1 where there is none.
  std::array<std::int64_t, HostComponentDescriptor::kMaxFieldIndex + 1> mPortSizes{};
  std::vector<std::vector<std::uint64_t>> mBlocks; // field storage, 8-byte aligned
  std::vector<std::unique_ptr<HostMIDINode>> mMIDINodes;
  std::vector<std::pair<AAX_CFieldIndex, HostMIDINode*>> mMIDIByField;
  std::vector<const float*> mInputs;
  std::vector<float*> mOutputs;
  std::int32_t mBufferLength = 0;
  float mSampleRate = 0.0f;
  std::int64_t mClock = 0;
  std::int32_t mSideChainChannel = 0;
  std::atomic<std::int64_t> mUpdatePasses{0}; // counted by whichever thread runs the pass
};

} // namespace aaxhost
