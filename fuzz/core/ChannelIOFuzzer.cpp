#include "IPlug/IPlugProcessor.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace
{
class FuzzProcessor final : public iplug::IPlugProcessor
{
public:
  using iplug::IPlugProcessor::IPlugProcessor;
  bool EmitMidiMessage(const iplug::MidiMessage&) noexcept override { return true; }
};

void Check(bool condition)
{
  if (!condition) std::abort();
}
} // namespace

// The channel I/O text decides how many channel records and buffers an instance
// allocates: any text must parse without reading out of bounds, stay within the
// channel limit, and give a processor whose frame works on the result.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
  using iplug::IPlugProcessor;
  using iplug::RouteDirection;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::vector<iplug::IOConfig> configs;
  iplug::ChannelIOTotals totals;
  const int count = IPlugProcessor::ParseChannelIO(text, configs, totals);
  Check(count == static_cast<int>(configs.size()));
  Check(totals.inputChannels >= 0 && totals.inputChannels <= IPlugProcessor::kMaxChannels);
  Check(totals.outputChannels >= 0 && totals.outputChannels <= IPlugProcessor::kMaxChannels);
  for (const iplug::IOConfig& config : configs)
  {
    for (RouteDirection d : {RouteDirection::Input, RouteDirection::Output})
    {
      Check(config.ChannelCount(d) <= IPlugProcessor::kMaxChannels);
      for (const iplug::BusInfo& bus : config.Buses(d))
      {
        Check(bus.direction == d);
        Check(bus.channelCount == iplug::kWildcardChannels ||
              (bus.channelCount > 0 && bus.channelCount <= IPlugProcessor::kMaxChannels));
      }
    }
  }

  // A whole processor from the same text, through one processed and one bypassed block.
  iplug::PlugSetup setup;
  setup.channelIO.assign(text);
  setup.latencySamples = size > 0 ? data[0] % 8 : 0;
  FuzzProcessor processor(setup);
  Check(processor.ChannelCount(RouteDirection::Input) == totals.inputChannels);
  int configIndex = 0;
  processor.MaxBusCount(RouteDirection::Input, &configIndex);
  processor.MaxBusChannels(RouteDirection::Output, 0);
  processor.LegalIO(-1, 2);
  const int busCounts[] = {1, 2};
  processor.FindIOConfig(busCounts, busCounts);
  processor.CreateLatencyDelay(setup.latencySamples);
  processor.SetProcessBlockSize(8);
  processor.ConnectChannels(RouteDirection::Input, 0, processor.ChannelCount(RouteDirection::Input),
                            true);
  processor.ConnectChannels(RouteDirection::Output, 0, 1, true);
  std::vector<float> buffer(8, 0.5f);
  std::vector<float*> pointers(
      static_cast<std::size_t>(processor.ChannelCount(RouteDirection::Input)) + 1, buffer.data());
  processor.AttachHostBuffers(RouteDirection::Input, 0,
                              processor.ChannelCount(RouteDirection::Input), pointers.data(), 8);
  processor.AttachHostBuffers(RouteDirection::Output, 0, 1, pointers.data(), 8);
  processor.ProcessHostBuffers(8);
  processor.AttachHostBuffers(RouteDirection::Output, 0, 1, pointers.data(), 8);
  processor.PassThroughHostBuffers(8);
  return 0;
}
