#pragma once

#include "AAX_SDK/Interfaces/AAX_IMIDINode.h"

#include <vector>

namespace aaxhost
{

// One MIDI node of an instance's render context: the packets the host feeds
// for the next render call, and those the module sends. Capacities are fixed
// at construction so that the audio thread never allocates; extra packets are
// dropped and counted.
class HostMIDINode final : public AAX_IMIDINode
{
public:
  explicit HostMIDINode(std::size_t capacity = 1024);
  HostMIDINode(const HostMIDINode&) = delete;
  HostMIDINode& operator=(const HostMIDINode&) = delete;
  ~HostMIDINode() = default;

  AAX_MIDIStream* NodeBuffer() override { return &mStream; }
  // [audio-thread]
  AAX_Result PostMIDIPacket(const AAX_MIDIPacket* packet) override;

  // Host side, between render calls. [main-thread]
  void SetInput(const std::vector<AAX_MIDIPacket>& packets);
  std::vector<AAX_MIDIPacket> TakeOutput();
  std::size_t Dropped() const noexcept { return mDropped; }

private:
  std::vector<AAX_MIDIPacket> mInput;  // capacity fixed
  std::vector<AAX_MIDIPacket> mOutput; // capacity fixed
  AAX_MIDIStream mStream{0, nullptr};
  std::size_t mDropped = 0;
};

} // namespace aaxhost
