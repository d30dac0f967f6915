// The value bubble: where it goes, what it draws and its fade cycle on the
// engine's clock.

#include "IGraphics/Controls/IBubbleControl.h"
#include "InputTestSupport.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

using namespace igraphics;
using namespace igraphics::test;
using State = IBubbleControl::State;

namespace
{

constexpr double kFrameMs = 16.0;

struct BubbleFixture : ::testing::Test
{
  BubbleFixture()
  {
    dlg.SetEditorSize(732, 208);
    dlg.SetSizeConstraints(366, 1464, 104, 416);
    dlg.GetParam(0)->DefineReal("Mix", 100., 0., 100., 1., "%");
    g.SetClock(&clock);
    g.AddBubbleControl(ITextStyle(14.f)); // 7 points per character with the recording measure
    bubble = static_cast<IBubbleControl*>(g.GetBubble(0));
    // The bubble action of the product: centred above the control.
    knob = g.AttachControl(std::make_unique<TestKnob>(
        IRect(47, 48, 163, 164), 0,
        [this](IControl* c)
        {
          const IRect& r = c->GetRECT();
          g.ShowValueBubble(c, r.MW(), r.T, "100 %", Orientation::Vertical, IRect());
        }));
  }

  // Ticks frame by frame until `untilMs`; returns the first time the bubble
  // was found hidden, or -1.
  double RunUntil(double untilMs)
  {
    double hiddenAt = -1.0;
    while (clock.NowMs() < untilMs)
    {
      clock.Advance(kFrameMs);
      g.Tick();
      if (hiddenAt < 0.0 && bubble->GetState() == State::Hidden) hiddenAt = clock.NowMs();
    }
    return hiddenAt;
  }

  FakeEditorDelegate dlg{1};
  FakeClock clock{0.0};
  RecordingGraphics g{dlg, 732, 208};
  IBubbleControl* bubble = nullptr;
  IControl* knob = nullptr;
};

} // namespace

TEST_F(BubbleFixture, StartsHiddenAndAPressWithoutDragShowsNothing)
{
  EXPECT_EQ(bubble->GetState(), State::Hidden);
  EXPECT_TRUE(bubble->IsHidden());
  EXPECT_TRUE(bubble->GetIgnoreMouse());
  g.OnMouseDown({Press(100, 100)});
  RunUntil(300);
  EXPECT_EQ(bubble->GetState(), State::Hidden);
}

TEST_F(BubbleFixture, OpacityRampsToPointNineFiveOverTheFadeIn)
{
  g.OnMouseDown({Press(100, 100)});
  g.OnMouseDrag({Move(100, 90, 0, -10)});
  EXPECT_EQ(bubble->GetState(), State::FadingIn);
  EXPECT_FALSE(bubble->IsHidden());
  clock.Advance(100);
  g.Tick();
  EXPECT_NEAR(bubble->GetOpacity(), 0.5f * 0.95f, 1e-6);
  EXPECT_FLOAT_EQ(bubble->GetBlend().mWeight, bubble->GetOpacity());
  clock.Advance(101);
  g.Tick();
  EXPECT_FLOAT_EQ(bubble->GetOpacity(), 0.95f);
  EXPECT_EQ(bubble->GetState(), State::Showing);
}

TEST_F(BubbleFixture, ReleasedAtHalfASecondItHidesAfterFadeInHoldAndFadeOut)
{
  g.OnMouseDown({Press(100, 100)});
  g.OnMouseDrag({Move(100, 90, 0, -10)}); // value change at 0 ms
  RunUntil(500);
  g.OnMouseUp({Press(100, 90)});
  EXPECT_EQ(bubble->GetState(), State::Showing);
  const double hiddenAt = RunUntil(2000);
  // 200 + 1000 + 200 ms, each stage ending at the first frame past its end.
  EXPECT_GE(hiddenAt, 1400.0);
  EXPECT_LE(hiddenAt, 1400.0 + 3 * kFrameMs);
  EXPECT_FLOAT_EQ(bubble->GetOpacity(), 0.f);
  EXPECT_TRUE(bubble->IsHidden());
}

TEST_F(BubbleFixture, HeldForThreeSecondsItHidesAboutFourHundredMillisecondsAfterTheRelease)
{
  g.OnMouseDown({Press(100, 100)});
  g.OnMouseDrag({Move(100, 90, 0, -10)});
  EXPECT_EQ(RunUntil(3000), -1.0); // held: it stays
  EXPECT_FLOAT_EQ(bubble->GetOpacity(), 0.95f);
  const double releasedAt = clock.NowMs();
  g.OnMouseUp({Press(100, 90)});
  const double hiddenAt = RunUntil(4000);
  // The next check (at most 200 ms away) starts the 200 ms fade-out.
  EXPECT_GE(hiddenAt - releasedAt, 200.0);
  EXPECT_LE(hiddenAt - releasedAt, 400.0 + 2 * kFrameMs);
}

TEST_F(BubbleFixture, ANewValueWhileFadingOutShowsItAgain)
{
  g.OnMouseDown({Press(100, 100)});
  g.OnMouseDrag({Move(100, 90, 0, -10)});
  g.OnMouseUp({Press(100, 90)});
  RunUntil(1300); // fading out since about 1200 ms
  ASSERT_EQ(bubble->GetState(), State::FadingOut);
  EXPECT_LT(bubble->GetOpacity(), 0.95f);
  g.OnMouseWheel(100, 100, {}, 1.f); // the knob's value changes again
  EXPECT_EQ(bubble->GetState(), State::Showing);
  EXPECT_FLOAT_EQ(bubble->GetOpacity(), 0.95f);
  // A full hold follows before it fades again.
  EXPECT_EQ(RunUntil(2250), -1.0);
  EXPECT_GT(RunUntil(3000), 0.0);
}

TEST_F(BubbleFixture, RectanglesForTheProductsTextsFollowTheMeasuredText)
{
  // "100 %" over the Mix knob: 5 × 7 points of text, 15 + 15 and 10 + 10 of
  // margins: 65 × 34 centred above (105, 48), arrow at the bottom.
  g.ShowValueBubble(knob, 105.f, 48.f, "100 %", Orientation::Vertical, IRect());
  EXPECT_EQ(bubble->GetBubbleRect(), IRect(72.5f, 14.f, 137.5f, 48.f));
  EXPECT_EQ(bubble->GetArrowSide(), IBubbleControl::kArrowBottom);
  EXPECT_STREQ(bubble->GetBubbleText(), "100 %");
  EXPECT_EQ(bubble->GetMaxBounds(), IRect(0, 0, 732, 208));

  // "Oversampling On" over its switch at the top: 15 × 7 + 30 = 135 wide; above
  // would start at -20, so it goes below by its height 34 plus the switch's 18.
  auto* overSwitch = g.AttachControl(std::make_unique<TestKnob>(IRect(280, 14, 451, 32)));
  g.ShowValueBubble(overSwitch, 365.5f, 14.f, "Oversampling On", Orientation::Vertical, IRect());
  EXPECT_EQ(bubble->GetBubbleRect(), IRect(298.f, 32.f, 433.f, 66.f));
  EXPECT_EQ(bubble->GetArrowSide(), IBubbleControl::kArrowTop);
  // A new caller: the bounds are exactly the new box.
  EXPECT_EQ(bubble->GetRECT(), IRect(298.f, 32.f, 433.f, 66.f));
}

TEST_F(BubbleFixture, HorizontalBubblesFlipAtTheRightEdgeAndMinimumContentWidens)
{
  auto* right = g.AttachControl(std::make_unique<TestKnob>(IRect(650, 100, 700, 150)));
  // 2 characters: 14 + 30 = 44 wide, from x 700 its right edge 744 passes 732 - 15.
  g.ShowValueBubble(right, 700.f, 125.f, "ab", Orientation::Horizontal, IRect());
  EXPECT_EQ(bubble->GetBubbleRect(), IRect(606.f, 108.f, 650.f, 142.f));
  EXPECT_EQ(bubble->GetArrowSide(), IBubbleControl::kArrowRight);
  g.ShowValueBubble(right, 100.f, 125.f, "ab", Orientation::Horizontal, IRect(0, 0, 40, 30));
  EXPECT_EQ(bubble->GetBubbleRect(), IRect(100.f, 100.f, 170.f, 150.f));
  EXPECT_EQ(bubble->GetArrowSide(), IBubbleControl::kArrowLeft);
  // Same caller: the bounds keep the old place too, to redraw it.
  EXPECT_EQ(bubble->GetRECT(), IRect(100.f, 100.f, 650.f, 150.f));
}

TEST_F(BubbleFixture, DrawsShadowBodyOutlineAndTextWithItsOpacity)
{
  g.OnMouseDown({Press(100, 100)});
  g.OnMouseDrag({Move(100, 90, 0, -10)});
  RunUntil(300);
  // One region, so that the bubble is drawn once.
  g.SetSingleRegionDrawing(true);
  g.ClearOps();
  g.Tick();
  // Inner box {82.5, 24, 127.5, 38} with the arrow 10 below its bottom edge.
  const IRect inner(82.5f, 24.f, 127.5f, 38.f);
  const auto fills = g.FillsOf(COLOR_WHITE);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(fills[0].rect, IRect(inner.L, inner.T, inner.R, inner.B + 10.f));
  ASSERT_TRUE(fills[0].hasBlend);
  EXPECT_FLOAT_EQ(fills[0].blend.mWeight, 0.95f);
  const auto strokes = g.OpsOf(DrawOp::Kind::Stroke);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].colour, COLOR_BLACK);
  EXPECT_FLOAT_EQ(strokes[0].thickness, 2.f);
  const auto texts = g.OpsOf(DrawOp::Kind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "100 %");
  EXPECT_EQ(texts[0].rect, inner);
}

TEST_F(BubbleFixture, WithoutABubbleNothingHappens)
{
  RecordingGraphics bare(dlg, 732, 208);
  auto* c = bare.AttachControl(std::make_unique<TestKnob>(IRect(0, 0, 10, 10)));
  bare.ShowValueBubble(c, 5, 5, "x", Orientation::Vertical, IRect());
  EXPECT_EQ(bare.NBubbles(), 0);
}
