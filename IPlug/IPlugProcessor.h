#pragma once

#include "IPlug/IPlugMidi.h"
#include "IPlug/IPlugStructs.h"
#include "IPlug/LatencyDelay.h"
#include "IPlug/PlugSetup.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace iplug
{

// Totals over every configuration of a channel I/O text: the widest sums and counts.
struct ChannelIOTotals
{
  int inputChannels = 0;
  int outputChannels = 0;
  int inputBuses = 0;
  int outputBuses = 0;
};

// The audio-processing side of a plug-in instance. It turns the channel I/O
// text into channel configurations, keeps one record per channel, and frames
// every block: host buffers are bound to per-channel 64-bit buffers, the
// effect's ProcessAudioBlock runs on those, and the results go back to the
// host's buffers. A host-bypassed block goes through a latency-compensating delay.
//
// Threads: construction, parsing and the block-size and latency-delay set-up run
// before the audio thread sees the instance (or, for block growth, on the audio
// thread between blocks); every frame operation runs on the host's audio thread.
class IPlugProcessor
{
public:
  // Most channels a configuration may have in one direction, and most channels of
  // one bus: a channel I/O text asking for more is clamped, so that a typo cannot
  // make the processor allocate millions of channel buffers.
  static constexpr int kMaxChannels = 1024;
  // Latency changes up to this many samples never allocate on the audio thread.
  static constexpr int kReservedLatencySamples = 4096;

  explicit IPlugProcessor(const PlugSetup& setup);
  IPlugProcessor(const IPlugProcessor&) = delete;
  IPlugProcessor& operator=(const IPlugProcessor&) = delete;

  // Virtual operations, in slot order ----------------------------------------

  virtual ~IPlugProcessor();
  // One block on the channel buffers: one pointer per channel of the widest
  // configuration. Default: copies the shared channels, silences the other
  // outputs. [audio-thread]
  virtual void ProcessAudioBlock(sample** inputs, sample** outputs, int frames) noexcept;
  // Default: passes the message on to EmitMidiMessage. [audio-thread]
  virtual void HandleMidiMessage(const MidiMessage& message) noexcept;
  // A system-exclusive message from the host or editor; ignored by default. [audio-thread]
  virtual void HandleSysExMessage(const SysExMessage& message) noexcept;
  // Clears processing state after the sample rate is first set and whenever the
  // block size grows. [audio-thread] or before processing starts.
  virtual void ResetProcessing();
  // The host started or stopped processing; ignored by default. [any-thread]
  virtual void OnActivate(bool active);
  // Hands a message to the host; true when it was taken. [audio-thread]
  virtual bool EmitMidiMessage(const MidiMessage& message) noexcept = 0;
  // True only if every message was taken. [audio-thread]
  virtual bool EmitMidiMessages(std::span<const MidiMessage> messages) noexcept;
  // Hands a system-exclusive message to the host; none is taken by default. [audio-thread]
  virtual bool EmitSysExMessage(const SysExMessage& message) noexcept;
  // Name of a bus for hosts: "Input", "Main"/"Aux", "Input %i", "Output", "Output %i".
  // [any-thread]
  virtual void BusName(RouteDirection direction, int busIndex, int busCount,
                       std::string& out) const;
  // Stores the reported latency (negative counts as 0) and resizes and clears the
  // latency delay. Within kReservedLatencySamples it never allocates. [audio-thread]
  virtual void ChangeLatency(int samples) noexcept;

  // Channel configurations -------------------------------------------------

  // Parses a channel I/O text such as "1-1 2-2" or "2.1-2 *-*" into configs,
  // replacing their content; returns the number of configurations. Never fails:
  // malformed numbers read as 0 and drop the bus. [any-thread]
  static int ParseChannelIO(std::string_view text, std::vector<IOConfig>& configs,
                            ChannelIOTotals& totals);
  // True when some configuration has exactly these channel sums; a negative
  // count matches any. [any-thread]
  bool LegalIO(int inputChannels, int outputChannels) const;
  // Most buses of a direction over all configurations; configIndexOut names the
  // (last) configuration that has them, -1 without configurations. [any-thread]
  int MaxBusCount(RouteDirection direction, int* configIndexOut = nullptr) const;
  // -1 if the first configuration has a wildcard bus of that direction, else the
  // most channels bus busIndex has in any configuration. [any-thread]
  int MaxBusChannels(RouteDirection direction, int busIndex) const;
  // Index of the first configuration whose buses match both lists exactly, or -1.
  // [any-thread]
  int FindIOConfig(std::span<const int> inputBusChannels,
                   std::span<const int> outputBusChannels) const;
  int IOConfigCount() const { return static_cast<int>(mIOConfigs.size()); }
  // nullptr outside 0 .. IOConfigCount() - 1.
  const IOConfig* IOConfigAt(int index) const;
  // Channels of a direction: the widest configuration's sum.
  int ChannelCount(RouteDirection direction) const;
  // nullptr outside 0 .. ChannelCount() - 1.
  const ChannelData* Channel(RouteDirection direction, int index) const;
  int ConnectedChannelCount(RouteDirection direction) const;
  // "Input %i"-style label from a format with at most one integer conversion
  // (%d or %i, with flags and width); other conversions are kept as literal text.
  // The index is shown counted from 1 unless zeroBased. [main-thread]
  void SetChannelLabel(RouteDirection direction, int index, const char* format,
                       bool zeroBased = false);

  // Frame ----------------------------------------------------------------------

  // Resizes and clears every channel buffer when frames differs from the block
  // size. Allocates only past kPreparedBlockFrames, which every channel has
  // room for from construction. [audio-thread] between blocks, or
  // [main-thread] before processing.
  void SetProcessBlockSize(int frames);
  static constexpr std::size_t kPreparedBlockFrames = 8192;
  // Marks channels first .. first + count - 1 (clipped) connected or not; an
  // unconnected channel reads and writes its own buffer. [audio-thread]
  void ConnectChannels(RouteDirection direction, int first, int count, bool connected) noexcept;
  // Binds 32-bit host buffers, one per connected channel of the run, in order.
  // Inputs are converted into the channels' own buffers; outputs are remembered
  // and filled by ProcessHostBuffers. A null buffer reads as silence and
  // receives nothing. [audio-thread]
  void AttachHostBuffers(RouteDirection direction, int first, int count, float* const* buffers,
                         int frames) noexcept;
  // 64-bit host buffers: the block reads and writes them directly. [audio-thread]
  void AttachHostBuffers(RouteDirection direction, int first, int count, sample* const* buffers,
                         int frames) noexcept;
  // Runs ProcessAudioBlock and writes every connected output into its host buffer.
  // Frames beyond the block size are not processed; their host output is silenced.
  // Afterwards the host buffers are forgotten: attach them again for every block.
  // [audio-thread]
  void ProcessHostBuffers(int frames) noexcept;
  // The host-bypass copy through the latency delay, then the same output step.
  // [audio-thread]
  void PassThroughHostBuffers(int frames) noexcept;
  // As above for hosts that expect the result added to their 32-bit buffers.
  // [audio-thread]
  void ProcessHostBuffersAccumulating(int frames) noexcept;
  void PassThroughHostBuffersAccumulating(int frames) noexcept;
  // Every channel's own buffer to silence. [audio-thread]
  void ClearChannelBuffers() noexcept;

  static void SampleToFloat(float* dst, const sample* src, int count) noexcept;
  static void FloatToSample(sample* dst, const float* src, int count) noexcept;

  // Latency ------------------------------------------------------------------

  // Creates the bypass delay with the widest channel counts and room for
  // kReservedLatencySamples. [main-thread] before processing.
  void CreateLatencyDelay(int lengthSamples);
  const LatencyDelay* GetLatencyDelay() const { return mLatencyDelay.get(); }
  int Latency() const { return mLatency; }

  // Host facts ---------------------------------------------------------------

  double SampleRate() const { return mSampleRate; }
  // [main-thread] before processing, or [audio-thread] between blocks.
  void SetSampleRate(double sampleRate) { mSampleRate = sampleRate; }
  int BlockSize() const { return mBlockSize; }
  PlugKind GetPlugKind() const { return mPlugKind; }
  bool TakesMidiInput() const { return mMidiIn; }
  bool ProducesMidiOutput() const { return mMidiOut; }
  bool SupportsMpe() const { return mMpe; }
  const TimeInfo& GetTimeInfo() const { return mTimeInfo; }
  // [audio-thread] before each processed block.
  void SetTimeInfo(const TimeInfo& timeInfo) { mTimeInfo = timeInfo; }
  // Samples per beat at the current tempo; 0 without a positive tempo.
  double SamplesPerBeat() const;
  // The published component type of this kind of plug-in ('aufx', 'aumf', 'aumu', 'aumi').
  std::uint32_t AUComponentType() const;

private:
  std::vector<ChannelData>& Channels(RouteDirection direction);
  const std::vector<ChannelData>& Channels(RouteDirection direction) const;
  int ClippedFrames(int frames) const;
  void BypassCopy(int frames) noexcept;
  void WriteHostOutputs(int frames, int processed, bool accumulate) noexcept;
  void ReleaseHostBuffers() noexcept;

  // Set at construction, read-only afterwards.
  PlugKind mPlugKind;
  bool mMidiIn;
  bool mMidiOut;
  bool mMpe;
  std::vector<IOConfig> mIOConfigs;
  ChannelIOTotals mTotals;

  int mLatency;               // audio thread once processing runs
  double mSampleRate = 48000; // host thread before processing
  int mBlockSize = 0;         // audio thread once processing runs
  // Pointer arrays handed to ProcessAudioBlock; never resized after construction
  // because every channel's data slot points into them. Audio thread.
  std::vector<sample*> mInputPointers;
  std::vector<sample*> mOutputPointers;
  std::vector<ChannelData> mInputChannels;     // audio thread
  std::vector<ChannelData> mOutputChannels;    // audio thread
  std::unique_ptr<LatencyDelay> mLatencyDelay; // audio thread once processing runs
  TimeInfo mTimeInfo;                          // audio thread
};

} // namespace iplug
