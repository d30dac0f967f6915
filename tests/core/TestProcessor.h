#pragma once

#include "IPlug/IPlugProcessor.h"

#include <array>
#include <string>

namespace iplug::test
{

inline PlugSetup SetupWithChannels(const std::string& channelIO, int latencySamples = 0)
{
  PlugSetup setup;
  setup.channelIO = channelIO;
  setup.latencySamples = latencySamples;
  return setup;
}

// A processor whose MIDI output lands in a fixed array (no allocation), so it
// can stand in for a host adapter in tests of the frame.
class TestProcessor : public IPlugProcessor
{
public:
  explicit TestProcessor(const std::string& channelIO, int latencySamples = 0)
      : IPlugProcessor(SetupWithChannels(channelIO, latencySamples))
  {
  }
  explicit TestProcessor(const PlugSetup& setup) : IPlugProcessor(setup) {}

  bool EmitMidiMessage(const MidiMessage& message) noexcept override
  {
    if (emittedCount >= static_cast<int>(emitted.size()) || refuseStatus == message.status)
      return false;
    emitted[static_cast<std::size_t>(emittedCount++)] = message;
    return true;
  }

  std::array<MidiMessage, 16> emitted{};
  int emittedCount = 0;
  int refuseStatus = -1;
};

} // namespace iplug::test
