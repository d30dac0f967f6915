// Bitmap controls: frame choice, placement, source offsets, clicks and scale changes.
#include "ResourceFiles.h"
#include "ResourceGraphics.h"

#include "IGraphics/Controls/IBKnobControl.h"
#include "IGraphics/Controls/IBSwitchControl.h"
#include "IGraphics/Controls/IBitmapControl.h"
#include "support/FakeEditorDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

namespace
{

using igraphics::IBitmapRef;
using igraphics::IRect;
using igraphics::test::DrawOp;
using igraphics::test::FakeEditorDelegate;
using igraphics::test::ResourceGraphics;

class BitmapControls : public ::testing::Test
{
protected:
  // The single bitmap drawn by one frame of the editor.
  DrawOp DrawnBitmap()
  {
    g.ClearOps();
    g.MarkAllControlsDirty();
    g.Tick();
    const std::vector<DrawOp> bitmaps = g.OpsOf(DrawOp::Kind::Bitmap);
    EXPECT_EQ(bitmaps.size(), 1u);
    return bitmaps.empty() ? DrawOp(DrawOp::Kind::Bitmap) : bitmaps.back();
  }

  FakeEditorDelegate dlg;
  ResourceGraphics g{dlg, 732, 208};
};

TEST_F(BitmapControls, KnobValuesPickFramesByRoundingToTheNearestStep)
{
  igraphics::IBKnobControl knob(0.f, 0.f, g.FetchBitmap("BKNOB.png", 61), -1);
  // Frame = round(v × 60) + 1: half a step is 1/120 = 0.008333...
  EXPECT_EQ(knob.FrameForValue(0.0), 1);
  EXPECT_EQ(knob.FrameForValue(0.0083), 1);
  EXPECT_EQ(knob.FrameForValue(0.0084), 2);
  EXPECT_EQ(knob.FrameForValue(0.5), 31);
  EXPECT_EQ(knob.FrameForValue(1.0), 61);
  EXPECT_EQ(knob.FrameForValue(std::numeric_limits<double>::quiet_NaN()), 1);
  EXPECT_EQ(knob.FrameForValue(7.0), 61);
  EXPECT_EQ(knob.FrameForValue(-1e300), 1);
}

TEST_F(BitmapControls, LastKnobFrameStartsFiftyNineHundredSixtyPointsDown)
{
  auto* knob =
      g.AddControl(new igraphics::IBKnobControl(47.f, 48.f, g.FetchBitmap("BKNOB.png", 61), -1));
  EXPECT_EQ(knob->GetRECT(), IRect(47.f, 48.f, 163.f, 164.f));
  knob->SetValue(1.0);
  const DrawOp op = DrawnBitmap();
  // Frame 61 of 61 stacked in 7076 points: 60 × 7076 / 61 = 6960 points, 13,920 pixels at 2×.
  EXPECT_EQ(op.srcX, 0);
  EXPECT_EQ(op.srcY, 6960);
  ASSERT_NE(op.bitmap, nullptr);
  EXPECT_EQ(op.srcY * op.bitmap->GetScale(), 13920.f);
  EXPECT_EQ(op.rect, IRect(47.f, 48.f, 163.f, 164.f));
  EXPECT_EQ(op.text, "BKNOB.png");

  knob->SetValue(0.5);
  EXPECT_EQ(DrawnBitmap().srcY, 3480);
}

TEST_F(BitmapControls, FramesAreCentredInLargerBoundsAndDimmedWhenDisabled)
{
  auto* knob = g.AddControl(new igraphics::IBKnobControl(IRect(0.f, 0.f, 200.f, 200.f),
                                                         g.FetchBitmap("BKNOB.png", 61), -1));
  DrawOp op = DrawnBitmap();
  EXPECT_EQ(op.rect, IRect(42.f, 42.f, 158.f, 158.f));
  ASSERT_TRUE(op.hasBlend);
  EXPECT_EQ(op.blend.mWeight, 1.f);
  knob->SetDisabled(true);
  op = DrawnBitmap();
  EXPECT_EQ(op.blend.mWeight, 0.25f);
}

TEST_F(BitmapControls, AMissingPictureDrawsNothing)
{
  const IBitmapRef missing = g.FetchBitmap("NOTHERE.png", 61);
  auto* knob = g.AddControl(new igraphics::IBKnobControl(10.f, 10.f, missing, -1));
  auto* sw = g.AddControl(new igraphics::IBSwitchControl(10.f, 10.f, missing, -1));
  EXPECT_EQ(knob->GetRECT(), IRect(10.f, 10.f, 10.f, 10.f));
  knob->SetValue(std::numeric_limits<double>::quiet_NaN());
  sw->OnMouseDown(10.f, 10.f, {});
  g.MarkAllControlsDirty();
  g.Tick();
  EXPECT_EQ(g.Count(DrawOp::Kind::Bitmap), 0);
}

TEST_F(BitmapControls, SwitchClicksStepThroughTheFramesAndWrap)
{
  auto* sw = g.AddControl(new igraphics::IBSwitchControl(333.f, 37.f, g.FetchBitmap("BY.png", 2)));
  EXPECT_EQ(sw->GetRECT(), IRect(333.f, 37.f, 398.f, 55.f));
  EXPECT_EQ(DrawnBitmap().srcY, 0);
  sw->OnMouseDown(340.f, 40.f, {});
  EXPECT_EQ(sw->GetValue(), 1.0);
  EXPECT_EQ(DrawnBitmap().srcY, 18);
  sw->OnMouseDown(340.f, 40.f, {});
  EXPECT_EQ(sw->GetValue(), 0.0);

  // Three frames: thirds of the 72-pixel strip would be uneven; the step is 1/2.
  auto* three = g.AddControl(new igraphics::IBSwitchControl(0.f, 0.f, g.FetchBitmap("BY.png", 3)));
  three->OnMouseDown(1.f, 1.f, {});
  EXPECT_EQ(three->GetValue(), 0.5);
  three->OnMouseDown(1.f, 1.f, {});
  EXPECT_EQ(three->GetValue(), 1.0);
  three->OnMouseDown(1.f, 1.f, {});
  EXPECT_EQ(three->GetValue(), 0.0);
}

TEST_F(BitmapControls, BackgroundIsTheFirstFrameAtIndexZero)
{
  g.AddControl(new igraphics::IBKnobControl(47.f, 48.f, g.FetchBitmap("BKNOB.png", 61), -1));
  g.AddBackground("BG.png");
  ASSERT_EQ(g.NControls(), 2);
  auto* background = dynamic_cast<igraphics::IBitmapControl*>(g.GetControl(0));
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->GetRECT(), IRect(0.f, 0.f, 732.f, 208.f));
  EXPECT_EQ(background->GetParamIndex(), -1);
}

TEST_F(BitmapControls, ScaleChangesReloadTheVariantForTheRoundedUpScale)
{
  // Two variants on disk: plain (scale 1) and @2x, of different sizes so each shows.
  const auto folder = std::filesystem::temp_directory_path() / "brasmire-scale-test";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(ResourcePath("BY@2X.PNG"), folder / "sw.png",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(ResourcePath("OVER@2X.PNG"), folder / "sw@2x.png",
                             std::filesystem::copy_options::overwrite_existing);
  const std::string name = (folder / "sw.png").string();

  auto* sw = static_cast<igraphics::IBSwitchControl*>(
      g.AddControl(new igraphics::IBSwitchControl(0.f, 0.f, g.FetchBitmap(name.c_str(), 2))));
  EXPECT_EQ(sw->GetBitmap().GetScale(), 1.f);
  EXPECT_EQ(sw->GetBitmap().FW(), 130);
  g.ApplyScreenScale(1.5f);
  EXPECT_EQ(sw->GetBitmap().GetScale(), 2.f);
  EXPECT_EQ(sw->GetBitmap().FW(), 171);
  EXPECT_EQ(sw->GetBitmap().N(), 2);
  EXPECT_EQ(sw->GetRECT(), IRect(0.f, 0.f, 130.f, 36.f)) << "bounds stay";
  std::filesystem::remove_all(folder);
}

} // namespace
