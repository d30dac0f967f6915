// The graphics core: attaching and removing controls, the dirty check and the
// draw pass, resizing and scales, frame timing and the drawing helpers.

#include "IGraphics/Controls/IFPSDisplayControl.h"
#include "support/FakeClock.h"
#include "support/FakeEditorDelegate.h"
#include "support/ProbeControl.h"
#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace igraphics;
using namespace igraphics::test;
using Op = DrawOp::Kind;

namespace
{

constexpr IColor kBackground{255, 10, 20, 30};
constexpr IColor kKnob{255, 200, 100, 50};
constexpr IColor kOther{255, 1, 2, 3};

// Counts live instances, so a refused control that leaked would show.
class CountedControl : public ProbeControl
{
public:
  explicit CountedControl(const IRect& bounds) : ProbeControl(bounds, kOther) { ++sLive; }
  ~CountedControl() override { --sLive; }
  static inline int sLive = 0;
};

struct CoreFixture : ::testing::Test
{
  CoreFixture()
  {
    dlg.SetEditorSize(732, 208);
    dlg.SetSizeConstraints(366, 1464, 104, 416);
    dlg.GetParam(0)->DefineReal("Gain", 0.0, 0.0, 1.0);
    g.SetClock(&clock);
  }

  ProbeControl* Add(const IRect& bounds, const IColor& colour, int paramIdx = -1, int tag = -1,
                    const char* group = "")
  {
    return static_cast<ProbeControl*>(
        g.AttachControl(std::make_unique<ProbeControl>(bounds, colour, paramIdx), tag, group));
  }

  void CleanAll()
  {
    g.MarkAllControlsClean();
    g.ClearOps();
  }

  FakeEditorDelegate dlg{1};
  RecordingGraphics g{dlg, 732, 208};
  FakeClock clock;
};

void ExpectRectNear(const IRect& actual, const IRect& expected)
{
  EXPECT_NEAR(actual.L, expected.L, 1e-4);
  EXPECT_NEAR(actual.T, expected.T, 1e-4);
  EXPECT_NEAR(actual.R, expected.R, 1e-4);
  EXPECT_NEAR(actual.B, expected.B, 1e-4);
}

} // namespace

TEST_F(CoreFixture, AttachingWiresTheControlAndRunsItsHooksInOrder)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10), kOther, 0, 3, "knobs");
  EXPECT_EQ(c->GetDelegate(), &dlg);
  EXPECT_EQ(c->GetUI(), &g);
  EXPECT_STREQ(c->GetGroup(), "knobs");
  EXPECT_EQ(c->Events(), (std::vector<std::string>{"init", "resize", "scale", "added"}));
  EXPECT_EQ(g.FindControlByTag(3), c);
  EXPECT_EQ(g.GetControlTag(c), 3);
  EXPECT_EQ(g.GetControl(0), c);
  EXPECT_EQ(g.GetControl(1), nullptr);
  EXPECT_EQ(g.GetControl(-1), nullptr);
  EXPECT_EQ(g.FindControlByTag(4), nullptr);
}

TEST_F(CoreFixture, ADuplicateTagIsRefusedAndTheControlDeleted)
{
  IControl* first = g.AttachControl(std::make_unique<CountedControl>(IRect(0, 0, 5, 5)), 7);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CountedControl::sLive, 1);
  IControl* second = g.AttachControl(std::make_unique<CountedControl>(IRect(0, 0, 5, 5)), 7);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(CountedControl::sLive, 1);
  EXPECT_EQ(g.NControls(), 1);
  EXPECT_EQ(g.FindControlByTag(7), first);
  // The raw-pointer form hands ownership over too.
  EXPECT_EQ(g.AddControl(new CountedControl(IRect(0, 0, 5, 5)), 7), nullptr);
  EXPECT_EQ(CountedControl::sLive, 1);
  g.ClearAllControls();
  EXPECT_EQ(CountedControl::sLive, 0);
}

TEST_F(CoreFixture, IterationVisitsListedControlsThenTheSpecialOnes)
{
  ProbeControl* a = Add(IRect(0, 0, 10, 10), kOther, 0, -1, "row");
  ProbeControl* b = Add(IRect(0, 0, 10, 10), kOther, -1, -1, "row");
  ProbeControl* c = Add(IRect(0, 0, 10, 10), kOther, 0);
  g.ShowFrameRateDisplay(true);
  std::vector<IControl*> seen;
  g.ForEachControl([&](IControl* x) { seen.push_back(x); });
  EXPECT_EQ(seen, (std::vector<IControl*>{a, b, c, g.GetFrameRateDisplay()}));

  seen.clear();
  g.ForEachControlOfParam(0, [&](IControl* x) { seen.push_back(x); });
  EXPECT_EQ(seen, (std::vector<IControl*>{a, c}));
  seen.clear();
  g.ForEachControlInGroup("row", [&](IControl* x) { seen.push_back(x); });
  EXPECT_EQ(seen, (std::vector<IControl*>{a, b}));
  seen.clear();
  g.ForEachControlInGroup("", [&](IControl* x) { seen.push_back(x); });
  EXPECT_TRUE(seen.empty());

  g.HideControlsOfParam(0, true);
  EXPECT_TRUE(a->IsHidden() && c->IsHidden() && !b->IsHidden());
  g.DisableControlsOfParam(0, true);
  EXPECT_TRUE(a->IsDisabled() && c->IsDisabled() && !b->IsDisabled());
  g.SetParamHighlight(0, true, 2);
  EXPECT_TRUE(a->GetHighlighted() && !b->GetHighlighted());
  EXPECT_EQ(c->GetHighlightColor(), COLOR_GREEN);
}

TEST_F(CoreFixture, ADirtyControlReportsItsBoundsGrownByThreeQuarters)
{
  ProbeControl* c = Add(IRect(10, 10, 20, 20), kKnob);
  CleanAll();
  IRectList rects;
  EXPECT_FALSE(g.IsDirty(rects));
  EXPECT_TRUE(rects.Empty());

  c->SetDirty(false);
  EXPECT_TRUE(g.IsDirty(rects));
  ASSERT_EQ(rects.Size(), 1);
  EXPECT_EQ(rects.Get(0), IRect(9.25f, 9.25f, 20.75f, 20.75f));
}

TEST_F(CoreFixture, TheDrawPassSnapsRegionsOutwardToThePixelGrid)
{
  ProbeControl* c = Add(IRect(10, 10, 20, 20), kKnob);
  g.ApplyScreenScale(2.f);
  CleanAll();
  c->SetDirty(false);
  g.Tick();
  auto clips = g.OpsOf(Op::Clip);
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0].rect, IRect(9, 9, 21, 21));

  g.ApplyScreenScale(1.5f);
  CleanAll();
  c->SetDirty(false);
  g.Tick();
  clips = g.OpsOf(Op::Clip);
  ASSERT_EQ(clips.size(), 1u);
  // floor(9.25 × 1.5) / 1.5 = 13 / 1.5, ceil(20.75 × 1.5) / 1.5 = 32 / 1.5
  ExpectRectNear(clips[0].rect, IRect(13.f / 1.5f, 13.f / 1.5f, 32.f / 1.5f, 32.f / 1.5f));
}

TEST_F(CoreFixture, EachControlIsClippedToTheRegionAndItsOwnArea)
{
  Add(IRect(0, 0, 732, 208), kBackground);
  ProbeControl* knob = Add(IRect(100, 50, 140, 90), kKnob);
  Add(IRect(400, 50, 440, 90), kOther);
  CleanAll();
  knob->SetDirty(false);
  g.Tick();

  // One region: the background and the knob draw into it, clipped to the
  // knob's snapped area; the far control does not meet it.
  const auto clips = g.OpsOf(Op::Clip);
  ASSERT_EQ(clips.size(), 2u);
  EXPECT_EQ(clips[0].rect, IRect(99, 49, 141, 91));
  EXPECT_EQ(clips[1].rect, IRect(99, 49, 141, 91));
  const auto fills = g.OpsOf(Op::Fill);
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].colour, kBackground); // the background first
  EXPECT_EQ(fills[1].colour, kKnob);
  EXPECT_TRUE(g.FillsOf(kOther).empty());
  EXPECT_EQ(g.Count(Op::CompleteRegion), 2);
  EXPECT_EQ(g.Ops().front().kind, Op::StartFrame);
  EXPECT_EQ(g.Ops().back().kind, Op::FinishFrame);
}

TEST_F(CoreFixture, AHiddenBackgroundIsDrawnButAHiddenKnobIsNot)
{
  ProbeControl* background = Add(IRect(0, 0, 732, 208), kBackground);
  ProbeControl* knob = Add(IRect(100, 50, 140, 90), kKnob);
  background->Hide(true);
  knob->Hide(true);
  g.Tick();
  EXPECT_FALSE(g.FillsOf(kBackground).empty());
  EXPECT_TRUE(g.FillsOf(kKnob).empty());
}

TEST_F(CoreFixture, NothingDirtyStartsNoFrame)
{
  IRectList none;
  g.Draw(none);
  EXPECT_TRUE(g.Ops().empty());

  Add(IRect(0, 0, 10, 10), kKnob);
  g.Tick();
  EXPECT_EQ(g.Count(Op::StartFrame), 1);
  g.ClearOps();
  g.Tick(); // clean now
  EXPECT_TRUE(g.Ops().empty());
}

TEST_F(CoreFixture, SingleRegionDrawingDrawsTheSnappedUnionOnce)
{
  Add(IRect(0, 0, 732, 208), kBackground);
  ProbeControl* a = Add(IRect(10, 10, 20, 20), kKnob);
  ProbeControl* b = Add(IRect(100, 100, 110, 110), kOther);
  g.SetSingleRegionDrawing(true);
  CleanAll();
  a->SetDirty(false);
  b->SetDirty(false);
  g.Tick();
  const auto clips = g.OpsOf(Op::Clip);
  ASSERT_EQ(clips.size(), 3u); // background, a, b against one region
  EXPECT_EQ(clips[0].rect, IRect(9, 9, 111, 111));
}

TEST_F(CoreFixture, TheFrameTickRunsFirstAndAnimationsBeforeTheDirtyCheck)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10), kKnob);
  CleanAll();
  std::vector<std::string> order;
  g.SetFrameTickFunc([&] { order.push_back("tick"); });
  c->SetAnimation(
      [&](IControl* self)
      {
        order.push_back("animate");
        self->OnAnimationEnd(); // ends at once, leaving the control dirty
      });
  IRectList rects;
  EXPECT_TRUE(g.IsDirty(rects));
  EXPECT_EQ(order, (std::vector<std::string>{"tick", "animate"}));
  EXPECT_FALSE(c->GetAnimating());
  EXPECT_EQ(rects.Size(), 1);
}

TEST_F(CoreFixture, ResizeClampsIntoTheLimitsAndTellsEveryone)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10), kKnob);
  g.CaptureControl(0, c);
  g.SetCursorHidden(true);
  g.SetLayoutOnResize(true);
  c->ClearEvents();
  CleanAll();
  dlg.SetResizeAnswer(true);

  g.Resize(2000, 2000, 3.f);
  EXPECT_EQ(g.Width(), 1464);
  EXPECT_EQ(g.Height(), 416);
  EXPECT_EQ(g.GetDrawScale(), 2.f); // twice the construction scale
  EXPECT_FALSE(g.ControlIsCaptured(c));
  EXPECT_FALSE(g.CursorIsHidden());
  const auto resizes = dlg.CallsOf(HostCall::Kind::Resize);
  ASSERT_EQ(resizes.size(), 1u);
  EXPECT_EQ(resizes[0].width, 2928);
  EXPECT_EQ(resizes[0].height, 832);
  EXPECT_EQ(g.PlatformResizeCount(), 1);
  EXPECT_TRUE(g.LastPlatformResizeAnswer());
  EXPECT_EQ(c->CountOf("resize"), 1);
  EXPECT_TRUE(c->IsDirty());
  EXPECT_EQ(g.DrawTargetResizeCount(), 1);
  EXPECT_EQ(dlg.Count(HostCall::Kind::RunLayout), 1);

  // The same size again changes nothing; scales below the limit clamp.
  g.Resize(1464, 416, 2.f);
  EXPECT_EQ(dlg.Count(HostCall::Kind::Resize), 1);
  g.Resize(100, 300, 0.1f);
  EXPECT_EQ(g.Width(), 366);
  EXPECT_EQ(g.Height(), 300);
  EXPECT_EQ(g.GetDrawScale(), 0.5f);
}

TEST_F(CoreFixture, UnusableScalesAreIgnored)
{
  const float bad[] = {0.f, -1.f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity()};
  for (float scale : bad)
  {
    g.Resize(800, 300, scale);
    g.ApplyScreenScale(scale);
  }
  EXPECT_EQ(g.Width(), 732);
  EXPECT_EQ(g.GetDrawScale(), 1.f);
  EXPECT_EQ(g.GetScreenScale(), 1.f);
  EXPECT_TRUE(dlg.Calls().empty());
}

TEST_F(CoreFixture, ScreenScaleResizesTheHostViewAndRescalesControls)
{
  ProbeControl* c = Add(IRect(0, 0, 10, 10), kKnob);
  c->ClearEvents();
  CleanAll();
  g.ApplyScreenScale(1.5f);
  EXPECT_EQ(g.GetScreenScale(), 1.5f);
  EXPECT_EQ(g.GetPixelScale(), 1.5f);
  const auto resizes = dlg.CallsOf(HostCall::Kind::Resize);
  ASSERT_EQ(resizes.size(), 1u);
  EXPECT_EQ(resizes[0].width, 1098);
  EXPECT_EQ(resizes[0].height, 312);
  EXPECT_TRUE(resizes[0].flag);
  EXPECT_EQ(c->CountOf("scale"), 1);
  EXPECT_TRUE(c->IsDirty());
  EXPECT_EQ(g.DrawTargetResizeCount(), 1);
}

TEST_F(CoreFixture, ResizingAnEditorWithoutWindowOrControlsIsHarmless)
{
  FakeEditorDelegate bare(0);
  RecordingGraphics empty(bare, 100, 50);
  empty.ApplyScreenScale(2.f);
  empty.Resize(120, 60, 1.5f);
  EXPECT_EQ(empty.ScaledWidth(), 180);
  EXPECT_EQ(empty.ScaledHeight(), 90);
  EXPECT_FALSE(empty.HasEditorWindow());
}

TEST_F(CoreFixture, RemovingAControlForgetsEveryReferenceToIt)
{
  ProbeControl* keep = Add(IRect(0, 0, 10, 10), kKnob, -1, 1);
  Add(IRect(0, 0, 10, 10), kOther, -1, 2);
  ProbeControl* held = static_cast<ProbeControl*>(g.FindControlByTag(2));
  g.CaptureControl(0, held);
  g.SetCursorHidden(true);
  CleanAll();
  g.RemoveControlByTag(2);
  EXPECT_EQ(g.NControls(), 1);
  EXPECT_EQ(g.FindControlByTag(2), nullptr);
  EXPECT_EQ(g.GetCapturedControl(0), nullptr);
  EXPECT_FALSE(g.CursorIsHidden());
  EXPECT_TRUE(keep->IsDirty());

  Add(IRect(0, 0, 10, 10), kOther);
  Add(IRect(0, 0, 10, 10), kOther);
  g.RemoveControls(1);
  EXPECT_EQ(g.NControls(), 1);
  EXPECT_EQ(g.GetControl(0), keep);
  g.RemoveControl(keep);
  EXPECT_EQ(g.NControls(), 0);
  EXPECT_EQ(g.FindControlByTag(1), nullptr);
}

TEST_F(CoreFixture, ControlGeometryChangesRedrawEverythingUnlessHidden)
{
  ProbeControl* a = Add(IRect(0, 0, 10, 10), kKnob);
  ProbeControl* b = Add(IRect(20, 0, 30, 10), kOther);
  CleanAll();
  g.SetControlBounds(1, IRect(40, 40, 60, 50));
  EXPECT_EQ(b->GetRECT(), IRect(40, 40, 60, 50));
  EXPECT_TRUE(a->IsDirty());
  b->Hide(true);
  CleanAll();
  g.SetControlPosition(1, 5, 5);
  EXPECT_EQ(b->GetRECT(), IRect(5, 5, 25, 15));
  EXPECT_FALSE(a->IsDirty());
}

TEST_F(CoreFixture, TheFrameRateDisplayAveragesTheLastHundredFrames)
{
  g.ShowFrameRateDisplay(true);
  IFPSDisplayControl* fps = g.GetFrameRateDisplay();
  ASSERT_NE(fps, nullptr);
  EXPECT_EQ(fps->GetRECT(), IRect(10, 10, 210, 60));

  g.StartFrame(); // the first frame has no predecessor
  EXPECT_EQ(fps->NSamples(), 0);
  for (int i = 0; i < 50; ++i)
  {
    clock.Advance(100.0);
    g.StartFrame();
  }
  for (int i = 0; i < 100; ++i)
  {
    clock.Advance(20.0);
    g.StartFrame();
  }
  EXPECT_EQ(fps->NSamples(), 100);
  EXPECT_NEAR(fps->AverageSeconds(), 0.02, 1e-12);
  EXPECT_EQ(fps->PrimaryText(), "50.00 FPS");
  EXPECT_EQ(fps->SecondaryText(), "20.00 ms");
  fps->OnMouseDown(0, 0, {});
  EXPECT_EQ(fps->PrimaryText(), "20.00 ms");
  fps->OnMouseDown(0, 0, {});
  EXPECT_EQ(fps->PrimaryText(), "120.0 %"); // 20 ms of a 60 Hz frame's 16.67 ms
  fps->OnMouseDown(0, 0, {});
  EXPECT_EQ(fps->GetMode(), IFPSDisplayControl::EMode::FPS);

  g.ShowFrameRateDisplay(false);
  EXPECT_EQ(g.GetFrameRateDisplay(), nullptr);
}

TEST_F(CoreFixture, FilmstripFramesAreSelectedByIntegerOffsets)
{
  // 61 stacked frames of 116 × 116 points in a 232 × 14152 pixel @2x strip.
  g.AddBitmap("BKNOB.png", 232, 14152, 2.f);
  const IBitmapRef strip = g.FetchBitmap("BKNOB.png", 61);
  ASSERT_EQ(strip.W(), 116);
  ASSERT_EQ(strip.H(), 7076);
  EXPECT_EQ(strip.FW(), 116);
  EXPECT_EQ(strip.FH(), 116);
  const IRect dest(0, 0, 116, 116);
  g.DrawBitmap(strip, dest, 31);
  g.DrawBitmap(strip, dest, 0);
  g.DrawBitmap(strip, dest, 99);
  const auto draws = g.OpsOf(Op::Bitmap);
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0].srcY, 3480); // 30 × 7076 / 61
  EXPECT_EQ(draws[1].srcY, 0);
  EXPECT_EQ(draws[2].srcY, 6960); // clamped to frame 61
  EXPECT_EQ(draws[0].srcX, 0);

  const IBitmapRef sideBySide(strip.GetAPIBitmap(), 300, 50, 3, true, "row");
  g.ClearOps();
  g.DrawBitmap(sideBySide, dest, 3);
  EXPECT_EQ(g.OpsOf(Op::Bitmap)[0].srcX, 200);
}

TEST_F(CoreFixture, AFittedBitmapScalesUniformlyFromTheTopLeft)
{
  g.AddBitmap("pic", 100, 50, 1.f);
  const IBitmapRef pic = g.FetchBitmap("pic");
  g.DrawFittedBitmap(pic, IRect(10, 10, 60, 110));
  const auto draws = g.OpsOf(Op::Bitmap);
  ASSERT_EQ(draws.size(), 1u);
  double x = 100.0, y = 50.0;
  draws[0].matrix.TransformPoint(x, y); // scale min(50/100, 100/50) = 0.5
  EXPECT_DOUBLE_EQ(x, 60.0);
  EXPECT_DOUBLE_EQ(y, 35.0);
  EXPECT_EQ(g.GetTransform(), IMatrix()); // restored afterwards
}

TEST_F(CoreFixture, EmptyTextNeverReachesTheBackEnd)
{
  const ITextStyle style;
  IRect bounds(0, 0, 100, 20);
  EXPECT_EQ(g.MeasureText(style, "", bounds), 0.f);
  EXPECT_EQ(g.MeasureText(style, nullptr, bounds), 0.f);
  EXPECT_EQ(bounds, IRect(0, 0, 100, 20));
  g.DrawTextIn(style, "", bounds);
  EXPECT_TRUE(g.Ops().empty());

  g.DrawTextAt(style, "Hi", 30, 40);
  const auto texts = g.OpsOf(Op::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rect, IRect(30, 40, 30, 40));
  EXPECT_EQ(texts[0].text, "Hi");
}

TEST_F(CoreFixture, RotatedTextIsAlignedByItsRotatedBox)
{
  ITextStyle style;
  style.mAngle = 90.f;
  IRect text(0, 0, 40, 10);
  double tx = 0.0, ty = 0.0;
  // Rotated by 90°, (x, y) becomes (−y, x): the box is {−10, 0, 0, 40}.
  IGraphics::TextRotationOffset(style, IRect(0, 0, 100, 100), text, tx, ty);
  ExpectRectNear(text, IRect(-10, 0, 0, 40));
  EXPECT_NEAR(tx, 55.0, 1e-5); // centre 50 minus box centre −5
  EXPECT_NEAR(ty, 30.0, 1e-5); // middle 50 minus box middle 20

  IRect moved(0, 0, 40, 10);
  IGraphics::RotateTextBounds(style, IRect(0, 0, 100, 100), moved);
  ExpectRectNear(moved, IRect(45, 30, 55, 70));

  style.mAngle = 0.f;
  IRect flat(1, 2, 3, 4);
  IGraphics::RotateTextBounds(style, IRect(0, 0, 100, 100), flat);
  EXPECT_EQ(flat, IRect(1, 2, 3, 4));
}

TEST(Matrix, ComposesAndInverts)
{
  IMatrix m;
  m.Translate(10, 20).Scale(2, 3);
  double x = 1.0, y = 1.0;
  m.TransformPoint(x, y);
  EXPECT_DOUBLE_EQ(x, 12.0);
  EXPECT_DOUBLE_EQ(y, 23.0);
  IMatrix inv;
  ASSERT_TRUE(m.Invert(inv));
  inv.TransformPoint(x, y);
  EXPECT_NEAR(x, 1.0, 1e-12);
  EXPECT_NEAR(y, 1.0, 1e-12);
  EXPECT_FALSE(IMatrix(0, 0, 0, 0, 1, 1).Invert(inv));

  IMatrix r;
  r.Rotate(90.0);
  x = 1.0, y = 0.0;
  r.TransformPoint(x, y);
  EXPECT_NEAR(x, 0.0, 1e-12);
  EXPECT_NEAR(y, 1.0, 1e-12); // clockwise on a y-down screen
}
