#include "Examples/Brasmire/Brasmire.h"

#include "Examples/Brasmire/BrasmireEditor.h"
#include "Examples/Brasmire/ProcessorSignalPathHost.h"
#include "IGraphics/IGraphics.h"

#include <mutex>
#include <new>

namespace brasmire
{

namespace
{
// Construction of instances is serialised across host threads. A function-local
// static: made on first use (thread-safe), destroyed when the module unloads.
std::mutex& InstanceLock()
{
  static std::mutex lock;
  return lock;
}
} // namespace

iplug::PlugSetup Brasmire::MakeSetup()
{
  iplug::PlugSetup setup;
  setup.paramCount = kNumParams;
  setup.presetCount = 1;
  setup.channelIO = "1-1 2-2";
  setup.pluginName = "Brasmire";
  setup.productName = "Brasmire";
  setup.makerName = "Quillmarsh";
  setup.versionCode = 0x00030000;
  setup.pluginId = iplug::FourCharCode("Brm1");
  setup.makerId = iplug::FourCharCode("Qmsh");
  setup.latencySamples = 0;
  setup.midiIn = false;
  setup.midiOut = false;
  setup.mpe = false;
  setup.stateChunks = true;
  setup.plugKind = iplug::PlugKind::Effect;
  setup.hasEditor = true;
  setup.editorWidth = 732;
  setup.editorHeight = 208;
  setup.editorMinWidth = 366;
  setup.editorMaxWidth = 1464;
  setup.editorMinHeight = 104;
  setup.editorMaxHeight = 416;
  setup.hostResizesEditor = false;
  setup.bundleId = "";
  return setup;
}

Brasmire* Brasmire::CreateInstance(const iplug::InstanceInfo& info) noexcept
{
  std::lock_guard<std::mutex> guard(InstanceLock());
  try
  {
    return new Brasmire(info);
  }
  catch (...)
  {
    return nullptr;
  }
}

Brasmire::Brasmire(const iplug::InstanceInfo& info) : PluginBase(info, MakeSetup())
{
  // The signal path's constructor has cleared the models, filters and delays.
  using iplug::IParam;
  GetParam(ParamMix)->DefineReal("Mix", 100., 0., 100., 1., "%", 0, "", IParam::ShapeLinear(),
                                 IParam::UnitCustom);
  GetParam(ParamTone)->DefineReal("Tone", 50., 0., 100., 1., "%", 0, "", IParam::ShapeLinear(),
                                  IParam::UnitCustom);
  GetParam(ParamDrive)
      ->DefineReal("Drive", 0., 0., 50., 1., "dB", 0, "", IParam::ShapeLinear(),
                   IParam::UnitCustom);
  GetParam(ParamOutput)
      ->DefineReal("Output", 0., -15., 15., 0.1, "dB", 0, "", IParam::ShapeLinear(),
                   IParam::UnitCustom);
  GetParam(ParamBypass)->DefineInteger("Bypass", 1, 0, 1, "", 0, "");
  GetParam(ParamOversampling)->DefineInteger("Oversampling", 0, 0, 1, "", 0, "");
  GetParam(ParamOversampling)->AddDisplayText(0., "Oversampling Off");
  GetParam(ParamOversampling)->AddDisplayText(1., "Oversampling On");

  // The saved editor size stays 0 until the editor first closes: the graphics
  // factory's own size and zoom are the designed ones.
  SetGraphicsFactory([this] { return MakeEditorGraphics(*this); });
  SetLayoutFunction([](igraphics::IGraphics* g) { LayoutEditor(*g); });
}

Brasmire::~Brasmire() = default;

void Brasmire::ApplyParamChange(int paramIdx)
{
  const iplug::IParam* param = GetParam(paramIdx);
  if (param == nullptr) return;
  mPath.ApplyParamChange(paramIdx, param->Value());
}

bool Brasmire::SerializeState(iplug::ByteChunk& chunk) const
{
  return SerializeEditorState(chunk) && SerializeParams(chunk);
}

int Brasmire::UnserializeState(const iplug::ByteChunk& chunk, int startPos)
{
  const int pos = UnserializeEditorState(chunk, startPos);
  return UnserializeParams(chunk, pos);
}

void Brasmire::ProcessAudioBlock(iplug::sample** inputs, iplug::sample** outputs,
                                 int frames) noexcept
{
  ProcessorSignalPathHost host(*this);
  mPath.ProcessBlock(inputs, outputs, frames, host);
}

void Brasmire::ResetProcessing()
{
  mPath.ResetProcessing();
}

} // namespace brasmire
