#pragma once

#include "IPlug/IPlugAPIBase.h"
#include "IPlug/PlugSetup.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace plugfuzz
{

// A plug-in shaped like the product (six parameters, editor record in front
// of the parameter block) with three preset slots, for the state and preset
// readers. Records nothing, so it can run millions of times.
class FuzzPlugin : public iplug::IPlugAPIBase
{
public:
  static iplug::PlugSetup Setup(bool stateChunks)
  {
    iplug::PlugSetup s;
    s.paramCount = 6;
    s.presetCount = 3;
    s.channelIO = "1-1 2-2";
    s.pluginName = "Brasmire";
    s.productName = "Brasmire";
    s.makerName = "Quillmarsh";
    s.versionCode = 0x00030000;
    s.pluginId = iplug::FourCharCode("Brm1");
    s.makerId = iplug::FourCharCode("Qmsh");
    s.stateChunks = stateChunks;
    s.hasEditor = true;
    s.editorWidth = 732;
    s.editorHeight = 208;
    return s;
  }

  explicit FuzzPlugin(bool stateChunks = true) : IPlugAPIBase(Setup(stateChunks), iplug::kAPIAAX)
  {
    GetParam(0)->DefineReal("Mix", 100., 0., 100., 1., "%");
    GetParam(1)->DefineReal("Tone", 50., 0., 100., 1., "%");
    GetParam(2)->DefineReal("Drive", 0., 0., 50., 1., "dB");
    GetParam(3)->DefineReal("Output", 0., -15., 15., 0.1, "dB");
    GetParam(4)->DefineInteger("Oversampling", 0, 0, 1);
    GetParam(5)->DefineInteger("Bypass", 1, 0, 1);
  }

  bool SerializeState(iplug::ByteChunk& chunk) const override
  {
    return SerializeEditorState(chunk) && SerializeParams(chunk);
  }
  int UnserializeState(const iplug::ByteChunk& chunk, int startPos) override
  {
    return UnserializeParams(chunk, UnserializeEditorState(chunk, startPos));
  }

  // Every value inside its range and every slot name terminated within 255 bytes.
  void CheckInvariants() const
  {
    for (int i = 0; i < NParams(); ++i)
    {
      const iplug::IParam& p = *GetParam(i);
      if (!(p.Value() >= p.Min() && p.Value() <= p.Max())) std::abort();
    }
    for (int i = 0; i < NPresets(); ++i)
      if (std::strlen(PresetNameAt(i)) > 255) std::abort();
  }

  // Everything a load may change.
  std::string Fingerprint() const
  {
    iplug::ByteChunk state;
    SerializeState(state);
    iplug::ByteChunk presets;
    SerializePresets(presets);
    return std::string(reinterpret_cast<const char*>(state.GetData()), state.Size()) + "|" +
           std::string(reinterpret_cast<const char*>(presets.GetData()), presets.Size()) + "|" +
           std::to_string(GetCurrentPresetIdx());
  }
};

} // namespace plugfuzz
