// IControl: value slots, SetDirty's order, hit testing, geometry, animation,
// highlight, gestures and value prompts.

#include "support/FakeClock.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"
#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace igraphics;
using namespace igraphics::test;
using Kind = HostCall::Kind;

namespace
{

constexpr IColor kGrey{255, 128, 128, 128};

// A control with two value slots, linked to parameters 0 and 1.
class TwoSlotControl : public ProbeControl
{
public:
  explicit TwoSlotControl(const IRect& bounds) : ProbeControl(bounds, kGrey, 0)
  {
    mVals.push_back({1, 0.0});
  }
};

struct ControlFixture : ::testing::Test
{
  ControlFixture()
  {
    dlg.GetParam(0)->DefineReal("Gain", 0.0, 0.0, 1.0, 0.001);
    dlg.GetParam(1)->DefineReal("Tone", 0.5, 0.0, 1.0, 0.001);
    dlg.GetParam(2)->DefineEnumerated("Mode", 1, 3, "", 0, "", {"Soft", "Warm", "Hard"});
    g.SetClock(&clock);
  }

  ProbeControl* Add(const IRect& bounds, int paramIdx = -1, ActionFunction action = nullptr)
  {
    return static_cast<ProbeControl*>(g.AttachControl(
        std::make_unique<ProbeControl>(bounds, kGrey, paramIdx, std::move(action))));
  }

  FakeEditorDelegate dlg{3};
  RecordingGraphics g{dlg, 732, 208};
  FakeClock clock;
};

} // namespace

TEST_F(ControlFixture, SetDirtyClampsThenSendsThenSyncsThenRunsTheAction)
{
  ProbeControl* linked = Add(IRect(100, 10, 120, 30), 0);
  int actions = 0;
  ProbeControl* source = Add(IRect(10, 10, 20, 20), 0,
                             [&](IControl* c)
                             {
                               ++actions;
                               // By the time the action runs, the host has the value and the other
                               // control of the parameter follows it.
                               ASSERT_EQ(dlg.Count(Kind::SendParam), 1);
                               EXPECT_EQ(dlg.CallsOf(Kind::SendParam)[0].value, c->GetValue());
                               EXPECT_EQ(linked->GetValue(), c->GetValue());
                             });

  source->SetValue(-0.2);
  source->SetDirty(true);
  EXPECT_EQ(source->GetValue(), 0.0);
  EXPECT_EQ(actions, 1);
  EXPECT_EQ(dlg.GetParam(0)->Value(), 0.0);

  dlg.ClearCalls();
  source->SetValue(1.3);
  source->SetDirty(true, -1); // one slot: -1 means slot 0
  EXPECT_EQ(actions, 2);
  ASSERT_EQ(dlg.Count(Kind::SendParam), 1);
  EXPECT_EQ(dlg.CallsOf(Kind::SendParam)[0].paramIdx, 0);
  EXPECT_EQ(dlg.CallsOf(Kind::SendParam)[0].value, 1.0);
  EXPECT_EQ(linked->GetValue(), 1.0);

  // Without the action flag nothing leaves the control.
  dlg.ClearCalls();
  source->SetValue(0.4);
  source->SetDirty(false);
  EXPECT_TRUE(dlg.Calls().empty());
  EXPECT_EQ(actions, 2);
  EXPECT_EQ(linked->GetValue(), 1.0);
}

TEST_F(ControlFixture, SlotsWithoutAParameterOrOutsideTheDelegateSendNothing)
{
  ProbeControl* unlinked = Add(IRect(0, 0, 10, 10));
  ProbeControl* unknown = Add(IRect(0, 0, 10, 10), 17);
  unlinked->SetValue(0.5);
  unlinked->SetDirty(true);
  unknown->SetValue(0.5);
  unknown->SetDirty(true);
  EXPECT_TRUE(dlg.Calls().empty());
  EXPECT_EQ(unknown->GetParam(), nullptr);
}

TEST_F(ControlFixture, ANaNValueNeverReachesTheParameter)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10), 0);
  c->SetValue(std::nan(""));
  c->SetDirty(true);
  ASSERT_EQ(dlg.Count(Kind::SendParam), 1);
  EXPECT_EQ(dlg.CallsOf(Kind::SendParam)[0].value, 0.0);
}

TEST_F(ControlFixture, ValueIndexMinusOneMeansAllSlotsOnlyWithSeveral)
{
  ProbeControl* one = Add(IRect(0, 0, 10, 10), 1);
  EXPECT_EQ(one->ValueIndexAt(5, 5), 0);
  one->SetValue(0.9);
  one->ResetToDefault(-1); // Tone's default 0.5, sent as slot 0
  EXPECT_EQ(one->GetValue(), 0.5);
  ASSERT_EQ(dlg.Count(Kind::SendParam), 1);
  EXPECT_EQ(dlg.CallsOf(Kind::SendParam)[0].paramIdx, 1);

  auto* two = static_cast<TwoSlotControl*>(
      g.AttachControl(std::make_unique<TwoSlotControl>(IRect(20, 0, 40, 10))));
  EXPECT_EQ(two->ValueIndexAt(25, 5), -1);
  dlg.ClearCalls();
  two->SetValue(1.5, 0);
  two->SetValue(-1.0, 1);
  two->SetDirty(true, -1);
  EXPECT_EQ(two->GetValue(0), 1.0);
  EXPECT_EQ(two->GetValue(1), 0.0);
  const auto sent = dlg.CallsOf(Kind::SendParam);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].paramIdx, 0);
  EXPECT_EQ(sent[1].paramIdx, 1);

  // A right-click on the two-slot control addresses no slot: no prompt.
  two->DisablePrompt(false);
  two->OnMouseDown(25, 5, IMouseState{.R = true});
  EXPECT_EQ(g.TextEntryCount(), 0);
  EXPECT_EQ(g.MenuCount(), 0);
}

TEST_F(ControlFixture, HitTestingIsHalfOpenAndNeverHitsEmptyBounds)
{
  ProbeControl* c = Add(IRect(10, 10, 20, 20));
  EXPECT_TRUE(c->IsHit(10, 10));
  EXPECT_TRUE(c->IsHit(19.99f, 19.99f));
  EXPECT_FALSE(c->IsHit(20, 15));
  EXPECT_FALSE(c->IsHit(15, 20));
  EXPECT_FALSE(c->IsHit(9.99f, 15));

  ProbeControl* empty = Add(IRect());
  EXPECT_FALSE(empty->IsHit(0, 0));
}

TEST_F(ControlFixture, PositionAndSizeNeverGoNegativeAndCarryTheTargetAlong)
{
  ProbeControl* c = Add(IRect(30, 40, 50, 70));
  c->SetTargetRECT(IRect(35, 45, 45, 65));
  c->OnMouseOver(40, 50, {});
  c->ClearEvents();
  c->SetPosition(-5, 10);
  EXPECT_EQ(c->GetRECT(), IRect(0, 10, 20, 40));
  EXPECT_EQ(c->GetTargetRECT(), IRect(5, 15, 15, 35));
  EXPECT_FALSE(c->GetMouseIsOver());
  EXPECT_EQ(c->CountOf("resize"), 1);

  c->SetSize(-3, 12);
  EXPECT_EQ(c->GetRECT(), IRect(0, 10, 0, 22));
  EXPECT_EQ(c->GetTargetRECT(), c->GetRECT());
}

TEST_F(ControlFixture, DisablingFadesTheBlendAndHidingMarksDirty)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10));
  c->SetClean();
  c->SetDisabled(true);
  EXPECT_EQ(c->GetBlend().mWeight, 0.25f);
  EXPECT_TRUE(c->IsDirty());
  c->SetDisabled(false);
  EXPECT_EQ(c->GetBlend().mWeight, 1.f);
  c->SetClean();
  c->Hide(true);
  EXPECT_TRUE(c->IsHidden());
  EXPECT_TRUE(c->IsDirty());
}

TEST_F(ControlFixture, MouseOverMarksDirtyOnlyOnChange)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10));
  c->SetClean();
  c->OnMouseOver(1, 1, {});
  EXPECT_TRUE(c->GetMouseIsOver());
  EXPECT_TRUE(c->IsDirty());
  c->SetClean();
  c->OnMouseOver(2, 2, {});
  EXPECT_FALSE(c->IsDirty());
  c->OnMouseOut();
  EXPECT_FALSE(c->GetMouseIsOver());
  EXPECT_TRUE(c->IsDirty());
}

TEST_F(ControlFixture, AValuePushedWhileCapturedIsIgnored)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10), 0);
  c->SetValue(0.3);
  g.CaptureControl(0, c);
  c->UpdateValueFromParam(0.8);
  EXPECT_EQ(c->GetValue(), 0.3);

  g.ReleaseCapture(0);
  c->SetClean();
  c->UpdateValueFromParam(0.8);
  EXPECT_EQ(c->GetValue(), 0.8);
  EXPECT_TRUE(c->IsDirty());
  // A pushed value goes nowhere else.
  EXPECT_TRUE(dlg.Calls().empty());

  c->SetClean();
  c->UpdateValueFromParam(0.8);
  EXPECT_FALSE(c->IsDirty());
}

TEST_F(ControlFixture, ValueFromPositionSnapsToThousandthsWithinLimits)
{
  ProbeControl* c = Add(IRect(0, 0, 100, 200), 0);
  c->SetValueFromPosition(0, 50, Orientation::Vertical, IRect(0, 0, 100, 200), 0);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.75); // 1 - 50/200
  c->SetValueFromPosition(12.3456f, 0, Orientation::Horizontal, IRect(0, 0, 100, 200), 0);
  EXPECT_NEAR(c->GetValue(), 0.123, 1e-12);
  c->SetValueFromPosition(-40, 0, Orientation::Horizontal, IRect(0, 0, 100, 200), 0, 0.2, 0.5);
  EXPECT_NEAR(c->GetValue(), 0.2, 1e-12);
  c->SetValueFromPosition(90, 0, Orientation::Horizontal, IRect(0, 0, 100, 200), 0, 0.2, 0.5);
  EXPECT_NEAR(c->GetValue(), 0.5, 1e-12);
  EXPECT_EQ(dlg.Count(Kind::SendParam), 4);

  // A track without length gives no position: nothing changes, nothing is sent.
  dlg.ClearCalls();
  c->SetValueFromPosition(10, 10, Orientation::Vertical, IRect(0, 10, 100, 10), 0);
  EXPECT_NEAR(c->GetValue(), 0.5, 1e-12);
  EXPECT_TRUE(dlg.Calls().empty());
}

TEST_F(ControlFixture, AnimationsRunOnTheGraphicsClock)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10));
  EXPECT_EQ(c->GetAnimationFraction(), 0.0); // nothing running

  int ended = 0;
  c->SetAnimationEndActionFunction([&](IControl*) { ++ended; });
  c->SetAnimation(
      [](IControl* self)
      {
        if (self->GetAnimationFraction() > 1.0) self->OnAnimationEnd();
      },
      200.0);
  c->SetClean();
  EXPECT_TRUE(c->IsDirty()); // animating counts as dirty
  clock.Advance(50.0);
  EXPECT_DOUBLE_EQ(c->GetAnimationFraction(), 0.25);
  c->Animate();
  EXPECT_TRUE(c->GetAnimating());
  clock.Advance(151.0);
  c->Animate();
  EXPECT_FALSE(c->GetAnimating());
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(c->GetAnimationFraction(), 0.0);
}

TEST_F(ControlFixture, AZeroLengthAnimationHasEndedAtOnce)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10));
  c->SetAnimation(
      [](IControl* self)
      {
        if (self->GetAnimationFraction() > 1.0) self->OnAnimationEnd();
      },
      0.0);
  const double fraction = c->GetAnimationFraction();
  EXPECT_FALSE(std::isnan(fraction));
  EXPECT_GT(fraction, 1.0);
  c->Animate();
  EXPECT_FALSE(c->GetAnimating());
}

TEST_F(ControlFixture, HighlightPicksItsColourAndDrawsADot)
{
  ProbeControl* c = Add(IRect(10, 20, 50, 60));
  c->SetHighlight(true, 1);
  EXPECT_EQ(c->GetHighlightColor(), COLOR_BLUE);
  c->SetHighlight(true, 7); // unknown index keeps the colour
  EXPECT_EQ(c->GetHighlightColor(), COLOR_BLUE);
  c->SetHighlight(true, 3);
  EXPECT_EQ(c->GetHighlightColor(), COLOR_YELLOW);

  g.Tick();
  const auto dots = g.FillsOf(COLOR_YELLOW);
  ASSERT_EQ(dots.size(), 1u);
  EXPECT_EQ(dots[0].rect, IRect(43, 23, 47, 27)); // radius 2 around (50 - 5, 20 + 5)
  EXPECT_FALSE(dots[0].hasBlend);
}

TEST_F(ControlFixture, GesturesRunTheirRegisteredFunction)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10));
  int first = 0, second = 0;
  c->AddGestureRecognizer(EGestureType::Pinch, [&](IControl*, const IGestureEvent&) { ++first; });
  c->AddGestureRecognizer(EGestureType::Pinch, [&](IControl*, const IGestureEvent&) { ++second; });
  IGestureEvent pinch;
  pinch.type = EGestureType::Pinch;
  EXPECT_TRUE(c->OnGesture(1, 1, pinch));
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0); // the first registration stays
  EXPECT_EQ(c->GetLastGesture(), EGestureType::Pinch);
  IGestureEvent swipe;
  swipe.type = EGestureType::SwipeLeft;
  EXPECT_FALSE(c->OnGesture(1, 1, swipe));
}

TEST_F(ControlFixture, APromptForAPlainValueIsASmallTextEntryOverTheCentre)
{
  ProbeControl* c = Add(IRect(10, 20, 50, 60), 0);
  c->OnMouseDown(30, 40, IMouseState{.R = true});
  EXPECT_EQ(g.TextEntryCount(), 0) << "prompts start disabled";

  c->DisablePrompt(false);
  dlg.GetParam(0)->Set(0.25);
  c->OnMouseDoubleClick(30, 40, {});
  ASSERT_EQ(g.TextEntryCount(), 1);
  EXPECT_EQ(g.LastTextEntry().bounds, IRect(10, 32, 50, 48)); // 40 x 16 around (30, 40)
  EXPECT_EQ(g.LastTextEntry().paramIdx, 0);
  EXPECT_EQ(g.LastTextEntry().maxLength, 7);
  EXPECT_EQ(g.GetControlInTextEntry(), c);

  g.SetTextEntryDone("0.6");
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.6);
  ASSERT_EQ(dlg.Count(Kind::SendParam), 1);
  EXPECT_DOUBLE_EQ(dlg.CallsOf(Kind::SendParam)[0].value, 0.6);
  EXPECT_EQ(g.GetControlInTextEntry(), nullptr);
}

TEST_F(ControlFixture, APromptForAListedParameterIsAMenuOfItsTexts)
{
  ProbeControl* c = Add(IRect(10, 20, 50, 60), 2);
  c->DisablePrompt(false);
  dlg.GetParam(2)->Set(1); // "Warm"
  g.ScriptMenuChoice(2);
  c->OnMouseDown(30, 40, IMouseState{.R = true});
  ASSERT_EQ(g.MenuCount(), 1);
  EXPECT_EQ(g.LastMenuBounds(), IRect(10, 20, 50, 60));
  const IPopupMenu& menu = g.GetPromptMenu();
  ASSERT_EQ(menu.NItems(), 3);
  EXPECT_STREQ(menu.GetItemText(0), "Soft");
  EXPECT_FALSE(menu.GetItem(0)->GetChecked());
  EXPECT_TRUE(menu.GetItem(1)->GetChecked());
  EXPECT_STREQ(menu.GetTitle(), "Mode");

  // "Hard" is value 2 of 0..2: normalised 1.
  EXPECT_EQ(c->GetValue(), 1.0);
  EXPECT_EQ(dlg.GetParam(2)->Value(), 2.0);
  // No press began a gesture here, so the menu's answer ends none.
  EXPECT_EQ(dlg.Count(Kind::EndGesture), 0);
}

TEST_F(ControlFixture, AMenuChoiceMeansTheValueOfTheTextAtThatPosition)
{
  // Texts for values 0, 5 and 10 of 0..10: the second item means 5, not 1.
  FakeEditorDelegate stepped(1);
  stepped.GetParam(0)->DefineInteger("Steps", 0, 0, 10);
  stepped.GetParam(0)->AddDisplayText(0, "None");
  stepped.GetParam(0)->AddDisplayText(5, "Half");
  stepped.GetParam(0)->AddDisplayText(10, "All");
  RecordingGraphics graphics(stepped, 100, 100);
  IControl* c =
      graphics.AttachControl(std::make_unique<ProbeControl>(IRect(0, 0, 10, 10), kGrey, 0));
  c->DisablePrompt(false);
  IPopupMenu menu;
  menu.AddItem("None");
  menu.AddItem("Half");
  menu.AddItem("All");
  menu.SetChosenItemIdx(1);
  c->OnPopupMenuChoice(&menu, 0);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.5);
  EXPECT_EQ(stepped.GetParam(0)->Value(), 5.0);

  // Nothing chosen, or prompts disabled: no change.
  c->OnPopupMenuChoice(nullptr, 0);
  c->DisablePrompt(true);
  menu.SetChosenItemIdx(2);
  c->OnPopupMenuChoice(&menu, 0);
  EXPECT_DOUBLE_EQ(c->GetValue(), 0.5);
}
