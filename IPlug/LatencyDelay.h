#pragma once

#include "IPlug/IPlugStructs.h"

#include <vector>

namespace iplug
{

// The delay a host-bypassed block goes through so that its output lines up with
// processed blocks: length samples per input channel, channel j at j × length.
// Lives on the audio thread once processing runs; length changes come from the
// effect on that thread, so they reuse reserved room instead of allocating.
class LatencyDelay
{
public:
  // Longest delay, about 21 s at 48 kHz: a longer latency is refused rather than
  // allocated, so that a wrong number cannot exhaust memory on the audio thread.
  static constexpr int kMaxLengthSamples = 1 << 20;

  // Room for reserveSamples per channel is allocated up front so that length
  // changes up to it never allocate. [main-thread]
  LatencyDelay(int inputChannels, int outputChannels, int lengthSamples, int reserveSamples = 0);
  LatencyDelay(const LatencyDelay&) = delete;
  LatencyDelay& operator=(const LatencyDelay&) = delete;

  // New length (negative counts as 0), write position 0, contents cleared.
  // Allocates only beyond the reserved room; returns false, with the delay
  // emptied (length 0), for a length above kMaxLengthSamples or when that
  // allocation fails. [audio-thread]
  bool SetLength(int lengthSamples) noexcept;
  // Silence, write position 0. [audio-thread]
  void Clear() noexcept;
  // out[j][i] = the input of channel j `length` frames ago, for channels below
  // both channel counts; other outputs are untouched. Input and output may be
  // the same buffer. Needs Length() > 0. [audio-thread]
  void Process(sample* const* inputs, sample* const* outputs, int frames) noexcept;

  int Length() const { return mLength; }
  int InputChannels() const { return mInputChannels; }
  int OutputChannels() const { return mOutputChannels; }
  int WritePosition() const { return mWritePosition; }

private:
  std::vector<sample> mBuffer; // audio thread
  int mInputChannels;
  int mOutputChannels;
  int mWritePosition = 0; // audio thread
  int mLength = 0;        // audio thread
};

} // namespace iplug
