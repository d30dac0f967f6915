#pragma once

#include "Examples/Brasmire/BrasmireParams.h"
#include "Examples/Brasmire/DriveSignalPath.h"
#if defined(BRASMIRE_LV2)
#include "IPlug/LV2/IPlugLV2.h"
#else
#include "IPlug/AAX/IPlugAAX.h"
#endif

namespace brasmire
{

// The plug-in API this build of the effect is for: the AAX module's, or LV2
// where the effect is compiled with BRASMIRE_LV2 (the LV2 bundle's library).
#if defined(BRASMIRE_LV2)
using PluginBase = iplug::IPlugLV2;
#else
using PluginBase = iplug::IPlugAAX;
#endif

// The product: a saturating drive effect as a plug-in instance. It fills the
// construction record, defines the six parameters and hands the sound to its
// DriveSignalPath: parameter changes become the path's derived values, blocks
// and resets go to the path. Its state is the editor record followed by the
// six parameter values (60 bytes).
class Brasmire final : public PluginBase
{
public:
  // The state: 12-byte editor record and six float64 values.
  static constexpr int kStateBytes = 12 + 8 * kNumParams;

  // The module's factory: constructs one instance under the process-wide
  // instance lock; null when allocation or construction failed. [any-thread]
  static Brasmire* CreateInstance(const iplug::InstanceInfo& info) noexcept;

  // The construction record of this product. [any-thread]
  static iplug::PlugSetup MakeSetup();

  explicit Brasmire(const iplug::InstanceInfo& info);
  ~Brasmire() override;

  // [thread that set the parameter]
  void ApplyParamChange(int paramIdx) override;
  // [non-audio thread]
  bool SerializeState(iplug::ByteChunk& chunk) const override;
  int UnserializeState(const iplug::ByteChunk& chunk, int startPos) override;
  // [audio-thread]
  void ProcessAudioBlock(iplug::sample** inputs, iplug::sample** outputs,
                         int frames) noexcept override;
  // [audio-thread] or before processing starts.
  void ResetProcessing() override;

  const DriveSignalPath& SignalPath() const noexcept { return mPath; }

private:
  DriveSignalPath mPath; // derived values any thread, the rest audio thread
};

} // namespace brasmire
