#include "IPlug/LV2/IPlugLV2.h"

#include "IPlug/IPlugLogger.h"

#include "lv2/atom/atom.h"
#include "lv2/buf-size/buf-size.h"
#include "lv2/options/options.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

namespace iplug
{

namespace
{
// The longest block the host promises, from its options; 0 when it gives none.
int MaxBlockFromOptions(const LV2_Options_Option* options, LV2_URID_Map& map)
{
  if (options == nullptr) return 0;
  const LV2_URID maxKey = map.map(map.handle, LV2_BUF_SIZE__maxBlockLength);
  const LV2_URID nominalKey = map.map(map.handle, LV2_BUF_SIZE__nominalBlockLength);
  const LV2_URID intType = map.map(map.handle, LV2_ATOM__Int);
  int longest = 0;
  for (const LV2_Options_Option* o = options; o->key != 0 || o->value != nullptr; ++o)
  {
    if ((o->key != maxKey && o->key != nominalKey) || o->type != intType ||
        o->size != sizeof(std::int32_t) || o->value == nullptr)
      continue;
    std::int32_t frames = 0;
    std::memcpy(&frames, o->value, sizeof frames);
    longest = std::max(longest, static_cast<int>(frames));
  }
  return longest;
}
} // namespace

IPlugLV2::IPlugLV2(const InstanceInfo& info, const PlugSetup& setup)
    : IPlugAPIBase(setup, kAPILV2), IPlugProcessor(setup)
{
  LogTrace("iplug::IPlugLV2::IPlugLV2", __LINE__, "%s%s", setup.pluginName.c_str(),
           setup.channelIO.c_str());
  const int widestIn = ChannelCount(RouteDirection::Input);
  const int widestOut = ChannelCount(RouteDirection::Output);
  mPorts.channels = std::clamp(info.channels, 1, std::max(1, std::min(widestIn, widestOut)));
  mPorts.params = NParams();
  mAudioIn.assign(static_cast<std::size_t>(mPorts.channels), nullptr);
  mAudioOut.assign(static_cast<std::size_t>(mPorts.channels), nullptr);
  mPieceIn.assign(static_cast<std::size_t>(mPorts.channels), nullptr);
  mPieceOut.assign(static_cast<std::size_t>(mPorts.channels), nullptr);
  mControls.assign(static_cast<std::size_t>(mPorts.params), nullptr);
  // Parameters exist now but are defined by the effect's constructor, after
  // this one: the last-seen port values are filled in by Activate.
  mLastControl.assign(static_cast<std::size_t>(mPorts.params), NAN);

  if (info.sampleRate > 0.0) SetSampleRate(info.sampleRate);
  ReadFeatures(info.features);
  if (widestIn > 0) CreateLatencyDelay(setup.latencySamples);
}

IPlugLV2::~IPlugLV2() = default;

void IPlugLV2::ReadFeatures(const LV2_Feature* const* features)
{
  const LV2_Options_Option* options = nullptr;
  for (const LV2_Feature* const* f = features; f != nullptr && *f != nullptr; ++f)
  {
    if (std::strcmp((*f)->URI, LV2_URID__map) == 0)
      mMap = static_cast<LV2_URID_Map*>((*f)->data);
    else if (std::strcmp((*f)->URI, LV2_OPTIONS__options) == 0)
      options = static_cast<const LV2_Options_Option*>((*f)->data);
  }
  int blockFrames = static_cast<int>(kPreparedBlockFrames);
  if (mMap != nullptr)
  {
    mChunkType = mMap->map(mMap->handle, LV2_ATOM__Chunk);
    // Blocks up to the prepared size cost nothing more; a host that promises
    // longer ones gets buffers for them now, not in Run.
    blockFrames = std::max(blockFrames, std::min(MaxBlockFromOptions(options, *mMap), 1 << 20));
  }
  SetProcessBlockSize(blockFrames);
}

void IPlugLV2::SetStateKey(const char* productUri)
{
  if (mMap == nullptr || productUri == nullptr) return;
  const std::string key = std::string(productUri) + kStateKeySuffix;
  mStateKey = mMap->map(mMap->handle, key.c_str());
}

void IPlugLV2::ConnectPort(std::uint32_t port, void* data) noexcept
{
  if (port < mPorts.AudioOut(0))
    mAudioIn[port] = static_cast<const float*>(data);
  else if (port < mPorts.Param(0))
    mAudioOut[port - mPorts.AudioOut(0)] = static_cast<float*>(data);
  else if (port < mPorts.Latency())
    mControls[port - mPorts.Param(0)] = static_cast<const float*>(data);
  else if (port == mPorts.Latency())
    mLatencyPort = static_cast<float*>(data);
}

void IPlugLV2::Activate()
{
  const int c = mPorts.channels;
  ConnectChannels(RouteDirection::Input, 0, c, true);
  ConnectChannels(RouteDirection::Input, c, ChannelCount(RouteDirection::Input) - c, false);
  ConnectChannels(RouteDirection::Output, 0, c, true);
  ConnectChannels(RouteDirection::Output, c, ChannelCount(RouteDirection::Output) - c, false);
  // A host starts each port at the default its description gives: until a
  // port moves from there, the parameter keeps its value (the default, or
  // what a state restored before or after activation).
  for (int i = 0; i < mPorts.params; ++i)
    if (std::isnan(mLastControl[static_cast<std::size_t>(i)]))
      mLastControl[static_cast<std::size_t>(i)] = static_cast<float>(GetParam(i)->Default());
  ResetProcessing();
}

void IPlugLV2::ApplyControlPorts() noexcept
{
  for (int i = 0; i < mPorts.params; ++i)
  {
    const std::size_t k = static_cast<std::size_t>(i);
    if (mControls[k] == nullptr) continue;
    const float value = *mControls[k];
    // A NaN from the host is no setting; the parameter keeps its value.
    if (std::isnan(value) || value == mLastControl[k]) continue;
    mLastControl[k] = value;
    GetParam(i)->Set(value);
    OnParamChange(i, kHost, -1);
  }
}

void IPlugLV2::Run(std::uint32_t frames) noexcept
{
  ApplyControlPorts();
  const int c = mPorts.channels;
  const std::uint32_t piece = static_cast<std::uint32_t>(std::max(BlockSize(), 1));
  for (std::uint32_t done = 0; done < frames;)
  {
    const std::uint32_t n = std::min(frames - done, piece);
    for (int ch = 0; ch < c; ++ch)
    {
      const std::size_t k = static_cast<std::size_t>(ch);
      // The frame only reads inputs; a missing port reads as silence.
      mPieceIn[k] = mAudioIn[k] != nullptr ? const_cast<float*>(mAudioIn[k]) + done : nullptr;
      mPieceOut[k] = mAudioOut[k] != nullptr ? mAudioOut[k] + done : nullptr;
    }
    AttachHostBuffers(RouteDirection::Input, 0, c, mPieceIn.data(), static_cast<int>(n));
    AttachHostBuffers(RouteDirection::Output, 0, c, mPieceOut.data(), static_cast<int>(n));
    ProcessHostBuffers(static_cast<int>(n));
    done += n;
  }
  if (mLatencyPort != nullptr) *mLatencyPort = static_cast<float>(Latency());
}

LV2_State_Status IPlugLV2::SaveState(LV2_State_Store_Function store, LV2_State_Handle handle,
                                     std::uint32_t) const
{
  if (store == nullptr || mStateKey == 0) return LV2_STATE_ERR_NO_FEATURE;
  ByteChunk chunk;
  if (!SerializeState(chunk)) return LV2_STATE_ERR_UNKNOWN;
  // Plain bytes with a fixed little-endian layout: any host may copy them
  // anywhere, on any machine.
  return store(handle, mStateKey, chunk.GetData(), static_cast<std::size_t>(chunk.Size()),
               mChunkType, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status IPlugLV2::RestoreState(LV2_State_Retrieve_Function retrieve,
                                        LV2_State_Handle handle)
{
  if (retrieve == nullptr || mStateKey == 0) return LV2_STATE_ERR_NO_FEATURE;
  std::size_t size = 0;
  std::uint32_t type = 0;
  std::uint32_t flags = 0;
  const void* data = retrieve(handle, mStateKey, &size, &type, &flags);
  if (data == nullptr) return LV2_STATE_ERR_NO_PROPERTY;
  if (type != mChunkType) return LV2_STATE_ERR_BAD_TYPE;
  // A chunk too short for a whole state would leave the instance half
  // restored: it is refused and nothing changes.
  ByteChunk current;
  if (!SerializeState(current) || size < static_cast<std::size_t>(current.Size()) ||
      size > static_cast<std::size_t>(INT_MAX))
    return LV2_STATE_ERR_UNKNOWN;
  ByteChunk chunk;
  if (chunk.PutBytes(data, static_cast<int>(size)) < 0) return LV2_STATE_ERR_UNKNOWN;
  static_cast<void>(UnserializeState(chunk, 0));
  AfterStateRestored();
  return LV2_STATE_SUCCESS;
}

bool IPlugLV2::EmitMidiMessage(const MidiMessage&) noexcept
{
  return false;
}

} // namespace iplug
