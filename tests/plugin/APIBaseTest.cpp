#include "TestPlugin.h"

#include "IPlug/RunLoop.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using iplug::MidiMessage;
using iplug::SysExMessage;
using plugtest::TestPlugin;

TEST(APIBase, SetHostIdentifiesTheHostAndItsVersion)
{
  TestPlugin plug;
  plug.SetHost("ProTools", 0x000B0203);
  EXPECT_EQ(plug.GetHost(), 2);
  EXPECT_EQ(plug.GetHostVersion(false), 0x000B0203);
  EXPECT_EQ(plug.GetHostVersion(true), 110203);
  EXPECT_EQ(plug.GetHostVersionStr(), "v11.2.3");
  EXPECT_EQ(plug.log, (std::vector<std::string>{"hostKnown"}));
  plug.SetHost("", 0);
  EXPECT_EQ(plug.GetHost(), 0);
}

TEST(APIBase, QueuedNormalisedValueIsMappedAndConfinedBeforeTheEditorSeesIt)
{
  TestPlugin plug;
  plug.QueueParamForEditor(TestPlugin::kOutput, 0.5, true);       // -15..15 step 0.1 -> 0.0
  plug.QueueParamForEditor(TestPlugin::kOversampling, 0.6, true); // integer: 0.6 -> 1
  plug.QueueParamForEditor(TestPlugin::kTone, 42.0, false);
  plug.QueueParamForEditor(99, 1.0, false); // no such parameter: dropped
  EXPECT_EQ(plug.ParamsWaitingForEditor(), 3);
  plug.OnTimerTick();
  ASSERT_EQ(plug.delivered.size(), 3u);
  EXPECT_EQ(plug.delivered[0].idx, TestPlugin::kOutput);
  EXPECT_EQ(plug.delivered[0].value, 0.0);
  EXPECT_FALSE(plug.delivered[0].isNormalised);
  EXPECT_EQ(plug.delivered[1].value, 1.0);
  EXPECT_EQ(plug.delivered[2].value, 42.0);
  ASSERT_EQ(plug.inEditor.size(), 3u);
  EXPECT_EQ(plug.inEditor[0].second, iplug::kDelegate);
  EXPECT_EQ(plug.idles, 1);
  // Queued values never touch the parameters themselves.
  EXPECT_EQ(plug.GetParam(TestPlugin::kTone)->Value(), 50.0);
}

TEST(APIBase, The513thQueuedValueIsDroppedWithoutATick)
{
  TestPlugin plug;
  for (int i = 0; i < 513; ++i)
    plug.QueueParamForEditor(i % 6, i, false);
  EXPECT_EQ(plug.ParamsWaitingForEditor(), 512);
  plug.OnTimerTick();
  ASSERT_EQ(plug.delivered.size(), 512u);
  EXPECT_EQ(plug.delivered[511].value, 511.0);
  EXPECT_EQ(plug.ParamsWaitingForEditor(), 0);
}

TEST(APIBase, WithoutAnEditorTicksOnlyIdle)
{
  TestPlugin plug(TestPlugin::Setup(true, 1, false));
  plug.QueueParamForEditor(0, 10, false);
  plug.QueueMidiForEditor(MidiMessage{});
  plug.OnTimerTick();
  plug.OnTimerTick();
  EXPECT_EQ(plug.idles, 2);
  EXPECT_TRUE(plug.delivered.empty());
  EXPECT_TRUE(plug.midiDelivered.empty());
  EXPECT_EQ(plug.ParamsWaitingForEditor(), 1);
}

TEST(APIBase, MidiToTheEditorIsDeliveredInOrderOnTheTick)
{
  TestPlugin plug;
  for (int i = 0; i < 40; ++i)
  {
    MidiMessage m;
    m.offset = i;
    plug.QueueMidiForEditor(m);
  }
  plug.OnTimerTick();
  ASSERT_EQ(plug.midiDelivered.size(), 32u); // capacity 32
  for (int i = 0; i < 32; ++i)
    EXPECT_EQ(plug.midiDelivered[static_cast<std::size_t>(i)].offset, i);
}

TEST(APIBase, TheTimerTicksFromTheCreatingThreadsLoop)
{
  TestPlugin plug;
  plug.StartTimer();
  plug.StartTimer(); // a second call changes nothing
  plug.QueueParamForEditor(1, 77, false);
  for (int waited = 0; waited < 2000 && plug.idles < 2; waited += 10)
    iplug::RunLoop::RunFor(10);
  EXPECT_GE(plug.idles, 2);
  ASSERT_EQ(plug.delivered.size(), 1u);
  EXPECT_EQ(plug.delivered[0].value, 77.0);
}

TEST(APIBase, EditorGestureReachesTheHostInOrder)
{
  TestPlugin plug;
  plug.BeginParamGestureFromEditor(TestPlugin::kDrive);
  plug.SendParamFromEditor(TestPlugin::kDrive, 0.25); // 12.5 dB
  plug.EndParamGestureFromEditor(TestPlugin::kDrive);
  EXPECT_EQ(plug.log,
            (std::vector<std::string>{"begin 2", "set 2 0.250000", "change 2 UI", "end 2"}));
  EXPECT_EQ(plug.GetParam(TestPlugin::kDrive)->Value(), 12.5);
  EXPECT_EQ(plug.applied, (std::vector<int>{2}));
  ASSERT_EQ(plug.inEditor.size(), 1u);
  EXPECT_EQ(plug.inEditor[0].second, iplug::kUI);
}

TEST(APIBase, ReannounceSendsEveryNormalisedValueInIndexOrder)
{
  TestPlugin plug;
  plug.SetValues({25, 50, 10, 7.5, 1, 0});
  plug.ReannounceParamsToHost();
  EXPECT_EQ(plug.log,
            (std::vector<std::string>{"set 0 0.250000", "set 1 0.500000", "set 2 0.200000",
                                      "set 3 0.750000", "set 4 1.000000", "set 5 0.000000"}));
}

TEST(APIBase, ResizeAsksTheHostOnlyWhenThePlatformMustFollow)
{
  TestPlugin plug;
  EXPECT_TRUE(plug.ResizeFromEditor(800, 300, false));
  EXPECT_TRUE(plug.log.empty());
  plug.requestAnswer = false;
  EXPECT_FALSE(plug.ResizeFromEditor(800, 300, true));
  EXPECT_EQ(plug.log, (std::vector<std::string>{"request 800x300"}));
}

TEST(APIBase, SysExFromTheEditorIsCopiedAndOversizedMessagesAreDropped)
{
  TestPlugin plug;
  std::vector<std::uint8_t> bytes = {0xF0, 0x7D, 0x01, 0xF7};
  SysExMessage msg;
  msg.offset = 12;
  msg.size = 4;
  msg.data = bytes.data();
  plug.SendSysExFromEditor(msg);
  bytes[2] = 0x55; // the queue holds its own copy

  std::vector<std::uint8_t> big(513, 0xAA);
  SysExMessage tooBig;
  tooBig.size = 513;
  tooBig.data = big.data();
  plug.SendSysExFromEditor(tooBig);
  SysExMessage negative;
  negative.size = -1;
  negative.data = big.data();
  plug.SendSysExFromEditor(negative);
  std::vector<std::uint8_t> full(512, 0x11);
  SysExMessage exact;
  exact.size = 512;
  exact.data = full.data();
  plug.SendSysExFromEditor(exact);
  SysExMessage noData;
  noData.size = 3;
  plug.SendSysExFromEditor(noData);
  EXPECT_EQ(plug.SysExWaitingFromEditor(), 3);

  SysExMessage out;
  ASSERT_TRUE(plug.PopSysExFromEditor(out));
  EXPECT_EQ(out.offset, 12);
  ASSERT_EQ(out.size, 4);
  EXPECT_EQ(out.data[2], 0x01);
  ASSERT_TRUE(plug.PopSysExFromEditor(out));
  EXPECT_EQ(out.size, 512);
  EXPECT_EQ(out.data[511], 0x11);
  ASSERT_TRUE(plug.PopSysExFromEditor(out));
  EXPECT_EQ(out.size, 3);
  EXPECT_EQ(out.data[0], 0);
  EXPECT_FALSE(plug.PopSysExFromEditor(out));
}

TEST(APIBase, MidiFromTheEditorGoesToTheAudioSideQueue)
{
  TestPlugin plug;
  for (int i = 0; i < 33; ++i)
  {
    MidiMessage m;
    m.offset = i;
    plug.SendMidiFromEditor(m);
  }
  EXPECT_EQ(plug.MidiWaitingFromEditor(), 32);
  MidiMessage m;
  ASSERT_TRUE(plug.PopMidiFromEditor(m));
  EXPECT_EQ(m.offset, 0);
}

namespace
{
// The delegate on its own, without the host-notifying overrides.
class BareDelegate : public iplug::IEditorDelegate
{
public:
  BareDelegate() : IEditorDelegate(2)
  {
    GetParam(0)->DefineReal("Gain", 0., -12., 12., 0.5, "dB", iplug::IParam::QuantiseToStep);
    GetParam(1)->DefineInteger("Mode", 0, 0, 3);
  }
  void BeginParamGestureFromEditor(int) override {}
  void EndParamGestureFromEditor(int) override {}
  void ApplyParamChange(int idx) override { applied.push_back(idx); }
  void OnParamChangeInEditor(int idx, iplug::ParamSource source) override
  {
    inEditor.emplace_back(idx, source);
  }
  bool OnMessage(int msgTag, int ctrlTag, int, const void*) override
  {
    messages.emplace_back(msgTag, ctrlTag);
    return true;
  }
  std::vector<int> applied;
  std::vector<std::pair<int, iplug::ParamSource>> inEditor;
  std::vector<std::pair<int, int>> messages;
};
} // namespace

TEST(EditorDelegate, AnnounceAllParamsAppliesEveryParameterInOrder)
{
  TestPlugin plug;
  plug.AnnounceAllParams(iplug::kReset);
  EXPECT_EQ(plug.applied, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  ASSERT_EQ(plug.inEditor.size(), 6u);
  EXPECT_EQ(plug.inEditor[5], (std::pair<int, iplug::ParamSource>{5, iplug::kReset}));
}

TEST(EditorDelegate, BaseSendParamConfinesAndTellsOnlyTheEditorSide)
{
  BareDelegate d;
  d.SendParamFromEditor(0, 0.77); // -12 + 0.77 * 24 = 6.48 -> 6.5 on the 0.5 grid
  EXPECT_EQ(d.GetParam(0)->Value(), 6.5);
  EXPECT_TRUE(d.applied.empty());
  ASSERT_EQ(d.inEditor.size(), 1u);
  EXPECT_EQ(d.inEditor[0].second, iplug::kUI);
  d.inEditor.clear();
  d.SendParamFromEditor(0, 1.5); // beyond the range: clamped
  EXPECT_EQ(d.GetParam(0)->Value(), 12.0);
  d.SendParamFromEditor(7, 0.5); // no such parameter: ignored
  EXPECT_EQ(d.inEditor.size(), 1u);
  EXPECT_FALSE(d.ResizeFromEditor(10, 10, true));
  EXPECT_EQ(d.GetParam(2), nullptr);
  EXPECT_EQ(d.GetParam(-1), nullptr);
}

TEST(EditorDelegate, MessagesRouteToOnMessageWithTheirTags)
{
  BareDelegate d;
  d.DeliverMessageToControl(7, 3, 0, nullptr);
  d.DeliverMessageToEditor(4, 0, nullptr);
  EXPECT_EQ(d.messages, (std::vector<std::pair<int, int>>{{3, 7}, {4, -1}}));
  EXPECT_EQ(d.OpenEditor(nullptr), nullptr);
  EXPECT_EQ(d.inEditor.size(), 2u); // OnEditorOpened delivered both values
}

TEST(EditorDelegate, SizeLimitsArePutInOrder)
{
  BareDelegate d;
  d.SetSizeConstraints(500, 100, 80, 40);
  EXPECT_EQ(d.GetMinWidth(), 100);
  EXPECT_EQ(d.GetMaxWidth(), 500);
  EXPECT_EQ(d.GetMinHeight(), 40);
  EXPECT_EQ(d.GetMaxHeight(), 80);
}
