#pragma once

#include "AAX_SDK/Interfaces/AAX_Types.h"

// One MIDI packet in the host's format.
struct AAX_MIDIPacket
{
  std::uint32_t mTimestamp; // sample offset in the render call
  std::uint32_t mLength;
  std::uint8_t mData[4];
  bool mIsImmediate;
};
static_assert(sizeof(AAX_MIDIPacket) == 16);

// The packets of one input node for one render call.
struct AAX_MIDIStream
{
  std::uint32_t mBufferSize; // number of packets
  AAX_MIDIPacket* mBuffer;
};

// A MIDI node of the render context. Output nodes take packets; input nodes
// expose the stream of the current render call.
class AAX_IMIDINode
{
public:
  // [audio-thread]
  virtual AAX_MIDIStream* NodeBuffer() = 0;
  virtual AAX_Result PostMIDIPacket(const AAX_MIDIPacket* packet) = 0;

protected:
  ~AAX_IMIDINode() = default;
};
