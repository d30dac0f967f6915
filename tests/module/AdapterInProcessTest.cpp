// The adapter inside this process, connected to the host library's objects:
// what a host cannot see through the module boundary — the editor queue and
// the timer that drains it, the MIDI output queue, the numbering of
// synchronised values, and the audio thread's allocations.

#include "AAX_SDK/Interfaces/AAX_Errors.h"
#include "AAX_SDK/Interfaces/AAX_UIDs.h"
#include "AAX_SDK/Libs/AAXLibrary/source/AAX_IParameter.h"
#include "Examples/Brasmire/Brasmire.h"
#include "Host/HostEventLoop.h"
#include "Host/HostMIDINode.h"
#include "Host/HostObject.h"
#include "Host/HostString.h"
#include "Host/InstanceContext.h"
#include "support/AllocationCounter.h"
#include "tests/module/AdapterHarness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace moduletest
{
namespace
{

TEST(AdapterInProcess, AHostValueForBypassQueuesItsPlainValueForTheEditor)
{
  Connected<brasmire::Brasmire> brasmire(brasmire::Brasmire::CreateInstance({}));
  ASSERT_EQ(brasmire.effect->ApplyHostParamValue("6", 0.0, 1), AAX_SUCCESS);
  ASSERT_EQ(brasmire.effect->ApplyHostParamValue("6", 1.0, 1), AAX_SUCCESS);
  EXPECT_EQ(brasmire.plug->GetParam(brasmire::ParamBypass)->Value(), 1.0);
  EXPECT_EQ(brasmire.plug->SignalPath().Engaged(), 1);
  EXPECT_EQ(brasmire.plug->ParamsWaitingForEditor(), 2);
  // The host's event loop fires the instance's 20 ms timer, which drains the queue.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (brasmire.plug->ParamsWaitingForEditor() > 0 && std::chrono::steady_clock::now() < deadline)
    aaxhost::HostEventLoop::RunFor(25);
  EXPECT_EQ(brasmire.plug->ParamsWaitingForEditor(), 0);
}

TEST(AdapterInProcess, TheEditorReceivesTheQueuedIndexAndPlainValue)
{
  Connected<RecordingPlug> c(new RecordingPlug);
  ASSERT_EQ(c.effect->ApplyHostParamValue("6", 1.0, 1), AAX_SUCCESS);
  ASSERT_EQ(c.effect->ApplyHostParamValue("2", 0.25, 1), AAX_SUCCESS);
  c.plug->OnTimerTick();
  ASSERT_EQ(c.plug->delivered.size(), 2u);
  EXPECT_EQ(c.plug->delivered[0].index, 5);
  EXPECT_EQ(c.plug->delivered[0].value, 1.0);
  EXPECT_FALSE(c.plug->delivered[0].normalised);
  EXPECT_EQ(c.plug->delivered[1].index, 1);
  EXPECT_EQ(c.plug->delivered[1].value, 0.25);
  // The bypass host parameter names no IParam and queues nothing.
  c.plug->delivered.clear();
  ASSERT_EQ(c.effect->ApplyHostParamValue("", 1.0, 1), AAX_SUCCESS);
  c.plug->OnTimerTick();
  EXPECT_TRUE(c.plug->delivered.empty());
}

TEST(AdapterInProcess, EditorGesturesBecomeTouchRequestAndRelease)
{
  Connected<RecordingPlug> c(new RecordingPlug);
  c.context->Automation().ClearEvents();
  c.plug->BeginParamGestureFromEditor(2);
  c.plug->SendParamFromEditor(2, 0.75);
  c.plug->EndParamGestureFromEditor(2);
  using Kind = aaxhost::HostAutomationDelegate::Event::Kind;
  const auto events = c.context->Automation().Events();
  ASSERT_GE(events.size(), 3u);
  // The gesture opens and closes the touch; the value travels as a request
  // (which the host parameter itself wraps in a touch of its own).
  EXPECT_EQ(events.front().kind, Kind::Touch);
  EXPECT_EQ(events.back().kind, Kind::Release);
  int requests = 0;
  for (const auto& e : events)
  {
    EXPECT_EQ(e.id, "3");
    if (e.kind == Kind::SetValueRequest)
    {
      ++requests;
      EXPECT_DOUBLE_EQ(e.value, 0.75);
    }
  }
  EXPECT_EQ(requests, 1);
  EXPECT_DOUBLE_EQ(c.plug->GetParam(2)->Value(), 0.75);
}

TEST(AdapterInProcess, MidiOutputIsOrderedByOffsetAndSentWithTheRenderCall)
{
  Connected<RecordingPlug> c(new RecordingPlug);
  c.plug->EmitMidiMessage({10, 0x90, 1, 0});
  c.plug->EmitMidiMessage({5, 0x90, 2, 0});
  c.plug->EmitMidiMessage({7, 0x90, 3, 0});
  c.plug->EmitMidiMessage({7, 0x90, 4, 0});
  ASSERT_EQ(c.plug->MidiOutputQueued(), 4);
  const int order[] = {2, 3, 4, 1};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(c.plug->QueuedMidiOutput(i)->data1, order[i]) << i;

  aaxhost::HostMIDINode out;
  c.render.mMIDIOut = &out;
  c.RenderCall();
  const std::vector<AAX_MIDIPacket> sent = out.TakeOutput();
  ASSERT_EQ(sent.size(), 4u);
  for (int i = 0; i < 4; ++i)
  {
    EXPECT_EQ(sent[static_cast<std::size_t>(i)].mData[1], order[i]);
    EXPECT_EQ(sent[static_cast<std::size_t>(i)].mLength, 3u);
    EXPECT_TRUE(sent[static_cast<std::size_t>(i)].mIsImmediate);
  }
  EXPECT_EQ(sent[0].mTimestamp, 5u);
  EXPECT_EQ(c.plug->MidiOutputQueued(), 0);
}

TEST(AdapterInProcess, MidiOutputBeyondTheFirstRoomGrowsInsteadOfDropping)
{
  Connected<RecordingPlug> c(new RecordingPlug);
  for (int i = 0; i < 1100; ++i)
    c.plug->EmitMidiMessage({1100 - i, 0xB0, static_cast<std::uint8_t>(i % 128), 0});
  ASSERT_EQ(c.plug->MidiOutputQueued(), 1100);
  for (int i = 1; i < 1100; ++i)
    ASSERT_LE(c.plug->QueuedMidiOutput(i - 1)->offset, c.plug->QueuedMidiOutput(i)->offset);
}

TEST(AdapterInProcess, SysExFromTheEditorLeavesInPacketsOfFourBytes)
{
  Connected<RecordingPlug> c(new RecordingPlug);
  const std::uint8_t bytes[10] = {0xF0, 1, 2, 3, 4, 5, 6, 7, 8, 0xF7};
  c.plug->QueueSysExFromEditor({3, 10, bytes});
  aaxhost::HostMIDINode out;
  c.render.mMIDIOut = &out;
  c.RenderCall();
  const std::vector<AAX_MIDIPacket> sent = out.TakeOutput();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].mLength, 4u);
  EXPECT_EQ(sent[1].mLength, 4u);
  EXPECT_EQ(sent[2].mLength, 2u);
  EXPECT_EQ(sent[2].mData[1], 0xF7);
  for (const auto& p : sent)
    EXPECT_EQ(p.mTimestamp, 3u);
}

TEST(AdapterInProcess, SynchronisedValuesWaitForTheStateNumberTheHostCaughtUpWith)
{
  Connected<RecordingPlug> c(new RecordingPlug);
  c.context->Controller().TakePackets();
  ASSERT_EQ(c.plug->ApplySynchronised("1", 0.5), AAX_SUCCESS);
  ASSERT_EQ(c.plug->ApplySynchronised("2", 0.5), AAX_SUCCESS); // not synchronised
  ASSERT_EQ(c.effect->DispatchParamPackets(), AAX_SUCCESS);    // number 0, with "1"
  ASSERT_EQ(c.effect->DispatchParamPackets(), AAX_SUCCESS);    // number 1, empty
  // Each pass posted its number to field 25.
  const auto packets = c.context->Controller().TakePackets();
  ASSERT_EQ(packets.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i)
  {
    EXPECT_EQ(packets[i].field, AAX_eField_CurrentStateNumber);
    std::int64_t number = -1;
    ASSERT_EQ(packets[i].data.size(), sizeof number);
    std::memcpy(&number, packets[i].data.data(), sizeof number);
    EXPECT_EQ(number, static_cast<std::int64_t>(i));
  }

  c.stateNumber = -1; // the host has not delivered number 0 yet
  c.RenderCall();
  EXPECT_TRUE(c.plug->lastIdentifiers.empty());
  c.stateNumber = 0;
  c.RenderCall();
  EXPECT_EQ(c.plug->lastIdentifiers, std::vector<std::string>{"1"});
  c.RenderCall();
  EXPECT_TRUE(c.plug->lastIdentifiers.empty()); // taken once
  EXPECT_EQ(c.effect->HostIdle(), AAX_SUCCESS);
}

TEST(AdapterInProcess, NotificationsSetTheOfflineFlagAndTheTrackName)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  EXPECT_FALSE(c.plug->IsRenderingOffline());
  EXPECT_EQ(c.effect->OnHostNotification(AAX_FourCC("AXof"), nullptr, 0), AAX_SUCCESS);
  EXPECT_TRUE(c.plug->IsRenderingOffline());
  EXPECT_EQ(c.effect->OnHostNotification(AAX_FourCC("AXox"), nullptr, 0), AAX_SUCCESS);
  EXPECT_FALSE(c.plug->IsRenderingOffline());

  iplug::ByteChunk name;
  c.plug->TrackName(name);
  ASSERT_EQ(name.Size(), 1); // the empty name and its terminator
  const aaxhost::HostString track("Drums 2");
  EXPECT_EQ(c.effect->OnHostNotification(AAX_FourCC("AXtn"), &track, sizeof track), AAX_SUCCESS);
  c.plug->TrackName(name);
  ASSERT_EQ(name.Size(), 8);
  EXPECT_STREQ(reinterpret_cast<const char*>(name.GetData()), "Drums 2");
  // Without data the name stays.
  EXPECT_EQ(c.effect->OnHostNotification(AAX_FourCC("AXtn"), nullptr, 0), AAX_SUCCESS);
  c.plug->TrackName(name);
  EXPECT_STREQ(reinterpret_cast<const char*>(name.GetData()), "Drums 2");
}

TEST(AdapterInProcess, EditorResizeRequestsStoreTheNewSize)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  EXPECT_TRUE(c.plug->RequestEditorSize(1000, 300));
  EXPECT_EQ(c.plug->GetEditorWidth(), 1000);
  EXPECT_EQ(c.plug->GetEditorHeight(), 300);
}

TEST(AdapterInProcess, ARenderCallAllocatesNothing)
{
  Connected<brasmire::Brasmire> c(brasmire::Brasmire::CreateInstance({}));
  ASSERT_EQ(c.effect->ApplyHostParamValue("5", 1.0, 1), AAX_SUCCESS);
  ASSERT_EQ(c.effect->ApplyHostParamValue("3", 0.5, 1), AAX_SUCCESS);
  std::vector<float> left(256, 0.25f);
  std::vector<float> right(256, -0.25f);
  std::vector<float> outLeft(256);
  std::vector<float> outRight(256);
  float* inputs[] = {left.data(), right.data()};
  float* outputs[] = {outLeft.data(), outRight.data()};
  c.render.mInputs = inputs;
  c.render.mOutputs = outputs;
  c.frames = 256;
  c.RenderCall(); // the first block reports the latency
  brasmire::test::AllocationCounter counter;
  for (int i = 0; i < 8; ++i)
    c.RenderCall();
  EXPECT_EQ(counter.Count(), 0);
  EXPECT_NE(outLeft[200], 0.f);
}

} // namespace
} // namespace moduletest
