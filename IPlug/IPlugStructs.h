#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace iplug
{

// Every sample inside the framework is a 64-bit float; hosts' 32-bit buffers are
// converted on the way in and out.
using sample = double;

enum class RouteDirection : std::int32_t
{
  Input = 0,
  Output = 1
};

enum class PlugKind : std::int32_t
{
  Effect = 0,
  Instrument = 1,
  MidiEffect = 2
};

// Channel count of a bus written "*": the bus takes whatever the host offers.
inline constexpr int kWildcardChannels = -64;

struct BusInfo
{
  RouteDirection direction = RouteDirection::Input;
  std::int32_t channelCount = 0; // kWildcardChannels for "*"
};

// One channel configuration: its input and output buses in the order written.
struct IOConfig
{
  std::vector<BusInfo> inputBuses;
  std::vector<BusInfo> outputBuses;

  const std::vector<BusInfo>& Buses(RouteDirection direction) const
  {
    return direction == RouteDirection::Input ? inputBuses : outputBuses;
  }
  int BusCount(RouteDirection direction) const { return static_cast<int>(Buses(direction).size()); }
  // Channels summed over the buses of one direction (a wildcard adds kWildcardChannels).
  int ChannelCount(RouteDirection direction) const
  {
    int total = 0;
    for (const BusInfo& bus : Buses(direction))
      total += bus.channelCount;
    return total;
  }
  bool ContainsWildcard(RouteDirection direction) const
  {
    for (const BusInfo& bus : Buses(direction))
    {
      if (bus.channelCount == kWildcardChannels) return true;
    }
    return false;
  }
};

// One input or output channel of the processor. The audio thread owns every
// field while processing; the rest of the time only the thread that set the
// processor up touches them.
struct ChannelData
{
  // Whether the host supplies this channel in the current block.
  bool connected = false;
  // The channel's slot in the pointer array handed to the block processing.
  sample** dataSlot = nullptr;
  // Outputs: the host's 32-bit buffer that receives the converted result. Valid
  // for the current block only; forgotten once the block is written back.
  float* hostBuffer = nullptr;
  // Outputs attached as 64-bit host buffers: the buffer the block writes
  // directly. Current block only, like hostBuffer.
  sample* hostBuffer64 = nullptr;
  // Block-size buffer: converted input, output before conversion, or silence.
  std::vector<sample> ownBuffer;
  std::string label;
};

// Transport state as the host last reported it; positions in beats where musical.
struct TimeInfo
{
  double tempo = 120.0; // beats per minute
  double samplePosition = -1.0;
  double beatPosition = -1.0;
  double lastBarStart = -1.0;
  double cycleStart = -1.0;
  double cycleEnd = -1.0;
  std::int32_t meterNumerator = 4;
  std::int32_t meterDenominator = 4;
  bool transportRunning = false;
  bool loopEnabled = false;
};

} // namespace iplug
