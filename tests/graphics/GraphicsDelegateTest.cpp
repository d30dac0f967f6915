// The graphics editor delegate: opening through the installed factory at the
// saved size, the 12-byte editor record, values, tags, MIDI and keys, and
// closing in the middle of a drag.

#include "InputTestSupport.h"
#include "support/ProbeControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace igraphics;
using namespace igraphics::test;
using Kind = HostCall::Kind;

namespace
{

constexpr IColor kGrey{255, 90, 90, 90};

// A delegate that also records what reached the editor side.
class EditorDelegate : public FakeEditorDelegate
{
public:
  EditorDelegate() : FakeEditorDelegate(3)
  {
    SetEditorSize(732, 208);
    SetSizeConstraints(366, 1464, 104, 416);
    GetParam(0)->DefineReal("Mix", 100., 0., 100., 1., "%");
    GetParam(1)->DefineReal("Output", 0., -15., 15., 0.1, "dB");
    GetParam(2)->DefineInteger("Bypass", 1, 0, 1);
  }
  void OnParamChangeInEditor(int paramIdx, iplug::ParamSource source) override
  {
    inEditor.push_back(paramIdx);
    lastSource = source;
  }
  void OnMidiInEditor(const iplug::MidiMessage&) override { ++midiInEditor; }

  std::vector<int> inEditor;
  iplug::ParamSource lastSource = iplug::kUnknown;
  int midiInEditor = 0;
};

struct DelegateFixture : ::testing::Test
{
  DelegateFixture()
  {
    InstallOpeningFactory(dlg, &graphics);
    dlg.SetLayoutFunction(
        [this](IGraphics* g)
        {
          ++layouts;
          g->AttachControl(std::make_unique<ProbeControl>(IRect(0, 0, 732, 208), kGrey));
          knobA = g->AttachControl(std::make_unique<TestKnob>(IRect(10, 10, 60, 60), 1), 7);
          knobB = g->AttachControl(std::make_unique<TestKnob>(IRect(100, 10, 150, 60), 1));
          g->AddCornerResizer(0, false);
        });
  }

  void* Open() { return dlg.OpenEditor(&parent); }

  static std::vector<unsigned char> Bytes(const iplug::ByteChunk& chunk)
  {
    return std::vector<unsigned char>(chunk.GetData(), chunk.GetData() + chunk.Size());
  }

  static iplug::ByteChunk Record(std::int32_t w, std::int32_t h, float scale)
  {
    iplug::ByteChunk chunk;
    chunk.Put(w);
    chunk.Put(h);
    chunk.Put(scale);
    return chunk;
  }

  EditorDelegate dlg;
  OpeningGraphics* graphics = nullptr;
  IControl* knobA = nullptr;
  IControl* knobB = nullptr;
  int layouts = 0;
  int parent = 0;
};

} // namespace

TEST_F(DelegateFixture, OpeningLaysOutAndSendsEveryValueClosingDeletesTheEditor)
{
  dlg.GetParam(1)->Set(7.5); // normalised 0.75
  void* view = Open();
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(dlg.GetGraphics(), graphics);
  EXPECT_TRUE(dlg.OnEditorThread());
  EXPECT_EQ(layouts, 1);
  EXPECT_EQ(dlg.inEditor, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(dlg.lastSource, iplug::kDelegate);
  // Both controls of the parameter take its value.
  EXPECT_DOUBLE_EQ(knobA->GetValue(), 0.75);
  EXPECT_DOUBLE_EQ(knobB->GetValue(), 0.75);

  // Opening again keeps the editor and its controls.
  EXPECT_NE(Open(), nullptr);
  EXPECT_EQ(dlg.GetGraphics(), graphics);

  dlg.CloseEditor();
  EXPECT_EQ(dlg.GetGraphics(), nullptr);
  EXPECT_FALSE(dlg.OnEditorThread());
  // Reopened, the layout runs on a fresh graphics object.
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(layouts, 2);
  EXPECT_EQ(graphics->NControls(), 3);
  dlg.CloseEditor();
}

TEST_F(DelegateFixture, NoFactoryOrNoWindowMeansNoEditor)
{
  dlg.SetGraphicsFactory(nullptr);
  EXPECT_EQ(Open(), nullptr);
  EXPECT_EQ(dlg.GetGraphics(), nullptr);
  // A graphics object without a platform window (the core's answer is null).
  dlg.SetGraphicsFactory([this] { return std::make_unique<RecordingGraphics>(dlg, 732, 208); });
  EXPECT_EQ(Open(), nullptr);
  EXPECT_EQ(dlg.GetGraphics(), nullptr);
  EXPECT_FALSE(dlg.OnEditorThread());
  EXPECT_EQ(dlg.GetSavedWidth(), 0); // nothing to remember of it
  const igraphics::IKeyPress key("a", 65);
  EXPECT_FALSE(dlg.OnKeyDown(key));
  EXPECT_FALSE(dlg.OnKeyUp(key));
}

TEST_F(DelegateFixture, AFreshDelegateWritesAZeroRecordUntilTheEditorFirstCloses)
{
  iplug::ByteChunk chunk;
  ASSERT_TRUE(dlg.SerializeEditorState(chunk));
  EXPECT_EQ(Bytes(chunk), std::vector<unsigned char>(12, 0));
  ASSERT_NE(Open(), nullptr);
  // While open the record is the editor's.
  iplug::ByteChunk open;
  ASSERT_TRUE(dlg.SerializeEditorState(open));
  EXPECT_EQ(Bytes(open), Bytes(Record(732, 208, 1.f)));
  dlg.CloseEditor();
  EXPECT_EQ(dlg.GetSavedWidth(), 732);
  EXPECT_EQ(dlg.GetSavedScale(), 1.f);
}

TEST_F(DelegateFixture, ClosedAtOnePointFiveTheRecordSaysSoAndReopeningRestoresIt)
{
  ASSERT_NE(Open(), nullptr);
  graphics->Resize(732, 208, 1.5f);
  dlg.CloseEditor();
  iplug::ByteChunk chunk;
  ASSERT_TRUE(dlg.SerializeEditorState(chunk));
  // 732 = 0x2dc, 208 = 0xd0, 1.5f = 0x3fc00000, little-endian.
  const std::vector<unsigned char> expected{0xdc, 0x02, 0x00, 0x00, 0xd0, 0x00,
                                            0x00, 0x00, 0x00, 0x00, 0xc0, 0x3f};
  EXPECT_EQ(Bytes(chunk), expected);

  ASSERT_NE(Open(), nullptr);
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 1.5f);
  EXPECT_EQ(graphics->Width(), 732);
  dlg.CloseEditor();

  // A record restored while closed is where the next opening starts.
  const iplug::ByteChunk restored = Record(900, 300, 0.75f);
  EXPECT_EQ(dlg.UnserializeEditorState(restored, 0), 12);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(graphics->Width(), 900);
  EXPECT_EQ(graphics->Height(), 300);
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 0.75f);
  dlg.CloseEditor();
}

TEST_F(DelegateFixture, UnusableOrTruncatedRecordsNeverReplaceTheSavedSize)
{
  dlg.SetSavedEditorState(800, 220, 1.25f);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (const iplug::ByteChunk& bad :
       {Record(0, 0, 1.f), Record(800, 0, 1.f), Record(-5, 220, 1.f), Record(800, 220, 0.f),
        Record(800, 220, -1.f), Record(800, 220, nan), Record(800, 220, inf)})
    EXPECT_EQ(dlg.UnserializeEditorState(bad, 0), 12);
  iplug::ByteChunk truncated;
  truncated.Put(std::int32_t{300});
  truncated.Put(std::int32_t{100});
  EXPECT_EQ(dlg.UnserializeEditorState(truncated, 0), -1);
  EXPECT_EQ(dlg.GetSavedWidth(), 800);
  EXPECT_EQ(dlg.GetSavedHeight(), 220);
  EXPECT_EQ(dlg.GetSavedScale(), 1.25f);

  // Nor do they resize an open editor.
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(dlg.UnserializeEditorState(Record(0, 0, 0.f), 0), 12);
  EXPECT_EQ(graphics->Width(), 800);
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 1.25f);
  // A usable one on the editor's thread resizes at once.
  EXPECT_EQ(dlg.UnserializeEditorState(Record(732, 208, 2.f), 0), 12);
  EXPECT_FLOAT_EQ(graphics->GetDrawScale(), 2.f);
  dlg.CloseEditor();
}

TEST_F(DelegateFixture, ValuesWhileClosedReachOnlyTheHookAndTagsAddressControls)
{
  dlg.DeliverParamToEditor(1, 15.0, false);
  EXPECT_EQ(dlg.inEditor, (std::vector<int>{1}));

  ASSERT_NE(Open(), nullptr);
  dlg.inEditor.clear();
  dlg.DeliverParamToEditor(1, -15.0, false); // plain: normalised 0
  EXPECT_DOUBLE_EQ(knobA->GetValue(), 0.0);
  EXPECT_DOUBLE_EQ(knobB->GetValue(), 0.0);
  dlg.DeliverParamToEditor(1, 0.25, true);
  EXPECT_DOUBLE_EQ(knobB->GetValue(), 0.25);
  EXPECT_EQ(dlg.inEditor, (std::vector<int>{1, 1}));

  // Tag 7 is knob A only; an unknown tag is dropped.
  dlg.DeliverValueToControl(7, 0.5);
  EXPECT_DOUBLE_EQ(knobA->GetValue(), 0.5);
  EXPECT_DOUBLE_EQ(knobB->GetValue(), 0.25);
  dlg.DeliverValueToControl(99, 0.9);

  auto* probe = static_cast<ProbeControl*>(
      graphics->AttachControl(std::make_unique<ProbeControl>(IRect(300, 10, 350, 60), kGrey), 8));
  dlg.DeliverMessageToControl(8, 42, 0, nullptr);
  dlg.DeliverMessageToControl(99, 43, 0, nullptr);
  EXPECT_EQ(probe->Events().back(), "message:42");
  EXPECT_EQ(probe->CountOf("message:43"), 0);

  probe->SetWantsMidi(true);
  dlg.DeliverMidiToEditor(iplug::MidiMessage{});
  EXPECT_EQ(probe->CountOf("midi"), 1);
  EXPECT_EQ(dlg.midiInEditor, 1);
  dlg.CloseEditor();
}

TEST_F(DelegateFixture, HostKeysReachTheControlUnderThePointer)
{
  ASSERT_NE(Open(), nullptr);
  auto* probe = static_cast<ProbeControl*>(
      graphics->AttachControl(std::make_unique<ProbeControl>(IRect(300, 10, 350, 60), kGrey)));
  probe->SetHandlesKeys(true);
  graphics->OnMouseOver(320, 30, {}); // the platform's pointer position
  const igraphics::IKeyPress key("a", 65);
  EXPECT_TRUE(dlg.OnKeyDown(key));
  EXPECT_TRUE(dlg.OnKeyUp(key));
  EXPECT_EQ(probe->CountOf("keydown"), 1);
  EXPECT_EQ(probe->CountOf("keyup"), 1);
  dlg.CloseEditor();
}

TEST_F(DelegateFixture, AWindowClosingMidDragSendsTheEnd)
{
  ASSERT_NE(Open(), nullptr);
  graphics->OnMouseDown({Press(30, 30)});
  graphics->OnMouseDrag({Move(30, 20, 0, -10)});
  dlg.CloseEditor();
  const auto& calls = dlg.Calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(dlg.CallsOf(Kind::BeginGesture).size(), 1u);
  EXPECT_EQ(calls.back().kind, Kind::EndGesture);
  EXPECT_EQ(calls.back().paramIdx, 1);
  EXPECT_EQ(dlg.Count(Kind::EndGesture), 1);
}

TEST_F(DelegateFixture, ScreenScaleReachesTheOpenEditor)
{
  dlg.ApplyScreenScale(2.f); // closed: nothing to do
  ASSERT_NE(Open(), nullptr);
  dlg.ApplyScreenScale(1.5f);
  EXPECT_FLOAT_EQ(graphics->GetScreenScale(), 1.5f);
  dlg.CloseEditor();
}
