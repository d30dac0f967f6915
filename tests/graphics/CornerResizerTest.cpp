// The corner resizer: its bounds at every draw scale, scale and size drags,
// the double-click back to the designed size, its cursor and colours.

#include "IGraphics/Controls/ICornerResizerControl.h"
#include "InputTestSupport.h"

#include <gtest/gtest.h>

using namespace igraphics;
using namespace igraphics::test;

namespace
{

constexpr IColor kIdle{10, 0, 0, 0};
constexpr IColor kOver{255, 0, 0, 0};
constexpr IColor kDrag{255, 200, 0, 0};

struct ResizerFixture : ::testing::Test
{
  ResizerFixture()
  {
    dlg.SetEditorSize(732, 208);
    dlg.SetSizeConstraints(366, 1464, 104, 416);
    g.AddCornerResizer(0, false, kIdle, kOver, kDrag, 20.f);
    resizer = static_cast<ICornerResizerControl*>(g.GetCornerResizer());
  }

  FakeEditorDelegate dlg{1};
  RecordingGraphics g{dlg, 732, 208};
  ICornerResizerControl* resizer = nullptr;
};

} // namespace

TEST_F(ResizerFixture, AttachedAtScaleOneItCoversTheLastTwentyPoints)
{
  EXPECT_EQ(resizer->GetRECT(), IRect(712, 188, 732, 208));
  // A second resizer is discarded; the first keeps its mode.
  g.AddCornerResizer(1, true);
  EXPECT_EQ(g.GetCornerResizer(), resizer);
  EXPECT_EQ(g.GetResizerMode(), 0);
  EXPECT_FALSE(g.GetLayoutOnResize());
}

TEST_F(ResizerFixture, ScaleDragToOnePointFiveAndDoubleClickBackToOne)
{
  g.OnMouseDown({Press(731, 207)});
  EXPECT_TRUE(g.IsResizingInProcess());
  // One event straight to 1.5 times the press position.
  g.OnMouseDrag({Move(1096.5f, 310.5f, 365.5f, 103.5f)});
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.5f);
  EXPECT_EQ(g.Width(), 732);
  EXPECT_EQ(g.Height(), 208);
  g.OnMouseUp({Press(1096.5f, 310.5f)});
  EXPECT_FALSE(g.IsResizingInProcess());
  // The handle keeps its on-screen size: 20 / 1.5 points.
  const float side = 20.f / 1.5f;
  EXPECT_EQ(resizer->GetRECT(), IRect(732 - side, 208 - side, 732, 208));

  EXPECT_TRUE(g.OnMouseDoubleClick(731, 207, {}));
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.f);
  EXPECT_EQ(g.Width(), 732);
  EXPECT_EQ(g.Height(), 208);
  EXPECT_EQ(resizer->GetRECT(), IRect(712, 188, 732, 208));
  EXPECT_EQ(g.GetCapturedControl(0), nullptr);
}

TEST_F(ResizerFixture, TheProductsExampleFromTheCorner)
{
  // From (732, 208) to (1098, 312): 1.5 on both axes.
  g.OnMouseDown({Press(731.99f, 207.99f)});
  IMouseEvent e = Move(1098.f, 312.f, 366.f, 104.f);
  g.OnMouseDrag({e});
  EXPECT_NEAR(g.GetDrawScale(), 1.5f, 1e-4);
}

TEST_F(ResizerFixture, ADragWithoutAUsablePressPositionChangesNothing)
{
  // No press yet: the press position is (-1, -1).
  g.ResizeByDrag(800.f, 300.f);
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.f);
  // A press on the top-left corner (0, 0) gives no ratio either.
  g.OnMouseDown({Press(0.f, 0.f)});
  g.StartResizeDrag();
  g.OnMouseDrag({Move(800.f, 300.f, 800.f, 300.f)});
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.f);
  EXPECT_EQ(g.Width(), 732);
  // With one usable axis that one decides.
  g.OnMouseUp({Press(800.f, 300.f)});
  g.OnMouseDown({Press(0.f, 100.f)});
  g.StartResizeDrag();
  g.OnMouseDrag({Move(10.f, 150.f, 10.f, 50.f)});
  EXPECT_FLOAT_EQ(g.GetDrawScale(), 1.5f);
}

TEST_F(ResizerFixture, SizeModeFollowsThePointerWithinTheLimits)
{
  RecordingGraphics sized(dlg, 732, 208);
  sized.AddCornerResizer(1, false);
  sized.OnMouseDown({Press(725, 200)});
  sized.OnMouseDrag({Move(900.7f, 300.2f, 175.7f, 100.2f)});
  EXPECT_EQ(sized.Width(), 900);
  EXPECT_EQ(sized.Height(), 300);
  EXPECT_FLOAT_EQ(sized.GetDrawScale(), 1.f);
  sized.OnMouseDrag({Move(5000.f, 5000.f, 1.f, 1.f)});
  EXPECT_EQ(sized.Width(), 1464);
  EXPECT_EQ(sized.Height(), 416);
}

TEST_F(ResizerFixture, CursorAndColourFollowThePointer)
{
  g.EnableMouseOver(true);
  g.SetCursorShape(CursorShape::HAND);
  g.OnMouseOver(720, 200, {});
  g.OnMouseOver(721, 201, {});
  EXPECT_EQ(g.SetCursorShape(CursorShape::SIZENWSE), CursorShape::SIZENWSE);
  g.OnMouseOver(100, 100, {}); // leaves the handle: the previous cursor returns
  EXPECT_EQ(g.SetCursorShape(CursorShape::ARROW), CursorShape::HAND);

  auto colourDrawn = [&]
  {
    g.ClearOps();
    g.MarkAllControlsDirty();
    g.Tick();
    const auto fills = g.OpsOf(DrawOp::Kind::Fill);
    return fills.empty() ? IColor() : fills.back().colour;
  };
  EXPECT_EQ(colourDrawn(), kIdle);
  g.OnMouseOver(720, 200, {});
  EXPECT_EQ(colourDrawn(), kOver);
  g.OnMouseDown({Press(720, 200)});
  EXPECT_EQ(colourDrawn(), kDrag);
  // The triangle (left, bottom), (right, top), (right, bottom).
  EXPECT_EQ(g.OpsOf(DrawOp::Kind::Fill).back().rect, IRect(712, 188, 732, 208));
}
