#include "IPlug/IPlugProcessor.h"

#include "IPlug/IPlugLogger.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace iplug
{

namespace
{
bool IsBlank(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// Reads a bus piece: "*" is the wildcard, anything else a decimal integer with
// the usual leading blanks and sign, 0 when there is no number or it is
// negative. The number saturates instead of overflowing; callers clamp it further.
int ReadBusChannels(std::string_view piece)
{
  if (piece == "*") return kWildcardChannels;
  std::size_t i = 0;
  while (i < piece.size() && IsBlank(piece[i]))
    ++i;
  bool negative = false;
  if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) negative = piece[i++] == '-';
  long long value = 0;
  for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i)
  {
    value = value * 10 + (piece[i] - '0');
    if (value > IPlugProcessor::kMaxChannels) value = IPlugProcessor::kMaxChannels + 1;
  }
  // A negative number is no channel count (and -64 must not pass for "*").
  return negative ? 0 : static_cast<int>(value);
}

// Parses one side of a configuration ("2.1", "*", "") into buses. Counts above
// the per-direction limit are cut to the room that is left.
void ParseBuses(std::string_view part, RouteDirection direction, std::vector<BusInfo>& buses)
{
  int channels = 0;
  std::size_t start = 0;
  while (start <= part.size())
  {
    std::size_t dot = part.find('.', start);
    if (dot == std::string_view::npos) dot = part.size();
    int count = ReadBusChannels(part.substr(start, dot - start));
    if (count != kWildcardChannels)
      count = std::min(count, IPlugProcessor::kMaxChannels - std::max(channels, 0));
    if (count != 0)
    {
      buses.push_back(BusInfo{direction, count});
      channels += count;
    }
    start = dot + 1;
  }
}

// The channels first .. first + count - 1 that exist, as [begin, end).
void ClipRun(int first, int count, int total, int& begin, int& end)
{
  const long long last = static_cast<long long>(first) + std::max(count, 0);
  begin = static_cast<int>(std::clamp<long long>(first, 0, total));
  end = static_cast<int>(std::clamp<long long>(last, begin, total));
}

// Formats the index with a label format that may hold one integer conversion.
// A format is text from a caller: never hand it to printf with a mismatched argument.
std::string FormatLabel(const char* format, int number)
{
  std::string out;
  bool used = false;
  for (const char* p = format; *p != '\0';)
  {
    if (*p != '%')
    {
      out += *p++;
      continue;
    }
    if (p[1] == '%')
    {
      out += '%';
      p += 2;
      continue;
    }
    const char* q = p + 1;
    while (*q != '\0' && std::strchr("-+ 0", *q) != nullptr)
      ++q;
    int width = 0;
    while (*q >= '0' && *q <= '9' && width < 100)
      width = width * 10 + (*q++ - '0');
    if (!used && (*q == 'd' || *q == 'i') && !(*q >= '0' && *q <= '9'))
    {
      char conversion[16];
      const std::size_t conversionLength = static_cast<std::size_t>(q - p);
      if (conversionLength < sizeof conversion - 2)
      {
        std::memcpy(conversion, p, conversionLength);
        conversion[conversionLength] = 'd';
        conversion[conversionLength + 1] = '\0';
        char numberText[128];
        std::snprintf(numberText, sizeof numberText, conversion, number);
        out += numberText;
        used = true;
        p = q + 1;
        continue;
      }
    }
    out += *p++; // not a conversion we format: keep the text as it is
  }
  return out;
}
} // namespace

IPlugProcessor::IPlugProcessor(const PlugSetup& setup)
    : mPlugKind(setup.plugKind), mMidiIn(setup.midiIn), mMidiOut(setup.midiOut), mMpe(setup.mpe),
      mLatency(std::max(setup.latencySamples, 0))
{
  ParseChannelIO(setup.channelIO, mIOConfigs, mTotals);
  mInputPointers.assign(static_cast<std::size_t>(mTotals.inputChannels), nullptr);
  mOutputPointers.assign(static_cast<std::size_t>(mTotals.outputChannels), nullptr);
  mInputChannels.resize(mInputPointers.size());
  mOutputChannels.resize(mOutputPointers.size());
  for (std::size_t i = 0; i < mInputChannels.size(); ++i)
    mInputChannels[i].dataSlot = &mInputPointers[i];
  for (std::size_t i = 0; i < mOutputChannels.size(); ++i)
    mOutputChannels[i].dataSlot = &mOutputPointers[i];
  // A host may grow its block during playback, and the audio thread then
  // resizes these buffers: room for the block sizes hosts use, reserved here,
  // keeps that growth from allocating.
  for (std::vector<ChannelData>* channels : {&mInputChannels, &mOutputChannels})
    for (ChannelData& channel : *channels)
      channel.ownBuffer.reserve(kPreparedBlockFrames);
}

IPlugProcessor::~IPlugProcessor() = default;

// Virtual operations -----------------------------------------------------------

void IPlugProcessor::ProcessAudioBlock(sample** inputs, sample** outputs, int frames) noexcept
{
  const int in = ChannelCount(RouteDirection::Input);
  const int out = ChannelCount(RouteDirection::Output);
  const int shared = std::min(in, out);
  const std::size_t n = static_cast<std::size_t>(std::max(frames, 0));
  if (n == 0) return;
  for (int c = 0; c < shared; ++c)
  {
    if (outputs[c] != inputs[c]) std::memmove(outputs[c], inputs[c], n * sizeof(sample));
  }
  for (int c = shared; c < out; ++c)
    std::fill(outputs[c], outputs[c] + n, 0.0);
}

void IPlugProcessor::HandleMidiMessage(const MidiMessage& message) noexcept
{
  EmitMidiMessage(message);
}

void IPlugProcessor::HandleSysExMessage(const SysExMessage&) noexcept {}

void IPlugProcessor::ResetProcessing() {}

void IPlugProcessor::OnActivate(bool) {}

bool IPlugProcessor::EmitMidiMessages(std::span<const MidiMessage> messages) noexcept
{
  bool all = true;
  for (const MidiMessage& message : messages)
    all = EmitMidiMessage(message) && all;
  return all;
}

bool IPlugProcessor::EmitSysExMessage(const SysExMessage&) noexcept
{
  return false;
}

void IPlugProcessor::BusName(RouteDirection direction, int busIndex, int busCount,
                             std::string& out) const
{
  char text[64];
  if (direction == RouteDirection::Input)
  {
    if (busCount == 1)
      out = "Input";
    else if (busCount == 2)
      out = busIndex == 0 ? "Main" : "Aux";
    else
    {
      std::snprintf(text, sizeof text, "Input %i", busIndex);
      out = text;
    }
  }
  else if (busCount == 1)
    out = "Output";
  else
  {
    std::snprintf(text, sizeof text, "Output %i", busIndex);
    out = text;
  }
}

void IPlugProcessor::ChangeLatency(int samples) noexcept
{
  mLatency = std::max(samples, 0);
  if (mLatencyDelay) mLatencyDelay->SetLength(mLatency);
}

// Channel configurations ----------------------------------------------------

int IPlugProcessor::ParseChannelIO(std::string_view text, std::vector<IOConfig>& configs,
                                   ChannelIOTotals& totals)
{
  configs.clear();
  totals = ChannelIOTotals{};
  std::size_t pos = 0;
  while (pos < text.size())
  {
    while (pos < text.size() && IsBlank(text[pos]))
      ++pos;
    std::size_t end = pos;
    while (end < text.size() && !IsBlank(text[end]))
      ++end;
    if (end == pos) break;
    const std::string_view piece = text.substr(pos, end - pos);
    pos = end;

    // Without a "-" the whole piece is the input side and there are no outputs.
    const std::size_t dash = piece.find('-');
    const std::string_view inputPart = piece.substr(0, dash);
    const std::string_view outputPart =
        dash == std::string_view::npos ? std::string_view() : piece.substr(dash + 1);

    IOConfig config;
    ParseBuses(inputPart, RouteDirection::Input, config.inputBuses);
    ParseBuses(outputPart, RouteDirection::Output, config.outputBuses);
    totals.inputChannels =
        std::max(totals.inputChannels, config.ChannelCount(RouteDirection::Input));
    totals.outputChannels =
        std::max(totals.outputChannels, config.ChannelCount(RouteDirection::Output));
    totals.inputBuses = std::max(totals.inputBuses, config.BusCount(RouteDirection::Input));
    totals.outputBuses = std::max(totals.outputBuses, config.BusCount(RouteDirection::Output));
    configs.push_back(std::move(config));
  }
  return static_cast<int>(configs.size());
}

bool IPlugProcessor::LegalIO(int inputChannels, int outputChannels) const
{
  bool legal = false;
  for (const IOConfig& config : mIOConfigs)
  {
    const bool inOk =
        inputChannels < 0 || config.ChannelCount(RouteDirection::Input) == inputChannels;
    const bool outOk =
        outputChannels < 0 || config.ChannelCount(RouteDirection::Output) == outputChannels;
    if (inOk && outOk)
    {
      legal = true;
      break;
    }
  }
  LogTrace("iplug::IPlugProcessor::LegalIO", __LINE__, "%d:%d:%s", inputChannels, outputChannels,
           legal ? "legal" : "illegal");
  return legal;
}

int IPlugProcessor::MaxBusCount(RouteDirection direction, int* configIndexOut) const
{
  int most = 0;
  int index = -1;
  for (int i = 0; i < IOConfigCount(); ++i)
  {
    const int count = mIOConfigs[static_cast<std::size_t>(i)].BusCount(direction);
    if (count >= most)
    {
      most = count;
      index = i;
    }
  }
  if (configIndexOut != nullptr) *configIndexOut = index;
  return most;
}

int IPlugProcessor::MaxBusChannels(RouteDirection direction, int busIndex) const
{
  if (mIOConfigs.empty() || busIndex < 0) return 0;
  if (mIOConfigs.front().ContainsWildcard(direction)) return -1;
  int most = 0;
  for (const IOConfig& config : mIOConfigs)
  {
    if (busIndex < config.BusCount(direction))
      most =
          std::max(most, config.Buses(direction)[static_cast<std::size_t>(busIndex)].channelCount);
  }
  return most;
}

int IPlugProcessor::FindIOConfig(std::span<const int> inputBusChannels,
                                 std::span<const int> outputBusChannels) const
{
  const auto matches = [](const std::vector<BusInfo>& buses, std::span<const int> counts)
  {
    if (buses.size() != counts.size()) return false;
    for (std::size_t i = 0; i < buses.size(); ++i)
    {
      if (buses[i].channelCount != counts[i]) return false;
    }
    return true;
  };
  for (int i = 0; i < IOConfigCount(); ++i)
  {
    const IOConfig& config = mIOConfigs[static_cast<std::size_t>(i)];
    if (matches(config.inputBuses, inputBusChannels) &&
        matches(config.outputBuses, outputBusChannels))
      return i;
  }
  return -1;
}

const IOConfig* IPlugProcessor::IOConfigAt(int index) const
{
  if (index < 0 || index >= IOConfigCount()) return nullptr;
  return &mIOConfigs[static_cast<std::size_t>(index)];
}

int IPlugProcessor::ChannelCount(RouteDirection direction) const
{
  return static_cast<int>(Channels(direction).size());
}

const ChannelData* IPlugProcessor::Channel(RouteDirection direction, int index) const
{
  const std::vector<ChannelData>& channels = Channels(direction);
  if (index < 0 || index >= static_cast<int>(channels.size())) return nullptr;
  return &channels[static_cast<std::size_t>(index)];
}

int IPlugProcessor::ConnectedChannelCount(RouteDirection direction) const
{
  const std::vector<ChannelData>& channels = Channels(direction);
  return static_cast<int>(std::count_if(channels.begin(), channels.end(),
                                        [](const ChannelData& c) { return c.connected; }));
}

void IPlugProcessor::SetChannelLabel(RouteDirection direction, int index, const char* format,
                                     bool zeroBased)
{
  std::vector<ChannelData>& channels = Channels(direction);
  if (index < 0 || index >= static_cast<int>(channels.size()) || format == nullptr) return;
  std::string label = FormatLabel(format, zeroBased ? index : index + 1);
  if (label.size() > 32) label.resize(32);
  channels[static_cast<std::size_t>(index)].label = std::move(label);
}

// Frame -----------------------------------------------------------------------

std::vector<ChannelData>& IPlugProcessor::Channels(RouteDirection direction)
{
  return direction == RouteDirection::Input ? mInputChannels : mOutputChannels;
}

const std::vector<ChannelData>& IPlugProcessor::Channels(RouteDirection direction) const
{
  return direction == RouteDirection::Input ? mInputChannels : mOutputChannels;
}

int IPlugProcessor::ClippedFrames(int frames) const
{
  return std::clamp(frames, 0, mBlockSize);
}

void IPlugProcessor::SetProcessBlockSize(int frames)
{
  frames = std::max(frames, 0);
  if (frames == mBlockSize) return;
  for (std::vector<ChannelData>* channels : {&mInputChannels, &mOutputChannels})
  {
    for (ChannelData& channel : *channels)
    {
      channel.ownBuffer.assign(static_cast<std::size_t>(frames), 0.0);
      // The old buffer is gone: no slot may keep pointing into it. Host buffers
      // are attached again before the next block.
      *channel.dataSlot = channel.ownBuffer.data();
      channel.hostBuffer = nullptr;
      channel.hostBuffer64 = nullptr;
    }
  }
  mBlockSize = frames;
}

void IPlugProcessor::ConnectChannels(RouteDirection direction, int first, int count,
                                     bool connected) noexcept
{
  std::vector<ChannelData>& channels = Channels(direction);
  int begin = 0;
  int end = 0;
  ClipRun(first, count, static_cast<int>(channels.size()), begin, end);
  for (int i = begin; i < end; ++i)
  {
    ChannelData& channel = channels[static_cast<std::size_t>(i)];
    channel.connected = connected;
    if (!connected)
    {
      *channel.dataSlot = channel.ownBuffer.data();
      channel.hostBuffer = nullptr;
      channel.hostBuffer64 = nullptr;
    }
  }
}

void IPlugProcessor::AttachHostBuffers(RouteDirection direction, int first, int count,
                                       float* const* buffers, int frames) noexcept
{
  std::vector<ChannelData>& channels = Channels(direction);
  const int n = ClippedFrames(frames);
  int begin = 0;
  int end = 0;
  ClipRun(first, count, static_cast<int>(channels.size()), begin, end);
  int next = 0; // one host buffer per connected channel, in order
  for (int i = begin; i < end; ++i)
  {
    ChannelData& channel = channels[static_cast<std::size_t>(i)];
    if (!channel.connected) continue;
    float* host = buffers != nullptr ? buffers[next] : nullptr;
    ++next;
    *channel.dataSlot = channel.ownBuffer.data();
    channel.hostBuffer64 = nullptr;
    if (direction == RouteDirection::Input)
    {
      if (host != nullptr)
        FloatToSample(channel.ownBuffer.data(), host, n);
      else
        std::fill_n(channel.ownBuffer.begin(), n, 0.0);
    }
    else
      channel.hostBuffer = host;
  }
}

void IPlugProcessor::AttachHostBuffers(RouteDirection direction, int first, int count,
                                       sample* const* buffers, int /*frames*/) noexcept
{
  std::vector<ChannelData>& channels = Channels(direction);
  int begin = 0;
  int end = 0;
  ClipRun(first, count, static_cast<int>(channels.size()), begin, end);
  int next = 0;
  for (int i = begin; i < end; ++i)
  {
    ChannelData& channel = channels[static_cast<std::size_t>(i)];
    if (!channel.connected) continue;
    sample* host = buffers != nullptr ? buffers[next] : nullptr;
    ++next;
    channel.hostBuffer = nullptr;
    if (host == nullptr)
    {
      // Nothing to read or write: the channel falls back to its own buffer.
      if (direction == RouteDirection::Input)
        std::fill(channel.ownBuffer.begin(), channel.ownBuffer.end(), 0.0);
      *channel.dataSlot = channel.ownBuffer.data();
      channel.hostBuffer64 = nullptr;
    }
    else
    {
      *channel.dataSlot = host;
      channel.hostBuffer64 = direction == RouteDirection::Output ? host : nullptr;
    }
  }
}

void IPlugProcessor::ProcessHostBuffers(int frames) noexcept
{
  const int n = ClippedFrames(frames);
  ProcessAudioBlock(mInputPointers.data(), mOutputPointers.data(), n);
  WriteHostOutputs(frames, n, false);
}

void IPlugProcessor::PassThroughHostBuffers(int frames) noexcept
{
  const int n = ClippedFrames(frames);
  BypassCopy(n);
  WriteHostOutputs(frames, n, false);
}

void IPlugProcessor::ProcessHostBuffersAccumulating(int frames) noexcept
{
  const int n = ClippedFrames(frames);
  ProcessAudioBlock(mInputPointers.data(), mOutputPointers.data(), n);
  WriteHostOutputs(frames, n, true);
}

void IPlugProcessor::PassThroughHostBuffersAccumulating(int frames) noexcept
{
  const int n = ClippedFrames(frames);
  BypassCopy(n);
  WriteHostOutputs(frames, n, true);
}

void IPlugProcessor::BypassCopy(int frames) noexcept
{
  const int in = ChannelCount(RouteDirection::Input);
  const int out = ChannelCount(RouteDirection::Output);
  int shared = std::min(in, out);
  const std::size_t n = static_cast<std::size_t>(frames);
  if (n == 0) return;
  // A delay of length 0 has no ring to walk (and a latency without a delay has
  // nothing to compensate with): both copy straight through.
  if (mLatency != 0 && mLatencyDelay && mLatencyDelay->Length() > 0)
  {
    mLatencyDelay->Process(mInputPointers.data(), mOutputPointers.data(), frames);
    shared = std::min({shared, mLatencyDelay->InputChannels(), mLatencyDelay->OutputChannels()});
  }
  else
  {
    for (int c = 0; c < shared; ++c)
    {
      if (mOutputPointers[static_cast<std::size_t>(c)] !=
          mInputPointers[static_cast<std::size_t>(c)])
        std::memmove(mOutputPointers[static_cast<std::size_t>(c)],
                     mInputPointers[static_cast<std::size_t>(c)], n * sizeof(sample));
    }
  }
  // Outputs without a channel to copy are silenced: their own buffers may still
  // hold the last processed block, which would repeat as a glitch.
  for (int c = shared; c < out; ++c)
    std::fill_n(mOutputPointers[static_cast<std::size_t>(c)], n, 0.0);
}

void IPlugProcessor::WriteHostOutputs(int frames, int processed, bool accumulate) noexcept
{
  for (const ChannelData& channel : mOutputChannels)
  {
    if (!channel.connected) continue;
    if (channel.hostBuffer != nullptr)
    {
      const sample* src = *channel.dataSlot;
      float* dst = channel.hostBuffer;
      if (accumulate)
      {
        for (int i = 0; i < processed; ++i)
          dst[i] += static_cast<float>(src[i]);
      }
      else
      {
        SampleToFloat(dst, src, processed);
        // Frames the block could not hold: silence rather than stale host data.
        if (frames > processed) std::fill(dst + processed, dst + frames, 0.0f);
      }
    }
    else if (channel.hostBuffer64 != nullptr && frames > processed && !accumulate)
      std::fill(channel.hostBuffer64 + processed, channel.hostBuffer64 + frames, 0.0);
  }
  ReleaseHostBuffers();
}

void IPlugProcessor::ReleaseHostBuffers() noexcept
{
  // Host buffers are valid for one block only: a block that is not attached
  // again must never touch the last block's buffers.
  for (std::vector<ChannelData>* channels : {&mInputChannels, &mOutputChannels})
  {
    for (ChannelData& channel : *channels)
    {
      *channel.dataSlot = channel.ownBuffer.data();
      channel.hostBuffer = nullptr;
      channel.hostBuffer64 = nullptr;
    }
  }
}

void IPlugProcessor::ClearChannelBuffers() noexcept
{
  for (std::vector<ChannelData>* channels : {&mInputChannels, &mOutputChannels})
  {
    for (ChannelData& channel : *channels)
      std::fill(channel.ownBuffer.begin(), channel.ownBuffer.end(), 0.0);
  }
}

void IPlugProcessor::SampleToFloat(float* dst, const sample* src, int count) noexcept
{
  for (int i = 0; i < count; ++i)
    dst[i] = static_cast<float>(src[i]);
}

void IPlugProcessor::FloatToSample(sample* dst, const float* src, int count) noexcept
{
  for (int i = 0; i < count; ++i)
    dst[i] = static_cast<sample>(src[i]);
}

// Latency and host facts ---------------------------------------------------------

void IPlugProcessor::CreateLatencyDelay(int lengthSamples)
{
  mLatencyDelay = std::make_unique<LatencyDelay>(
      ChannelCount(RouteDirection::Input), ChannelCount(RouteDirection::Output),
      std::max(lengthSamples, 0), kReservedLatencySamples);
}

double IPlugProcessor::SamplesPerBeat() const
{
  return mTimeInfo.tempo > 0.0 ? mSampleRate * 60.0 / mTimeInfo.tempo : 0.0;
}

std::uint32_t IPlugProcessor::AUComponentType() const
{
  switch (mPlugKind)
  {
  case PlugKind::Instrument:
    return FourCharCode("aumu");
  case PlugKind::MidiEffect:
    return FourCharCode("aumi");
  case PlugKind::Effect:
    return mMidiIn ? FourCharCode("aumf") : FourCharCode("aufx");
  }
  return FourCharCode("aufx");
}

} // namespace iplug
