#include "TestPlugin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

using iplug::ByteChunk;
using plugtest::TestPlugin;

// A host thread queues values while the main thread's timer drains them into
// the editor: what arrives is in order and never duplicated.
TEST(PluginThreads, HostValuesReachTheEditorInOrderWhileTheTimerDrains)
{
  TestPlugin plug;
  constexpr int kCount = 50000;
  std::atomic<bool> done{false};
  std::thread host(
      [&]
      {
        // Plain values are queued as given, so the sequence number travels intact.
        for (int i = 0; i < kCount; ++i)
        {
          plug.QueueParamForEditor(i % 6, i, false);
          if (i % 256 == 0) std::this_thread::yield(); // let the timer side interleave
        }
        done = true;
      });
  while (!done)
    plug.OnTimerTick();
  host.join();
  plug.OnTimerTick();

  ASSERT_FALSE(plug.delivered.empty());
  bool increasing = true;
  bool matchesIndex = true;
  for (std::size_t i = 0; i < plug.delivered.size(); ++i)
  {
    const auto& d = plug.delivered[i];
    if (i > 0 && d.value <= plug.delivered[i - 1].value) increasing = false;
    if (d.idx != static_cast<int>(d.value) % 6) matchesIndex = false;
  }
  EXPECT_TRUE(increasing);
  EXPECT_TRUE(matchesIndex);
}

// The editor thread sends MIDI and SysEx while the audio thread pops them.
TEST(PluginThreads, EditorMessagesReachTheAudioSideInOrder)
{
  TestPlugin plug;
  constexpr int kCount = 20000;
  std::atomic<bool> done{false};
  std::thread editor(
      [&]
      {
        std::uint8_t bytes[8];
        for (int i = 0; i < kCount; ++i)
        {
          iplug::MidiMessage m;
          m.offset = i;
          plug.SendMidiFromEditor(m);
          for (std::uint8_t& b : bytes)
            b = static_cast<std::uint8_t>(i);
          iplug::SysExMessage s{i, 8, bytes};
          plug.SendSysExFromEditor(s);
        }
        done = true;
      });

  int lastMidi = -1;
  int lastSysEx = -1;
  bool ordered = true;
  bool intact = true;
  auto drain = [&]
  {
    iplug::MidiMessage m;
    while (plug.PopMidiFromEditor(m))
    {
      if (m.offset <= lastMidi) ordered = false;
      lastMidi = m.offset;
    }
    iplug::SysExMessage s;
    while (plug.PopSysExFromEditor(s))
    {
      if (s.offset <= lastSysEx) ordered = false;
      lastSysEx = s.offset;
      for (int k = 0; k < s.size; ++k)
        if (s.data[k] != static_cast<std::uint8_t>(s.offset)) intact = false;
    }
  };
  while (!done)
    drain();
  editor.join();
  drain();
  EXPECT_TRUE(ordered);
  EXPECT_TRUE(intact);
  EXPECT_GE(lastMidi, 0);
}

// Restoring states on a host thread while the audio thread reads parameter
// values: every value read is one of the two states' values.
TEST(PluginThreads, AudioThreadReadsWholeValuesDuringRestore)
{
  TestPlugin writer;
  writer.SetValues({10, 20, 30, 4, 1, 0});
  ByteChunk a;
  writer.SerializeState(a);
  writer.SetValues({90, 80, 5, -4, 0, 1});
  ByteChunk b;
  writer.SerializeState(b);

  TestPlugin plug;
  plug.UnserializeState(a, 0);
  std::atomic<bool> done{false};
  std::thread host(
      [&]
      {
        for (int i = 0; i < 2000; ++i)
        {
          plug.UnserializeState((i & 1) ? a : b, 0);
          plug.applied.clear();
          plug.inEditor.clear();
        }
        done = true;
      });
  bool valid = true;
  const double first[6] = {10, 20, 30, 4, 1, 0};
  const double second[6] = {90, 80, 5, -4, 0, 1};
  while (!done)
    for (int i = 0; i < 6; ++i)
    {
      const double v = plug.GetParam(i)->Value();
      if (v != first[i] && v != second[i]) valid = false;
    }
  host.join();
  EXPECT_TRUE(valid);
}
