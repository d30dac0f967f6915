#include "IPlug/AAX/IPlugAAX.h"

#include "AAX_SDK/Interfaces/AAX_ChunkRecord.h"
#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_IString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CBinaryDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CBinaryTaperDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CLinearTaperDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CNumberDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CParameter.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CString.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CStringDisplayDelegate.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_CUnitDisplayDelegateDecorator.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VController.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_VViewContainer.h"
#include "IPlug/AAX/AAX_CIPlugTaperDelegate.h"
#include "IPlug/IPlugLogger.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>

namespace iplug
{

namespace
{
constexpr double kTicksPerBeat = 960000.0;

std::unique_ptr<AAX_IParameter> MakeHostParameter(const IParam& param, const char* id)
{
  const bool automatable = param.CanAutomate();
  switch (param.Kind())
  {
  case IParam::Boolean:
  case IParam::Enumerated:
  {
    std::map<std::int32_t, std::string> texts;
    for (int i = 0; i < param.DisplayTextCount(); ++i)
    {
      double value = 0.0;
      const char* text = param.DisplayTextAt(i, &value);
      texts.emplace(static_cast<std::int32_t>(value), text ? text : ""); // the first one wins
    }
    auto parameter = std::make_unique<AAX_CParameter<std::int32_t>>(
        id, param.Name(), static_cast<std::int32_t>(param.Default()),
        AAX_CLinearTaperDelegate<std::int32_t, 1>(static_cast<std::int32_t>(param.Min()),
                                                  static_cast<std::int32_t>(param.Max())),
        AAX_CStringDisplayDelegate<std::int32_t>(texts), automatable);
    parameter->SetNumberOfSteps(static_cast<std::uint32_t>(param.DisplayTextCount()));
    parameter->SetType(0);
    return parameter;
  }
  case IParam::Integer:
  {
    const AAX_CNumberDisplayDelegate<std::int32_t, 0, 0> wholeNumbers;
    auto parameter = std::make_unique<AAX_CParameter<std::int32_t>>(
        id, param.Name(), static_cast<std::int32_t>(param.Default()),
        AAX_CLinearTaperDelegate<std::int32_t, 1>(static_cast<std::int32_t>(param.Min()),
                                                  static_cast<std::int32_t>(param.Max())),
        AAX_CUnitDisplayDelegateDecorator<std::int32_t>(wholeNumbers, param.HostLabel()),
        automatable);
    parameter->SetNumberOfSteps(128);
    parameter->SetType(1);
    return parameter;
  }
  case IParam::Real:
  {
    const AAX_CNumberDisplayDelegate<double, 2, 0> twoDecimals;
    auto parameter = std::make_unique<AAX_CParameter<double>>(
        id, param.Name(), param.Default(), AAX_CIPlugTaperDelegate<double>(param),
        AAX_CUnitDisplayDelegateDecorator<double>(twoDecimals, param.HostLabel()), automatable);
    parameter->SetNumberOfSteps(128);
    parameter->SetType(1);
    return parameter;
  }
  default:
    return nullptr;
  }
}
} // namespace

IPlugAAX::IPlugAAX(const InstanceInfo&, const PlugSetup& setup)
    : IPlugAPIBase(setup, kAPIAAX), IPlugProcessor(setup), AAX_CIPlugParameters()
{
  mMidiOutput.resize(kMidiQueueGrowth);
  LogTrace("iplug::IPlugAAX::IPlugAAX", __LINE__, "%s%s", setup.pluginName.c_str(),
           setup.channelIO.c_str());
  ConnectChannels(RouteDirection::Input, 0, ChannelCount(RouteDirection::Input), true);
  ConnectChannels(RouteDirection::Output, 0, ChannelCount(RouteDirection::Output), true);
  if (ChannelCount(RouteDirection::Input) > 0) CreateLatencyDelay(setup.latencySamples);
  SetProcessBlockSize(512);
  mSideChainChannel = MaxBusChannels(RouteDirection::Input, 0);
  StartTimer();
}

IPlugAAX::~IPlugAAX() = default;

const char* IPlugAAX::ParamIdText(int index) const
{
  if (index < 0 || index >= static_cast<int>(mParamIds.size())) return "";
  return mParamIds[static_cast<std::size_t>(index)].c_str();
}

// Initialisation ------------------------------------------------------------

AAX_Result IPlugAAX::InitializeEffect()
{
  if (GetHost() == -1) SetHost("ProTools", 0);

  AAX_CString bypassId;
  MasterBypassParamId(&bypassId);
  auto bypass = std::make_unique<AAX_CParameter<bool>>(
      bypassId.Get(), "Master Bypass", false, AAX_CBinaryTaperDelegate<bool>(),
      AAX_CBinaryDisplayDelegate<bool>("bypass", "on"), true);
  bypass->SetNumberOfSteps(2);
  bypass->SetType(0);
  mBypassParameter = Parameters().Add(std::move(bypass));
  if (mBypassParameter == nullptr) mBypassParameter = Parameters().Find(bypassId.Get());

  mParamIds.clear();
  mParamIds.reserve(static_cast<std::size_t>(NParams()));
  for (int i = 0; i < NParams(); ++i)
  {
    mParamIds.push_back(std::to_string(i + 1));
    if (auto parameter = MakeHostParameter(*GetParam(i), mParamIds.back().c_str()))
      Parameters().Add(std::move(parameter));
  }

  float sampleRate = 0.0f;
  if (AAX_VController* controller = Controller())
    if (controller->SampleRate(&sampleRate) == AAX_SUCCESS && sampleRate > 0.0f)
      SetSampleRate(sampleRate);
  ResetProcessing();
  return AAX_SUCCESS;
}

// Host to plug-in -------------------------------------------------------------

AAX_Result IPlugAAX::ApplyHostParamValue(AAX_CParamID id, double normalised, std::int32_t)
{
  AAX_IParameter* parameter = Parameters().Find(id);
  if (parameter == nullptr) return AAX_ERROR_INVALID_PARAMETER_ID;
  parameter->UpdateNormalizedValue(normalised);
  if (parameter == mBypassParameter)
  {
    bool bypass = false;
    parameter->GetValueAsBool(&bypass);
    mHostBypass.store(bypass, std::memory_order_relaxed);
  }

  // The bypass's empty identifier reads as 0 and so names no IParam.
  const int index = std::atoi(id) - 1;
  if (index >= 0 && index < NParams())
  {
    GetParam(index)->SetFromNormal(normalised);
    QueueParamForEditor(index, normalised, true);
    OnParamChange(index, kHost, -1);
  }
  const AAX_Result result = Packets().SetDirty(id, true);
  IncrementChangeCount();
  return result;
}

// Plug-in to host ------------------------------------------------------------------

// An index without an identifier text must not reach the host: its empty
// text is the Master Bypass parameter's identifier.
bool IPlugAAX::HasParamId(int paramIdx) const
{
  return paramIdx >= 0 && paramIdx < static_cast<int>(mParamIds.size());
}

void IPlugAAX::BeginHostParamChange(int paramIdx)
{
  if (HasParamId(paramIdx)) TouchParam(ParamIdText(paramIdx));
}

void IPlugAAX::SetHostParamValue(int paramIdx, double normalised)
{
  if (HasParamId(paramIdx)) RequestParamValue(ParamIdText(paramIdx), normalised);
}

void IPlugAAX::EndHostParamChange(int paramIdx)
{
  if (HasParamId(paramIdx)) ReleaseParam(ParamIdText(paramIdx));
}

// State chunks ----------------------------------------------------------------------

AAX_Result IPlugAAX::ChunkIdAt(std::int32_t index, AAX_CTypeID* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (index != 0)
  {
    *out = 0;
    return AAX_ERROR_INVALID_CHUNK_INDEX;
  }
  *out = GetUniqueID();
  return AAX_SUCCESS;
}

AAX_Result IPlugAAX::ChunkSize(AAX_CTypeID id, std::uint32_t* out) const
{
  if (out == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (id != GetUniqueID())
  {
    *out = 0;
    return AAX_ERROR_INVALID_CHUNK_ID;
  }
  ByteChunk chunk;
  if (SerializeState(chunk)) *out = static_cast<std::uint32_t>(chunk.Size());
  return AAX_SUCCESS;
}

AAX_Result IPlugAAX::WriteChunk(AAX_CTypeID id, AAX_ChunkRecord* record) const
{
  if (record == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (id != GetUniqueID()) return AAX_ERROR_INVALID_CHUNK_ID;
  ByteChunk chunk;
  if (!SerializeState(chunk)) return AAX_ERROR_INVALID_CHUNK_ID;
  // The host sized the record from ChunkSize; a state that grew since then
  // would overrun it, so it is refused instead.
  if (record->mSize >= 0 && chunk.Size() > record->mSize) return AAX_ERROR_INCORRECT_CHUNK_SIZE;
  record->mSize = chunk.Size();
  if (chunk.Size() > 0)
    std::memcpy(AAX_ChunkData(record), chunk.GetData(), static_cast<std::size_t>(chunk.Size()));
  return AAX_SUCCESS;
}

AAX_Result IPlugAAX::ApplyChunk(AAX_CTypeID id, const AAX_ChunkRecord* record)
{
  if (record == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (id != GetUniqueID()) return AAX_ERROR_INVALID_CHUNK_ID;
  // A record too short for a whole state would leave the instance half
  // restored (the values after the cut kept, the one at the cut zeroed): it
  // is refused and nothing changes.
  ByteChunk current;
  if (record->mSize < 0 || !SerializeState(current) || record->mSize < current.Size())
    return AAX_ERROR_INCORRECT_CHUNK_SIZE;
  ByteChunk chunk;
  if (chunk.PutBytes(AAX_ChunkData(record), record->mSize) < 0)
    return AAX_ERROR_INCORRECT_CHUNK_SIZE;
  static_cast<void>(UnserializeState(chunk, 0));
  for (int i = 0; i < NParams(); ++i)
  {
    const IParam* param = GetParam(i);
    RequestParamValue(ParamIdText(i), param->NormalOfValue(param->Value()));
  }
  AfterStateRestored();
  IncrementChangeCount();
  return AAX_SUCCESS;
}

AAX_Result IPlugAAX::CompareChunk(const AAX_ChunkRecord* record, bool* equal) const
{
  if (record == nullptr || equal == nullptr) return AAX_ERROR_NULL_ARGUMENT;
  if (record->mChunkID != GetUniqueID())
  {
    *equal = true;
    return AAX_SUCCESS;
  }
  *equal = StateMatches(AAX_ChunkData(record), std::max(record->mSize, 0), 0);
  return AAX_SUCCESS;
}

// Notifications ---------------------------------------------------------------------

AAX_Result IPlugAAX::OnHostNotification(AAX_CTypeID type, const void* data, std::uint32_t size)
{
  if (type == kNotificationOfflineOn)
    mOffline = true;
  else if (type == kNotificationOfflineOff)
    mOffline = false;
  else if (type == kNotificationTrackName && data != nullptr)
    mTrackName = static_cast<const AAX_IString*>(data)->Get();
  return AAX_CIPlugParameters::OnHostNotification(type, data, size);
}

void IPlugAAX::TrackName(ByteChunk& chunk)
{
  const int size = static_cast<int>(mTrackName.size()) + 1;
  if (chunk.Resize(size, false) != size)
  {
    chunk.Clear();
    return;
  }
  std::memcpy(chunk.GetData(), mTrackName.c_str(), static_cast<std::size_t>(size));
}

bool IPlugAAX::RequestEditorSize(int width, int height)
{
  if (!HasEditor()) return true;
  const AAX_Point size{static_cast<float>(height), static_cast<float>(width)};
  if (mViewContainer != nullptr && (width != GetEditorWidth() || height != GetEditorHeight()))
    mViewContainer->SetViewSize(size);
  SetEditorSize(width, height);
  return true;
}

// Latency and MIDI output -------------------------------------------------------------

void IPlugAAX::ChangeLatency(int samples) noexcept
{
  if (AAX_VController* controller = Controller()) controller->SetSignalLatency(samples);
  IPlugProcessor::ChangeLatency(samples);
}

bool IPlugAAX::EmitMidiMessage(const MidiMessage& message) noexcept
{
  if (mMidiBack >= mMidiOutput.size())
  {
    if (mMidiFront > 0)
    {
      std::move(mMidiOutput.begin() + static_cast<std::ptrdiff_t>(mMidiFront),
                mMidiOutput.begin() + static_cast<std::ptrdiff_t>(mMidiBack), mMidiOutput.begin());
      mMidiBack -= mMidiFront;
      mMidiFront = 0;
    }
    else
    {
      try
      {
        mMidiOutput.resize(mMidiOutput.size() + kMidiQueueGrowth);
      }
      catch (const std::bad_alloc&)
      {
        return true; // lost; the host never learns of it
      }
    }
  }
  // After every queued message with an offset not above its own.
  std::size_t at = mMidiBack;
  while (at > mMidiFront && mMidiOutput[at - 1].offset > message.offset)
  {
    mMidiOutput[at] = mMidiOutput[at - 1];
    --at;
  }
  mMidiOutput[at] = message;
  ++mMidiBack;
  return true;
}

const MidiMessage* IPlugAAX::QueuedMidiOutput(int position) const noexcept
{
  const std::size_t at = mMidiFront + static_cast<std::size_t>(position);
  if (position < 0 || at >= mMidiBack) return nullptr;
  return &mMidiOutput[at];
}

void IPlugAAX::SendMidiOutput(AAX_RenderContext& context) noexcept
{
  AAX_IMIDINode* node = context.mMIDIOut;
  if (node == nullptr) return;
  for (std::size_t i = mMidiFront; i < mMidiBack; ++i)
  {
    const MidiMessage& msg = mMidiOutput[i];
    AAX_MIDIPacket packet{};
    packet.mTimestamp = static_cast<std::uint32_t>(msg.offset);
    packet.mLength = 3;
    packet.mData[0] = msg.status;
    packet.mData[1] = msg.data1;
    packet.mData[2] = msg.data2;
    packet.mIsImmediate = true;
    node->PostMIDIPacket(&packet);
  }
  mMidiFront = 0;
  mMidiBack = 0;

  SysExMessage sysex;
  while (PopSysExFromEditor(sysex))
  {
    for (std::int32_t sent = 0; sent < sysex.size; sent += 4)
    {
      AAX_MIDIPacket packet{};
      packet.mTimestamp = static_cast<std::uint32_t>(sysex.offset);
      packet.mLength = static_cast<std::uint32_t>(std::min<std::int32_t>(4, sysex.size - sent));
      std::memcpy(packet.mData, sysex.data + sent, packet.mLength);
      packet.mIsImmediate = true;
      node->PostMIDIPacket(&packet);
    }
  }
}

// Rendering ----------------------------------------------------------------------------

void IPlugAAX::FillTimeInfo(AAX_ITransport& transport) noexcept
{
  TimeInfo info;
  transport.CurrentTempo(&info.tempo);
  transport.IsTransportPlaying(&info.transportRunning);
  transport.CurrentMeter(&info.meterNumerator, &info.meterDenominator);
  std::int64_t ticks = 0;
  if (transport.CurrentTickPosition(&ticks) == AAX_SUCCESS)
    info.beatPosition = std::max(0.0, static_cast<double>(ticks) / kTicksPerBeat);
  std::int64_t samples = 0;
  if (transport.CurrentNativeSampleLocation(&samples) == AAX_SUCCESS)
    info.samplePosition = static_cast<double>(samples);
  std::int64_t loopStart = 0;
  std::int64_t loopEnd = 0;
  if (transport.CurrentLoopPosition(&info.loopEnabled, &loopStart, &loopEnd) == AAX_SUCCESS)
  {
    info.cycleStart = static_cast<double>(loopStart) / kTicksPerBeat;
    info.cycleEnd = static_cast<double>(loopEnd) / kTicksPerBeat;
  }
  SetTimeInfo(info);
}

void IPlugAAX::RenderAudio(AAX_RenderContext* context, const AAX_SyncValuePair* const*,
                           std::int32_t) noexcept
{
  if (context == nullptr) return;
  const bool bypass = mHostBypass.load(std::memory_order_relaxed);

  std::int32_t inputStem = 0;
  std::int32_t outputStem = 0;
  if (AAX_VController* controller = Controller())
  {
    controller->InputStemFormat(&inputStem);
    controller->OutputStemFormat(&outputStem);
  }
  // Never more than the processor has channels for.
  const int c = std::min(inputStem & 0xFFFF, ChannelCount(RouteDirection::Input));
  const int d = std::min(outputStem & 0xFFFF, ChannelCount(RouteDirection::Output));

  if (TakesMidiInput() && context->mMIDIIn != nullptr)
  {
    if (const AAX_MIDIStream* stream = context->mMIDIIn->NodeBuffer())
      for (std::uint32_t i = 0; stream->mBuffer != nullptr && i < stream->mBufferSize; ++i)
      {
        const AAX_MIDIPacket& packet = stream->mBuffer[i];
        const MidiMessage msg{static_cast<std::int32_t>(packet.mTimestamp), packet.mData[0],
                              packet.mData[1], packet.mData[2]};
        HandleMidiMessage(msg);
        QueueMidiForEditor(msg);
      }
  }

  mTransport = context->mTransport;

  const int n = context->mBufferLength != nullptr ? *context->mBufferLength : 0;
  if (n < 0)
  {
    mTransport = nullptr;
    return;
  }
  if (n > BlockSize())
  {
    SetProcessBlockSize(n);
    ResetProcessing();
  }

  const int totalIn = ChannelCount(RouteDirection::Input);
  const int totalOut = ChannelCount(RouteDirection::Output);
  if (GetPlugKind() != PlugKind::Instrument)
  {
    ConnectChannels(RouteDirection::Input, 0, c, true);
    ConnectChannels(RouteDirection::Input, c, totalIn - c, false);
    const std::int32_t sideChain =
        context->mSideChainChannel != nullptr ? *context->mSideChainChannel : 0;
    if (MaxBusCount(RouteDirection::Input) > 1 && sideChain != 0 && context->mInputs != nullptr)
    {
      ConnectChannels(RouteDirection::Input, mSideChainChannel, 1, true);
      AttachHostBuffers(RouteDirection::Input, 0, c, context->mInputs, n);
      AttachHostBuffers(RouteDirection::Input, mSideChainChannel, 1, context->mInputs + sideChain,
                        n);
    }
    else
      AttachHostBuffers(RouteDirection::Input, 0, c, context->mInputs, n);
  }

  ConnectChannels(RouteDirection::Output, 0, totalOut, true);
  if (MaxBusCount(RouteDirection::Output) == 1)
    ConnectChannels(RouteDirection::Output, d, totalOut - d, false);
  // Only the outputs the host supplied are attached; the rest stay unconnected.
  AttachHostBuffers(RouteDirection::Output, 0, ConnectedChannelCount(RouteDirection::Output),
                    context->mOutputs, n);

  if (bypass)
    PassThroughHostBuffers(n);
  else
  {
    if (mTransport != nullptr) FillTimeInfo(*mTransport);
    MidiMessage msg;
    while (PopMidiFromEditor(msg))
      HandleMidiMessage(msg);
    ProcessHostBuffers(n);
  }

  if (ProducesMidiOutput()) SendMidiOutput(*context);
  mTransport = nullptr;
}

} // namespace iplug
