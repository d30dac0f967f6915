// Input dispatch: hit testing and capture, the gestures a press begins and
// ends towards the host, the host view container's claim on clicks, context
// menus, prompts, keys and multi-touch.

#include "IGraphics/Controls/ICornerResizerControl.h"
#include "InputTestSupport.h"
#include "support/ProbeControl.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace igraphics;
using namespace igraphics::test;
using Kind = HostCall::Kind;
using MouseKind = aaxhost::HostViewContainer::ParameterMouseEvent::Kind;

namespace
{

constexpr IColor kGrey{255, 90, 90, 90};

struct DispatchFixture : ::testing::Test
{
  DispatchFixture()
  {
    dlg.SetEditorSize(732, 208);
    dlg.SetSizeConstraints(366, 1464, 104, 416);
    for (int i = 0; i < 4; ++i)
      dlg.GetParam(i)->DefineReal("Real", 50., 0., 100., 1., "%");
    dlg.GetParam(4)->DefineEnumeratedFromList("Mode", 0, {"Mode Off", "Mode On"});
    dlg.GetParam(5)->DefineInteger("Bypass", 1, 0, 1);
    background = static_cast<ProbeControl*>(
        g.AttachControl(std::make_unique<ProbeControl>(IRect(0, 0, 732, 208), kGrey)));
  }

  // The calls towards the host, as text: "B0", "S0", "E0".
  std::string Trace() const
  {
    std::string out;
    for (const HostCall& c : dlg.Calls())
    {
      if (c.kind == Kind::BeginGesture) out += "B" + std::to_string(c.paramIdx) + " ";
      if (c.kind == Kind::SendParam) out += "S" + std::to_string(c.paramIdx) + " ";
      if (c.kind == Kind::EndGesture) out += "E" + std::to_string(c.paramIdx) + " ";
    }
    return out;
  }

  FakeEditorDelegate dlg{6};
  RecordingGraphics g{dlg, 732, 208};
  ProbeControl* background = nullptr;
};

} // namespace

TEST_F(DispatchFixture, KnobDragSendsBeginThenValuesThenEndForItsParameter)
{
  auto* knob = g.AttachControl(std::make_unique<TestKnob>(IRect(47, 48, 163, 164), 0));
  g.OnMouseDown({Press(100, 100)});
  EXPECT_EQ(Trace(), "B0 ");
  EXPECT_EQ(g.GetCapturedControl(0), knob);
  // A drag of 58 points up on a 116-point knob at gearing 4 adds 0.125 in two steps.
  g.OnMouseDrag({Move(100, 71, 0, -29)});
  g.OnMouseDrag({Move(100, 42, 0, -29)});
  g.OnMouseDrag({Move(100, 42, 0, 0)}); // no movement: no event
  g.OnMouseUp({Press(100, 42)});
  EXPECT_EQ(Trace(), "B0 S0 S0 E0 ");
  EXPECT_NEAR(knob->GetValue(), 0.125, 1e-12);
  EXPECT_EQ(g.GetCapturedControl(0), nullptr);
}

TEST_F(DispatchFixture, RightClickSendsNoBeginAndNeverReachesTheControl)
{
  auto* probe = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 50, 50), kGrey, 2)));
  g.OnMouseDown({Press(20, 20, true)});
  g.OnMouseUp({Press(20, 20, true)});
  EXPECT_EQ(probe->CountOf("down"), 0);
  EXPECT_EQ(probe->CountOf("up"), 0);
  EXPECT_EQ(Trace(), "");
  EXPECT_EQ(g.MenuCount(), 0); // the control adds no context-menu items
  EXPECT_EQ(g.GetCapturedControl(0), nullptr);
}

namespace
{
class MenuProbe : public ProbeControl
{
public:
  using ProbeControl::ProbeControl;
  void BuildContextMenu(IPopupMenu& menu) override
  {
    menu.AddItem("Default");
    menu.AddItem("Learn");
  }
};
} // namespace

TEST_F(DispatchFixture, ContextMenuChoiceReachesTheControlWithoutAnyGesture)
{
  auto* probe = static_cast<MenuProbe*>(
      g.AttachControl(std::make_unique<MenuProbe>(IRect(10, 10, 50, 50), kGrey, 1)));
  g.ScriptMenuChoice(1);
  g.OnMouseDown({Press(20, 30, true)});
  EXPECT_EQ(g.MenuCount(), 1);
  EXPECT_EQ(g.LastMenuBounds(), IRect(20, 30, 20, 30));
  EXPECT_EQ(probe->CountOf("contextmenu:1"), 1);
  EXPECT_EQ(Trace(), ""); // no Begin, so the completion sends no End either
}

TEST_F(DispatchFixture, HostContainerTakesTheClickWhenItAnswersZero)
{
  HostContainer container;
  g.SetViewContainer(&container.wrapper);
  auto* probe = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 50, 50), kGrey, 0)));

  container.host->SetMouseDownAnswer(0);
  g.OnMouseDown({Press(20, 20)});
  EXPECT_EQ(probe->CountOf("down"), 0);
  EXPECT_EQ(Trace(), "");
  EXPECT_EQ(g.GetCapturedControl(0), nullptr);

  // Any other answer leaves the click to the editor.
  container.host->SetMouseDownAnswer(1);
  g.OnMouseDown({Press(20, 20)});
  EXPECT_EQ(probe->CountOf("down"), 1);
  EXPECT_EQ(Trace(), "B0 ");
  ASSERT_EQ(container.host->MouseEvents().size(), 2u);
  EXPECT_EQ(container.host->MouseEvents()[1].id, "1");
  EXPECT_EQ(container.host->MouseEvents()[1].modifiers, 0u);
  g.SetViewContainer(nullptr);
}

TEST_F(DispatchFixture, ShiftRightClickOnParameterThreeSendsIdentifierFourWithMask17)
{
  HostContainer container;
  g.SetViewContainer(&container.wrapper);
  g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 50, 50), kGrey, 3));
  g.OnMouseDown({Press(20, 20, true, true)});
  auto events = container.host->MouseEvents();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, MouseKind::Down);
  EXPECT_EQ(events[0].id, "4");
  EXPECT_EQ(events[0].modifiers, 1u | 16u);

  // The host's own modifier mask is kept; alt and control add 4 and 8.
  container.host->SetModifiers(32);
  IMouseEvent altCtrl = Press(20, 20);
  altCtrl.ms.A = true;
  altCtrl.ms.C = true;
  g.OnMouseDown({altCtrl});
  events = container.host->MouseEvents();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].modifiers, 32u | 4u | 8u);
  g.SetViewContainer(nullptr);
}

TEST_F(DispatchFixture, AnIndexOutsideTheParametersNeverReachesTheHost)
{
  HostContainer container;
  g.SetViewContainer(&container.wrapper);
  auto* probe = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 50, 50), kGrey, 9)));
  g.OnMouseDown({Press(20, 20)});
  g.OnMouseUp({Press(20, 20)});
  EXPECT_TRUE(container.host->MouseEvents().empty());
  EXPECT_EQ(Trace(), "");
  EXPECT_EQ(probe->CountOf("down"), 1); // the control itself still works
  g.SetViewContainer(nullptr);
}

TEST_F(DispatchFixture, HitTestingOrderAndMouseOverRules)
{
  auto* a = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(0, 0, 100, 100), kGrey)));
  auto* b = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(50, 50, 150, 150), kGrey)));
  // The later control is on top.
  EXPECT_EQ(g.FindControlAt(60, 60, false, false), b);
  b->Hide(true);
  EXPECT_EQ(g.FindControlAt(60, 60, false, false), a);
  b->Hide(false);
  b->SetDisabled(true);
  EXPECT_EQ(g.FindControlAt(60, 60, false, false), a);
  b->SetMEWhenGrayed(true);
  EXPECT_EQ(g.FindControlAt(60, 60, false, false), b);
  b->SetIgnoreMouse(true);
  EXPECT_EQ(g.FindControlAt(60, 60, false, false), a);

  // The background takes presses but never mouse-over; mouse-over needs enabling.
  EXPECT_EQ(g.FindControlAt(500, 150, false, false), background);
  EXPECT_EQ(g.FindControlAt(10, 10, false, true), nullptr);
  g.EnableMouseOver(true);
  EXPECT_EQ(g.FindControlAt(10, 10, false, true), a);
  EXPECT_EQ(g.GetMouseOverIdx(), 1);
  EXPECT_EQ(g.FindControlAt(500, 150, false, true), nullptr);
  EXPECT_EQ(g.GetMouseOverIdx(), -1);

  // The corner resizer lies above every listed control.
  g.AddCornerResizer(0, false);
  EXPECT_EQ(g.FindControlAt(725, 200, false, false), g.GetCornerResizer());

  // A capture wins wherever the pointer is.
  g.OnMouseDown({Press(10, 10)});
  EXPECT_EQ(g.FindControlAt(725, 200, false, false), a);
  g.OnMouseUp({Press(10, 10)});
  EXPECT_EQ(g.FindControlAt(725, 200, false, false), g.GetCornerResizer());
}

TEST_F(DispatchFixture, MouseOverMovesBetweenControlsAndOutClearsIt)
{
  g.EnableMouseOver(true);
  auto* a = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(0, 0, 100, 100), kGrey)));
  auto* b = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(200, 0, 300, 100), kGrey)));
  EXPECT_TRUE(g.OnMouseOver(10, 10, {}));
  EXPECT_TRUE(g.OnMouseOver(210, 10, {}));
  EXPECT_EQ(a->CountOf("over"), 1);
  EXPECT_EQ(a->CountOf("out"), 1);
  EXPECT_EQ(b->CountOf("over"), 1);
  EXPECT_FALSE(g.OnMouseOver(500, 150, {})); // only the background is there
  EXPECT_EQ(b->CountOf("out"), 1);
  g.OnMouseOut();
  EXPECT_EQ(g.GetMouseOverControl(), nullptr);
  EXPECT_EQ(g.GetMouseOverIdx(), -1);
}

TEST_F(DispatchFixture, TwoFingersOnAControlThatWantsOneCaptureItOnlyForTheFirst)
{
  g.EnableMultiTouch(true);
  auto* probe = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 100, 100), kGrey)));
  IMouseEvent first = Press(20, 20);
  first.ms.touchID = 1;
  IMouseEvent second = Press(60, 60);
  second.ms.touchID = 2;
  g.OnMouseDown({first, second});
  EXPECT_EQ(g.GetCapturedControl(1), probe);
  EXPECT_EQ(g.GetCapturedControl(2), nullptr);
  EXPECT_EQ(probe->CountOf("down"), 1);

  // One that wants multi-touch takes both.
  g.OnTouchCancel({first});
  EXPECT_EQ(probe->CountOf("touchcancel"), 1);
  probe->SetWantsMultiTouch(true);
  g.OnMouseDown({first, second});
  EXPECT_EQ(g.NCapturedTouches(probe), 2);
}

TEST_F(DispatchFixture, KeysGoToTheControlUnderThePointerThenTheKeyHandler)
{
  auto* probe = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 100, 100), kGrey)));
  int handled = 0;
  bool lastUp = false;
  g.SetKeyHandler(
      [&](const IKeyPress&, bool isUp)
      {
        ++handled;
        lastUp = isUp;
        return true;
      });
  const IKeyPress key("a", 65);
  // Over the background: straight to the key handler.
  EXPECT_TRUE(g.OnKeyDown(500, 150, key));
  EXPECT_EQ(background->CountOf("keydown"), 0);
  EXPECT_EQ(handled, 1);
  // A control that does not handle it passes it on; one that does keeps it.
  EXPECT_TRUE(g.OnKeyUp(20, 20, key));
  EXPECT_EQ(probe->CountOf("keyup"), 1);
  EXPECT_TRUE(lastUp);
  probe->SetHandlesKeys(true);
  EXPECT_TRUE(g.OnKeyDown(20, 20, key));
  EXPECT_EQ(handled, 2);
  g.SetKeyHandler(nullptr);
  EXPECT_FALSE(g.OnKeyDown(500, 150, key));
}

TEST_F(DispatchFixture, WheelDropAndDoubleClickReachTheControlUnderThePointer)
{
  auto* probe = static_cast<ProbeControl*>(
      g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 100, 100), kGrey)));
  g.OnMouseWheel(20, 20, {}, 1.f);
  g.OnDrop("file.wav", 20, 20);
  EXPECT_EQ(probe->CountOf("wheel"), 1);
  EXPECT_EQ(probe->CountOf("drop:file.wav"), 1);

  EXPECT_TRUE(g.OnMouseDoubleClick(20, 20, {}));
  EXPECT_EQ(probe->CountOf("dblclick"), 1);
  EXPECT_EQ(g.GetCapturedControl(0), nullptr);
  // Treated as a single click: a press with its gesture.
  probe->SetDblAsSingleClick(true);
  probe->SetParamIndex(5);
  EXPECT_TRUE(g.OnMouseDoubleClick(20, 20, {}));
  EXPECT_EQ(probe->CountOf("down"), 1);
  EXPECT_EQ(Trace(), "B5 ");
  g.OnMouseUp({Press(20, 20)});
  EXPECT_EQ(Trace(), "B5 E5 ");
  // Nothing there at all (no background in a fresh editor): false.
  RecordingGraphics empty(dlg, 100, 100);
  EXPECT_FALSE(empty.OnMouseDoubleClick(20, 20, {}));
}

TEST_F(DispatchFixture, EveryWayACaptureEndsSendsTheEndOfItsGesture)
{
  auto* knob = g.AttachControl(std::make_unique<TestKnob>(IRect(47, 48, 163, 164), 1));
  // Removal of the captured control.
  g.OnMouseDown({Press(100, 100)});
  g.RemoveControl(knob);
  EXPECT_EQ(Trace(), "B1 E1 ");

  // A resize mid-drag.
  dlg.ClearCalls();
  g.AttachControl(std::make_unique<TestKnob>(IRect(47, 48, 163, 164), 1));
  g.OnMouseDown({Press(100, 100)});
  g.Resize(732, 208, 1.5f);
  EXPECT_EQ(Trace(), "B1 E1 ");
  // The release that follows has nothing left to end.
  g.OnMouseUp({Press(100, 100)});
  EXPECT_EQ(Trace(), "B1 E1 ");

  // A touch cancel.
  dlg.ClearCalls();
  g.OnMouseDown({Press(100, 100)});
  g.OnTouchCancel({Press(100, 100)});
  EXPECT_EQ(Trace(), "B1 E1 ");
}

namespace
{
// A switch-like control that opens its value menu on a left press.
class MenuOnPress : public ProbeControl
{
public:
  using ProbeControl::ProbeControl;
  void OnMouseDown(float x, float y, const IMouseState& mod) override
  {
    ProbeControl::OnMouseDown(x, y, mod);
    DisablePrompt(false);
    RequestValueEntry(0);
  }
};
} // namespace

TEST_F(DispatchFixture, AMenuOpenedByAPressEndsTheGestureOnceAfterTheChoice)
{
  auto* control = g.AttachControl(std::make_unique<MenuOnPress>(IRect(10, 10, 50, 50), kGrey, 4));
  g.ScriptMenuChoice(1); // "Mode On"
  g.OnMouseDown({Press(20, 20)});
  g.OnMouseUp({Press(20, 20)});
  EXPECT_EQ(g.MenuCount(), 1);
  EXPECT_EQ(Trace(), "B4 S4 E4 ");
  EXPECT_EQ(control->GetValue(), 1.0);
  EXPECT_EQ(dlg.GetParam(4)->Value(), 1.0);
}

TEST_F(DispatchFixture, TextEntryValuesAreAlwaysFiniteAndInRange)
{
  auto* control = g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 50, 50), kGrey, 0));
  control->DisablePrompt(false);
  control->SetValue(0.5);
  control->RequestValueEntry(0);
  ASSERT_EQ(g.TextEntryCount(), 1);
  EXPECT_EQ(g.LastTextEntry().paramIdx, 0);
  EXPECT_EQ(g.GetControlInTextEntry(), control);

  // The parameter's parser answers the bottom of the range for "nan" and the
  // top for a number too large for a double: never a value that is not a number.
  g.SetTextEntryDone("nan");
  EXPECT_EQ(control->GetValue(), 0.0);
  EXPECT_EQ(g.GetControlInTextEntry(), nullptr);
  control->RequestValueEntry(0);
  g.SetTextEntryDone("1e999");
  EXPECT_EQ(control->GetValue(), 1.0);
  control->RequestValueEntry(0);
  g.SetTextEntryDone("25");
  EXPECT_DOUBLE_EQ(control->GetValue(), 0.25);
  EXPECT_EQ(dlg.Count(Kind::SendParam), 3);
  for (const HostCall& call : dlg.CallsOf(Kind::SendParam))
    EXPECT_TRUE(std::isfinite(call.value));
}

TEST_F(DispatchFixture, GesturesRunTheControlsFunctionOrTheRegionsFunction)
{
  int controlRuns = 0;
  int regionRuns = 0;
  auto* probe = g.AttachControl(std::make_unique<ProbeControl>(IRect(10, 10, 50, 50), kGrey));
  probe->AddGestureRecognizer(EGestureType::Pinch,
                              [&](IControl*, const IGestureEvent&) { ++controlRuns; });
  g.AddGestureRegion(IRect(100, 100, 200, 200), EGestureType::SwipeLeft,
                     [&](IControl*, const IGestureEvent&) { ++regionRuns; });
  IGestureEvent info;
  info.type = EGestureType::Pinch;
  info.x = 20;
  info.y = 20;
  g.OnGestureEvent(info);
  info.x = 150;
  info.y = 150;
  info.type = EGestureType::SwipeLeft;
  g.OnGestureEvent(info);
  g.RemoveGestureRegions();
  g.OnGestureEvent(info);
  EXPECT_EQ(controlRuns, 1);
  EXPECT_EQ(regionRuns, 1);
}
