#pragma once

#include "IPlug/IPlugAPIBase.h"
#include "IPlug/PresetFileFormat.h"

#include <string>
#include <utility>
#include <vector>

namespace plugtest
{

// A plug-in shaped like the product: six parameters (Mix, Tone, Drive,
// Output, Oversampling, Bypass) and a state of the 12-byte editor record
// followed by the parameter block. Records every hook it receives.
class TestPlugin : public iplug::IPlugAPIBase
{
public:
  enum
  {
    kMix,
    kTone,
    kDrive,
    kOutput,
    kOversampling,
    kBypass,
    kNumParams
  };

  static iplug::PlugSetup Setup(bool stateChunks = true, int presets = 1, bool hasEditor = true)
  {
    iplug::PlugSetup s;
    s.paramCount = kNumParams;
    s.presetCount = presets;
    s.channelIO = "1-1 2-2";
    s.pluginName = "Brasmire";
    s.productName = "Brasmire";
    s.makerName = "Quillmarsh";
    s.versionCode = 0x00030000;
    s.pluginId = iplug::FourCharCode("Brm1");
    s.makerId = iplug::FourCharCode("Qmsh");
    s.stateChunks = stateChunks;
    s.hasEditor = hasEditor;
    s.editorWidth = 732;
    s.editorHeight = 208;
    s.editorMinWidth = 1464; // swapped on purpose: the base puts pairs in order
    s.editorMaxWidth = 366;
    s.editorMinHeight = 104;
    s.editorMaxHeight = 416;
    return s;
  }

  explicit TestPlugin(const iplug::PlugSetup& setup = Setup()) : IPlugAPIBase(setup, iplug::kAPIAAX)
  {
    GetParam(kMix)->DefineReal("Mix", 100., 0., 100., 1., "%");
    GetParam(kTone)->DefineReal("Tone", 50., 0., 100., 1., "%");
    GetParam(kDrive)->DefineReal("Drive", 0., 0., 50., 1., "dB");
    GetParam(kOutput)->DefineReal("Output", 0., -15., 15., 0.1, "dB");
    GetParam(kOversampling)->DefineInteger("Oversampling", 0, 0, 1);
    GetParam(kBypass)->DefineInteger("Bypass", 1, 0, 1);
  }

  bool SerializeState(iplug::ByteChunk& chunk) const override
  {
    return SerializeEditorState(chunk) && SerializeParams(chunk);
  }
  int UnserializeState(const iplug::ByteChunk& chunk, int startPos) override
  {
    return UnserializeParams(chunk, UnserializeEditorState(chunk, startPos));
  }

  void ApplyParamChange(int idx) override { applied.push_back(idx); }
  void OnParamChangeInEditor(int idx, iplug::ParamSource source) override
  {
    inEditor.emplace_back(idx, source);
  }
  void DeliverParamToEditor(int idx, double value, bool isNormalised) override
  {
    delivered.push_back({idx, value, isNormalised});
    IPlugAPIBase::DeliverParamToEditor(idx, value, isNormalised);
  }
  void OnIdle() override { ++idles; }
  void OnHostKnown() override { log.push_back("hostKnown"); }
  void OnPresetsModified() override { log.push_back("presetsModified"); }
  bool RequestEditorSize(int w, int h) override
  {
    log.push_back("request " + std::to_string(w) + "x" + std::to_string(h));
    return requestAnswer;
  }
  void BeginHostParamChange(int idx) override { log.push_back("begin " + std::to_string(idx)); }
  void EndHostParamChange(int idx) override { log.push_back("end " + std::to_string(idx)); }
  void SetHostParamValue(int idx, double normal) override
  {
    log.push_back("set " + std::to_string(idx) + " " + std::to_string(normal));
  }
  void OnParamChange(int idx, iplug::ParamSource source, int offset) override
  {
    log.push_back("change " + std::to_string(idx) + " " + iplug::ParamSourceName(source));
    IPlugAPIBase::OnParamChange(idx, source, offset);
  }
  void DeliverMidiToEditor(const iplug::MidiMessage& msg) override { midiDelivered.push_back(msg); }

  void SetValues(std::initializer_list<double> values)
  {
    int i = 0;
    for (double v : values)
      GetParam(i++)->Set(v);
  }
  std::vector<double> Values() const
  {
    std::vector<double> v;
    for (int i = 0; i < NParams(); ++i)
      v.push_back(GetParam(i)->Value());
    return v;
  }
  void ClearRecords()
  {
    applied.clear();
    inEditor.clear();
    delivered.clear();
    log.clear();
  }

  struct Delivery
  {
    int idx;
    double value;
    bool isNormalised;
  };
  std::vector<int> applied;
  std::vector<std::pair<int, iplug::ParamSource>> inEditor;
  std::vector<Delivery> delivered;
  std::vector<std::string> log;
  std::vector<iplug::MidiMessage> midiDelivered;
  int idles = 0;
  bool requestAnswer = true;
};

// The base state layout (no editor record), with a parameter whose range
// excludes 0.
class PlainPlugin : public iplug::IPlugAPIBase
{
public:
  static iplug::PlugSetup Setup(bool stateChunks, int presets)
  {
    iplug::PlugSetup s = TestPlugin::Setup(stateChunks, presets);
    s.paramCount = 3;
    s.pluginId = iplug::FourCharCode("Pln1");
    return s;
  }
  explicit PlainPlugin(bool stateChunks = false, int presets = 3)
      : IPlugAPIBase(Setup(stateChunks, presets), iplug::kAPIAAX)
  {
    GetParam(0)->DefineReal("Freq", 1000., 20., 20000., 1., "Hz");
    GetParam(1)->DefineSwitch("On", true);
    GetParam(2)->DefineEnumerated("Mode", 1, 4);
  }
};

} // namespace plugtest
