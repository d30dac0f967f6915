// The behaviour bases: knob drags and wheel steps, switches, buttons, sliders.

#include "IGraphics/IButtonControlBase.h"
#include "IGraphics/IKnobControlBase.h"
#include "IGraphics/ISliderControlBase.h"
#include "IGraphics/ISwitchControlBase.h"
#include "support/FakeClock.h"
#include "support/FakeEditorDelegate.h"
#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace igraphics;
using namespace igraphics::test;
using Kind = HostCall::Kind;

namespace
{

template <class Base>
class Drawn : public Base
{
public:
  using Base::Base;
  void Draw(IGraphics& g) override { g.FillRect(COLOR_BLACK, this->mRECT); }
};

using Knob = Drawn<IKnobControlBase>;
using Switch = Drawn<ISwitchControlBase>;
using Button = Drawn<IButtonControlBase>;
using Slider = Drawn<ISliderControlBase>;

enum Params
{
  kGain,  // real 0..1
  kSteps, // integer -10..10, quantised to its step of 1
  kMode,  // enumerated, four values
  kNumParams
};

struct BehaviourFixture : ::testing::Test
{
  BehaviourFixture()
  {
    dlg.GetParam(kGain)->DefineReal("Gain", 0.0, 0.0, 1.0, 0.001);
    dlg.GetParam(kSteps)->DefineInteger("Steps", 0, -10, 10, "", iplug::IParam::QuantiseToStep);
    dlg.GetParam(kMode)->DefineEnumerated("Mode", 0, 4);
    g.SetClock(&clock);
  }

  template <class T, class... Args>
  T* Add(Args&&... args)
  {
    return static_cast<T*>(g.AttachControl(std::make_unique<T>(std::forward<Args>(args)...)));
  }

  double SentValue(int i = -1) const
  {
    const auto sent = dlg.CallsOf(Kind::SendParam);
    return sent.at(i < 0 ? sent.size() - 1 : static_cast<std::size_t>(i)).value;
  }

  FakeEditorDelegate dlg{kNumParams};
  RecordingGraphics g{dlg, 732, 208};
  FakeClock clock;
};

constexpr IMouseState kShift{.S = true};
constexpr IMouseState kCtrl{.C = true};

} // namespace

TEST_F(BehaviourFixture, AFullHeightDragMovesAKnobByOneOverItsGearing)
{
  Knob* knob = Add<Knob>(IRect(0, 0, 48, 48), kGain, Orientation::Vertical, 4.0);
  knob->SetValue(0.25);
  knob->OnMouseDown(24, 24, {});
  knob->OnMouseDrag(24, -24, 0, -48, {});
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.5); // 0.25 + (48 / 48) / 4
  EXPECT_DOUBLE_EQ(SentValue(), 0.5);

  knob->SetValue(0.25);
  knob->OnMouseDown(24, 24, {});
  knob->OnMouseDrag(24, -24, 0, -48, kShift);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.275); // ten times finer
  knob->OnMouseDown(24, 24, {});
  knob->OnMouseDrag(24, -24, 0, -48, kCtrl);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.3);

  knob->OnMouseDrag(24, 1000, 0, 1000, {});
  EXPECT_EQ(knob->GetValue(), 0.0);
  EXPECT_EQ(SentValue(), 0.0);
}

TEST_F(BehaviourFixture, AHorizontalKnobFollowsTheWidth)
{
  Knob* knob = Add<Knob>(IRect(0, 0, 80, 20), kGain, Orientation::Horizontal, 2.0);
  knob->OnMouseDown(0, 0, {});
  knob->OnMouseDrag(20, 0, 20, 0, {});
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.125); // (20 / 80) / 2
}

TEST_F(BehaviourFixture, AKnobHidesTheCursorWhileDraggingAndReturnsIt)
{
  Knob* knob = Add<Knob>(IRect(0, 0, 48, 48), kGain);
  g.WarpCursorTo(30, 31);
  knob->OnMouseDown(30, 31, {});
  EXPECT_TRUE(knob->GetMouseDown());
  EXPECT_TRUE(g.CursorIsHidden());
  EXPECT_TRUE(g.CursorIsLocked());
  g.WarpCursorTo(200, 100);
  knob->OnMouseUp(30, 31, {});
  EXPECT_FALSE(g.CursorIsHidden());
  float x = 0, y = 0;
  g.CursorPositionInPoints(x, y);
  EXPECT_EQ(x, 30.f);
  EXPECT_EQ(y, 31.f);
  EXPECT_FALSE(knob->GetMouseDown());
}

TEST_F(BehaviourFixture, ADragAreaWithoutHeightMovesNothing)
{
  Knob* knob = Add<Knob>(IRect(0, 10, 48, 10), kGain);
  knob->SetValue(0.25);
  knob->OnMouseDown(0, 10, {});
  knob->OnMouseDrag(0, 0, 0, -10, {});
  EXPECT_EQ(knob->GetValue(), 0.25);
  ASSERT_EQ(dlg.Count(Kind::SendParam), 1);
  EXPECT_FALSE(std::isnan(SentValue()));
  EXPECT_EQ(SentValue(), 0.25);
}

TEST_F(BehaviourFixture, SlowDragsStillCrossTheStepsOfAQuantisedParameter)
{
  // Each point of a 48-point area at gearing 4 is 20/192 of a step; the
  // unrounded drag value keeps adding up across events.
  Knob* knob = Add<Knob>(IRect(0, 0, 48, 48), kSteps);
  knob->SetValue(0.5); // plain 0
  knob->OnMouseDown(0, 0, {});
  for (int i = 0; i < 4; ++i)
    knob->OnMouseDrag(0, 0, 0, -1, {});
  EXPECT_EQ(dlg.GetParam(kSteps)->Value(), 0.0); // 4 × 20/192 = 0.42 rounds to 0
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.5);
  knob->OnMouseDrag(0, 0, 0, -1, {});
  EXPECT_EQ(dlg.GetParam(kSteps)->Value(), 1.0); // 5 × 20/192 = 0.52 rounds to 1
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.55);
}

TEST_F(BehaviourFixture, AWheelEventOnAQuantisedParameterMovesExactlyOneStep)
{
  Knob* knob = Add<Knob>(IRect(0, 0, 48, 48), kSteps);
  knob->SetValue(0.6); // plain 2 of -10..10
  knob->OnMouseWheel(0, 0, {}, 3.7f);
  EXPECT_EQ(dlg.GetParam(kSteps)->Value(), 3.0);
  EXPECT_DOUBLE_EQ(knob->GetValue(), 0.65);
  knob->OnMouseWheel(0, 0, {}, -0.2f);
  knob->OnMouseWheel(0, 0, {}, -0.2f);
  EXPECT_EQ(dlg.GetParam(kSteps)->Value(), 1.0);

  knob->SetValue(1.0); // the top stays the top
  knob->OnMouseWheel(0, 0, {}, 1.f);
  EXPECT_EQ(knob->GetValue(), 1.0);
}

TEST_F(BehaviourFixture, WheelStepsOnAContinuousParameterScaleWithTheDelta)
{
  Knob* knob = Add<Knob>(IRect(0, 0, 48, 48), kGain);
  knob->SetValue(0.5);
  knob->OnMouseWheel(0, 0, {}, 3.f);
  EXPECT_NEAR(knob->GetValue(), 0.53, 1e-12);
  knob->OnMouseWheel(0, 0, kCtrl, 3.f);
  EXPECT_NEAR(knob->GetValue(), 0.533, 1e-12);
  knob->SetValue(0.99);
  knob->OnMouseWheel(0, 0, {}, 5.f);
  EXPECT_EQ(knob->GetValue(), 1.0); // SetDirty clamps
  EXPECT_EQ(SentValue(), 1.0);
}

TEST_F(BehaviourFixture, SwitchesStepThroughTheirStatesAndWrap)
{
  Switch* two = Add<Switch>(IRect(0, 0, 10, 10), -1, nullptr, 2);
  EXPECT_TRUE(two->GetDblAsSingleClick());
  two->SetValue(0.3);
  two->OnMouseDown(0, 0, {});
  EXPECT_EQ(two->GetValue(), 0.0);
  two->OnMouseDown(0, 0, {});
  EXPECT_EQ(two->GetValue(), 1.0);
  two->OnMouseDown(0, 0, {});
  EXPECT_EQ(two->GetValue(), 0.0);

  int actions = 0;
  Switch* three = Add<Switch>(
      IRect(0, 0, 10, 10), -1, [&](IControl*) { ++actions; }, 3);
  const double expected[] = {0.5, 1.0, 0.0, 0.5};
  for (double value : expected)
  {
    three->OnMouseDown(0, 0, {});
    EXPECT_EQ(three->GetValue(), value);
    three->OnMouseUp(0, 0, {});
  }
  EXPECT_EQ(actions, 4);
}

TEST_F(BehaviourFixture, ALinkedSwitchTakesItsStatesFromTheParameter)
{
  Switch* sw = Add<Switch>(IRect(0, 0, 10, 10), kMode); // four values 0..3
  EXPECT_EQ(sw->GetNumStates(), 4);
  // Three steps of 1/3 reach 1 (within rounding) before wrapping.
  for (int i = 0; i < 3; ++i)
    sw->OnMouseDown(0, 0, {});
  EXPECT_NEAR(sw->GetValue(), 1.0, 1e-15);
  EXPECT_EQ(dlg.GetParam(kMode)->Value(), 3.0);
  sw->OnMouseDown(0, 0, {});
  EXPECT_EQ(sw->GetValue(), 0.0);
  EXPECT_EQ(dlg.GetParam(kMode)->Value(), 0.0);
}

TEST_F(BehaviourFixture, AButtonIsReleasedByTheEndOfItsAnimation)
{
  Button* button = Add<Button>(IRect(0, 0, 10, 10),
                               [](IControl* c)
                               {
                                 c->SetAnimation(
                                     [](IControl* self)
                                     {
                                       if (self->GetAnimationFraction() > 1.0)
                                         self->OnAnimationEnd();
                                     },
                                     100.0);
                               });
  EXPECT_EQ(button->GetParamIndex(), -1);
  EXPECT_TRUE(button->GetDblAsSingleClick());
  button->OnMouseDown(5, 5, {});
  EXPECT_EQ(button->GetValue(), 1.0);
  EXPECT_TRUE(button->GetAnimating());

  clock.Advance(50.0);
  g.Tick();
  EXPECT_EQ(button->GetValue(), 1.0);
  clock.Advance(60.0);
  g.Tick();
  EXPECT_EQ(button->GetValue(), 0.0);
  EXPECT_FALSE(button->GetAnimating());
  EXPECT_TRUE(dlg.Calls().empty()); // a button is linked to nothing
}

TEST_F(BehaviourFixture, ASliderJumpsToThePointerThenDragsAlongItsTrack)
{
  Slider* slider = Add<Slider>(IRect(0, 0, 20, 100), kGain, Orientation::Vertical, 1.0);
  slider->OnMouseDown(10, 25, {});
  EXPECT_DOUBLE_EQ(slider->GetValue(), 0.75); // 1 - 25/100
  slider->OnMouseDrag(10, 15, 0, -10, {});
  EXPECT_DOUBLE_EQ(slider->GetValue(), 0.85);
  slider->OnMouseUp(10, 15, {});

  g.SetControlSize(g.GetControlIdx(slider), 20, 200);
  EXPECT_EQ(slider->GetTrack(), IRect(0, 0, 20, 200));
  EXPECT_EQ(slider->GetTargetRECT(), IRect(0, 0, 20, 200));
  slider->OnMouseDown(10, 150, {});
  EXPECT_DOUBLE_EQ(slider->GetValue(), 0.25);

  // A quantised slider does not jump: the press keeps the value.
  Slider* stepped = Add<Slider>(IRect(0, 0, 100, 20), kSteps, Orientation::Horizontal, 1.0);
  stepped->SetValue(0.5);
  stepped->OnMouseDown(90, 10, {});
  EXPECT_EQ(stepped->GetValue(), 0.5);
  stepped->OnMouseDrag(100, 10, 10, 0, {}); // a tenth of the track: two steps of 20
  EXPECT_EQ(dlg.GetParam(kSteps)->Value(), 2.0);
}
