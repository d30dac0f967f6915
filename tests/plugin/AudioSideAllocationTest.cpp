#include "TestPlugin.h"

#include "support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using brasmire::test::AllocationCounter;
using plugtest::TestPlugin;

namespace
{
// Exposes the audio thread's SysEx push for the test.
class AudioSidePlugin : public TestPlugin
{
public:
  using TestPlugin::QueueSysExForEditor;
};
} // namespace

// The audio thread pushes and pops the queues on every block: none of it may
// allocate, whether the queues are empty, busy or full.
TEST(AudioSideAllocation, QueueTrafficAllocatesNothing)
{
  AudioSidePlugin plug;
  const std::vector<std::uint8_t> bytes(512, 0x42);
  iplug::SysExMessage sysex;
  sysex.size = 512;
  sysex.data = bytes.data();
  iplug::MidiMessage midi;
  midi.status = 0x90;

  // Fill from the editor side first (allocation there is allowed but not expected).
  for (int i = 0; i < 40; ++i)
  {
    plug.SendMidiFromEditor(midi);
    plug.SendSysExFromEditor(sysex);
  }

  AllocationCounter counter;
  int popped = 0;
  for (int block = 0; block < 100; ++block)
  {
    iplug::MidiMessage m;
    while (plug.PopMidiFromEditor(m))
      ++popped;
    iplug::SysExMessage s;
    while (plug.PopSysExFromEditor(s))
      ++popped;
    for (int i = 0; i < 40; ++i) // past capacity: drops must not allocate either
    {
      plug.QueueMidiForEditor(midi);
      plug.QueueSysExForEditor(sysex);
    }
    plug.QueueParamForEditor(block % 6, 0.5, true);
  }
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_EQ(popped, 32 + 4);
}
