#include "IPlug/IPlugAPIBase.h"

#include "IGraphics/IGraphics.h"
#include "IPlug/HostType.h"
#include "IPlug/IPlugLogger.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace iplug
{

namespace
{
// "YYYYmmdd HH:MM +hhmm": local time and its offset from universal time.
std::string TimeStamp()
{
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  std::tm utc{};
#ifdef _WIN32
  localtime_s(&local, &now);
  gmtime_s(&utc, &now);
#else
  localtime_r(&now, &local);
  gmtime_r(&now, &utc);
#endif
  char text[64];
  std::strftime(text, sizeof text, "%Y%m%d %H:%M ", &local);
  utc.tm_isdst = local.tm_isdst;
  const long offsetMinutes =
      static_cast<long>(std::difftime(std::mktime(&local), std::mktime(&utc))) / 60;
  const long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
  char offset[16];
  std::snprintf(offset, sizeof offset, "%c%02ld%02ld", offsetMinutes < 0 ? '-' : '+',
                magnitude / 60 % 100, magnitude % 60);
  return std::string(text) + offset;
}
} // namespace

IPlugAPIBase::IPlugAPIBase(const PlugSetup& setup, PluginApi api) : IPluginBase(setup, api)
{
  SetEditorSize(setup.editorWidth, setup.editorHeight);
  SetSizeConstraints(setup.editorMinWidth, setup.editorMaxWidth, setup.editorMinHeight,
                     setup.editorMaxHeight);
  LogTrace("iplug::IPlugAPIBase::IPlugAPIBase", __LINE__, "%s:%s", GetPluginName(),
           TimeStamp().c_str());
}

IPlugAPIBase::~IPlugAPIBase()
{
  StopTimer();
}

void IPlugAPIBase::StopTimer()
{
  if (mTimer) mTimer->Stop();
  mTimer.reset();
  // An editor still open closes while the gesture path to the host exists.
  CloseEditor();
}

igraphics::IPlugAAXView_Interface* IPlugAPIBase::EditorView()
{
  return GetGraphics();
}

void IPlugAPIBase::SetHost(const char* name, int version)
{
  SetHostIdentity(HostTypeFromName(name), version);
  LogTrace("iplug::IPlugAPIBase::SetHost", __LINE__, "host_%sknown:%s:%s",
           GetHost() == kHostUnknown ? "un" : "", name != nullptr ? name : "",
           GetHostVersionStr().c_str());
  OnHostKnown();
  HostSpecificSetup();
}

void IPlugAPIBase::StartTimer()
{
  if (mTimer) return;
  mTimer = Timer::Create([this](Timer&) { OnTimerTick(); }, kTimerPeriodMs);
}

void IPlugAPIBase::OnTimerTick()
{
  if (HasEditor())
  {
    ParamChange change;
    while (mParamsToEditor.Pop(change))
      DeliverParamToEditor(change.paramIdx, change.value, false);
    MidiMessage midi;
    while (mMidiToEditor.Pop(midi))
      DeliverMidiToEditor(midi);
    while (mSysExToEditor.Pop(mSysExDelivery))
      DeliverSysExToEditor(mSysExDelivery.View());
    // After the queued values: a restored state is newer than any of them.
    ApplyPendingEditorChanges();
  }
  OnIdle();
}

bool IPlugAPIBase::StateMatches(const std::uint8_t* data, int size, int startPos) const
{
  const int n = NParams();
  if (n == 0) return true;
  // The parameter block is the last part of the state, whatever record an
  // effect puts in front of it: find where it starts by writing the current state.
  ByteChunk current;
  if (!SerializeState(current) || current.Size() < 8 * n) return false;
  const long long paramsAt = static_cast<long long>(startPos) + current.Size() - 8LL * n;
  if (data == nullptr || startPos < 0 || paramsAt + 8LL * n > size) return false;
  for (int i = 0; i < n; ++i)
  {
    double stored;
    std::memcpy(&stored, data + paramsAt + 8LL * i, sizeof stored);
    const float a = static_cast<float>(GetParam(i)->Value());
    const float b = static_cast<float>(stored);
    if (!(std::fabs(a - b) < 1e-5f)) return false;
  }
  return true;
}

void IPlugAPIBase::QueueParamForEditor(int paramIdx, double value, bool isNormalised)
{
  const IParam* param = GetParam(paramIdx);
  if (param == nullptr) return;
  if (isNormalised) value = param->ValueOfNormal(value);
  mParamsToEditor.Push({paramIdx, value});
}

bool IPlugAPIBase::RequestEditorSize(int width, int height)
{
  (void)width;
  (void)height;
  return false;
}

void IPlugAPIBase::SetHostParamValue(int paramIdx, double normalised)
{
  (void)paramIdx;
  (void)normalised;
}

bool IPlugAPIBase::PopSysExFromEditor(SysExMessage& msg) noexcept
{
  if (!mSysExFromEditor.Pop(mSysExStaging)) return false;
  msg = mSysExStaging.View();
  return true;
}

void IPlugAPIBase::BeginParamGestureFromEditor(int paramIdx)
{
  BeginHostParamChange(paramIdx);
}

void IPlugAPIBase::SendParamFromEditor(int paramIdx, double normalised)
{
  IParam* param = GetParam(paramIdx);
  if (param == nullptr) return;
  param->SetFromNormal(normalised);
  SetHostParamValue(paramIdx, normalised);
  OnParamChange(paramIdx, kUI, -1);
  // Again, in case the host's answer moved the value in between.
  param->SetFromNormal(normalised);
  OnParamChangeInEditor(paramIdx, kUI);
}

void IPlugAPIBase::EndParamGestureFromEditor(int paramIdx)
{
  EndHostParamChange(paramIdx);
}

void IPlugAPIBase::ReannounceParamsToHost()
{
  for (int i = 0; i < NParams(); ++i)
    SetHostParamValue(i, GetParam(i)->Normalised());
}

bool IPlugAPIBase::ResizeFromEditor(int width, int height, bool platformMustFollow)
{
  if (platformMustFollow) return RequestEditorSize(width, height);
  return true;
}

void IPlugAPIBase::SendMidiFromEditor(const MidiMessage& msg)
{
  QueueMidiFromEditor(msg);
}

void IPlugAPIBase::SendSysExFromEditor(const SysExMessage& msg)
{
  QueueSysExFromEditor(msg);
}

void IPlugAPIBase::SendMessageFromEditor(int msgTag, int ctrlTag, int dataSize, const void* data)
{
  OnMessage(msgTag, ctrlTag, dataSize, data);
}

void IPlugAPIBase::QueueMidiFromEditor(const MidiMessage& msg)
{
  mMidiFromEditor.Push(msg);
}

void IPlugAPIBase::QueueSysExFromEditor(const SysExMessage& msg)
{
  QueuedSysExMessage record;
  if (record.Assign(msg)) mSysExFromEditor.Push(record);
}

bool IPlugAPIBase::QueueSysExForEditor(const SysExMessage& msg) noexcept
{
  QueuedSysExMessage record;
  return record.Assign(msg) && mSysExToEditor.Push(record);
}

} // namespace iplug
